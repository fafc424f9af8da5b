#include "engine/win/themed_window.h"

namespace morvane::engine {
namespace {

constexpr wchar_t kProperty[] = L"MorvaneSkinEngine.Window";

struct ChildKind {
    const wchar_t* className;
    Role role;
};

// Children drawn by the engine itself. Labels, check boxes and radio buttons
// only take colours from their parent, so they need no entry here.
constexpr ChildKind kChildKinds[] = {
    {L"Button", Role::PushButton},
    {L"Edit", Role::Edit},
    {L"msctls_statusbar32", Role::StatusBar},
};

constexpr WNDPROC kProcs[] = {FrameProc, PushButtonProc, EditProc, StatusBarProc};

bool IsFrameStyle(LONG style, HWND parent) {
    if ((style & WS_CHILD) != 0 || parent == HWND_MESSAGE) return false;
    // Overlapped windows always get a caption; pop-ups only when they ask for one.
    return (style & WS_POPUP) == 0 || (style & WS_CAPTION) == WS_CAPTION;
}

void Take(HWND hwnd, Role role) {
    auto* themed = static_cast<ThemedWindow*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThemedWindow)));
    if (themed == nullptr) return;
    themed->role = role;
    themed->ours = kProcs[static_cast<int>(role)];
    if (!SetPropW(hwnd, kProperty, themed)) {
        HeapFree(GetProcessHeap(), 0, themed);
        return;
    }
    themed->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(themed->ours)));
    if (themed->original == nullptr) {
        RemovePropW(hwnd, kProperty);
        HeapFree(GetProcessHeap(), 0, themed);
    }
}

BOOL CALLBACK ThemeChild(HWND child, LPARAM) {
    ThemeIfWanted(child, GetWindowLongW(child, GWL_STYLE), GetParent(child));
    return TRUE;
}

}  // namespace

ThemedWindow* Themed(HWND hwnd) { return static_cast<ThemedWindow*>(GetPropW(hwnd, kProperty)); }

ThemedWindow* ThemedAs(HWND hwnd, Role role) {
    ThemedWindow* themed = Themed(hwnd);
    return themed != nullptr && themed->role == role ? themed : nullptr;
}

bool HasClass(HWND hwnd, const wchar_t* name) {
    wchar_t className[64];
    const int length = GetClassNameW(hwnd, className, 64);
    // Classes of a side-by-side assembly may carry its version: "6.0.0.0!Button".
    int start = length;
    while (start > 0 && className[start - 1] != L'!') --start;
    return length > 0 && lstrcmpiW(className + start, name) == 0;
}

bool IsPushButtonStyle(LONG style) {
    const LONG type = style & BS_TYPEMASK;
    return (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) && (style & (BS_BITMAP | BS_ICON)) == 0;
}

void ThemeIfWanted(HWND hwnd, LONG style, HWND parent) {
    if (Themed(hwnd) != nullptr) return;
    if ((style & WS_CHILD) == 0) {
        if (IsFrameStyle(style, parent)) Take(hwnd, Role::Frame);
        return;
    }
    const HWND root = parent != nullptr ? GetAncestor(parent, GA_ROOT) : nullptr;
    if (root == nullptr || ThemedAs(root, Role::Frame) == nullptr) return;
    for (const ChildKind& kind : kChildKinds) {
        if (!HasClass(hwnd, kind.className)) continue;
        // Image buttons, check boxes and the like keep their own drawing.
        if (kind.role == Role::PushButton && !IsPushButtonStyle(style)) return;
        Take(hwnd, kind.role);
        return;
    }
}

void ThemeWindowTree(HWND topLevel) {
    ThemeIfWanted(topLevel, GetWindowLongW(topLevel, GWL_STYLE), GetParent(topLevel));
    if (ThemedAs(topLevel, Role::Frame) != nullptr) EnumChildWindows(topLevel, ThemeChild, 0);
}

void ReleaseWindow(HWND hwnd) {
    ThemedWindow* themed = Themed(hwnd);
    if (themed == nullptr) return;
    // Someone who subclassed after us still calls our procedure: then it stays,
    // and with no record it passes everything straight through.
    if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(themed->ours))
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(themed->original));
    else
        return;  // keep the record: our procedure still needs the original to forward to
    RemovePropW(hwnd, kProperty);
    if (themed->backgroundBrush != nullptr) DeleteObject(themed->backgroundBrush);
    if (themed->backgroundBitmap != nullptr) DeleteObject(themed->backgroundBitmap);
    HeapFree(GetProcessHeap(), 0, themed);
}

LRESULT CallOriginal(HWND hwnd, ThemedWindow* themed, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = themed->original;
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kProperty);
        if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(themed->ours))
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        if (themed->backgroundBrush != nullptr) DeleteObject(themed->backgroundBrush);
        if (themed->backgroundBitmap != nullptr) DeleteObject(themed->backgroundBitmap);
        HeapFree(GetProcessHeap(), 0, themed);
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

bool PaintOwnDrawing(HWND hwnd, UINT message, WPARAM wParam, void (*paint)(HWND, HDC), LRESULT* result) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd, &ps)) {
            paint(hwnd, dc);
            EndPaint(hwnd, &ps);
        }
        *result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        paint(hwnd, reinterpret_cast<HDC>(wParam));
        *result = 0;
        return true;
    case WM_ERASEBKGND:
        *result = 1;  // the paint covers every pixel
        return true;
    default:
        return false;
    }
}

}  // namespace morvane::engine
