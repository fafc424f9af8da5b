#include "ui/toolkit/window.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "ui/toolkit/application.h"
#include "ui/toolkit/codepage.h"
#include "ui/toolkit/dpi.h"

namespace morvane::ui {
namespace {

constexpr wchar_t kWindowClass[] = L"MorvaneWindow";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFrameExStyle = 0;
constexpr int kFirstControlId = 100;
constexpr int kApplicationIcon = 1;

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// Systems that list the face only under its English name still get it.
const wchar_t* TextFace() {
    static const wchar_t* face = FaceInstalled(L"微软雅黑") || !FaceInstalled(L"Microsoft YaHei") ? L"微软雅黑"
                                                                                                  : L"Microsoft YaHei";
    return face;
}

bool CoversChinese(const LOGFONTW& description) {
    HFONT font = CreateFontIndirectW(&description);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    WORD glyph = 0;
    GetGlyphIndicesW(screen, L"中", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return glyph != 0xFFFF;
}

// The system's dialog font, in the Chinese face when it has no Chinese glyphs
// of its own, so captions never turn into boxes.
LOGFONTW DialogFont(UINT dpi) {
    LOGFONTW description = DialogFontForDpi(dpi);
    if (!CoversChinese(description)) {
        wcsncpy(description.lfFaceName, TextFace(), LF_FACESIZE - 1);
        description.lfCharSet = DEFAULT_CHARSET;
    }
    return description;
}

}  // namespace

bool Window::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(kApplicationIcon));
        // The title bar's own size from the icon file, not a shrunken large one.
        windowClass.hIconSm = static_cast<HICON>(LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(kApplicationIcon),
                                                            IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    return registered;
}

Window::Window(const WindowTable& table) : table_(table) {
    int id = kFirstControlId;
    for (const ControlRow& control : table.controls) controls_.push_back(std::make_unique<Control>(*this, control, id++));
}

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    releaseFonts();
}

std::unique_ptr<Window> Window::Create(const WindowTable& table) {
    if (!RegisterWindowClass()) return nullptr;
    std::unique_ptr<Window> window(new Window(table));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT screen = monitor.rcMonitor;
    // Created on the primary monitor first, so the DPI it reports is that monitor's.
    HWND hwnd = CreateWindowExW(kFrameExStyle, kWindowClass, WideFromUtf8(table.title).c_str(), kFrameStyle, screen.left,
                                screen.top, table.width, table.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                                window.get());
    if (!hwnd) return nullptr;
    window->dpi_ = DpiOfWindow(hwnd);
    const SIZE size = OuterSizeForDpi({table.width, table.height}, kFrameStyle, kFrameExStyle, window->dpi_);
    SetWindowPos(hwnd, nullptr, screen.left + (screen.right - screen.left - size.cx) / 2,
                 screen.top + (screen.bottom - screen.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (auto& control : window->controls_) control->create(hwnd, window->dpi_);
    if (table.created) {
        HandlerScope scope;
        table.created(*window);
    }
    if (window->hwnd_) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
    }
    return window;
}

Control* Window::find(std::string_view name) {
    for (auto& control : controls_) {
        if (control->name() == name) return control.get();
    }
    return nullptr;
}

Control& Window::operator[](std::string_view name) {
    if (Control* control = find(name)) return *control;
    std::fprintf(stderr, "no control named %.*s\n", static_cast<int>(name.size()), name.data());
    std::abort();
}

Control* Window::controlById(int id) {
    const int index = id - kFirstControlId;
    if (index < 0 || index >= static_cast<int>(controls_.size())) return nullptr;
    return controls_[static_cast<std::size_t>(index)].get();
}

Control* Window::controlByHwnd(HWND child) {
    for (auto& control : controls_) {
        if (control->hwnd() && control->hwnd() == child) return control.get();
    }
    return nullptr;
}

HFONT Window::fontFor(const FontChoice& font) {
    for (const CachedFont& cached : fonts_) {
        if (cached.choice.height == font.height && cached.choice.bold == font.bold) return cached.font;
    }
    LOGFONTW description = DialogFont(dpi_);
    if (font.height != 0) {
        description = LOGFONTW{};
        description.lfHeight = -ScaleForDpi(font.height, dpi_);
        description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        description.lfCharSet = DEFAULT_CHARSET;
        description.lfQuality = CLEARTYPE_QUALITY;
        wcsncpy(description.lfFaceName, TextFace(), LF_FACESIZE - 1);
    }
    HFONT created = CreateFontIndirectW(&description);
    fonts_.push_back({font, created});
    return created;
}

void Window::releaseFonts() {
    for (const CachedFont& cached : fonts_) DeleteObject(cached.font);
    fonts_.clear();
}

void Window::applyDpi(UINT dpi, const RECT* suggested) {
    if (!hwnd_) return;
    dpi_ = dpi;
    const SIZE size = OuterSizeForDpi({table_.width, table_.height}, kFrameStyle, kFrameExStyle, dpi);
    RECT current;
    GetWindowRect(hwnd_, &current);
    const RECT& at = suggested ? *suggested : current;
    SetWindowPos(hwnd_, nullptr, at.left, at.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<CachedFont> previous = std::move(fonts_);
    fonts_.clear();
    for (auto& control : controls_) control->applyDpi(dpi);
    for (const CachedFont& cached : previous) DeleteObject(cached.font);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window) return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->handle(message, wParam, lParam);
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_;
    switch (message) {
        case WM_COMMAND:
            if (Control* control = lParam ? controlById(LOWORD(wParam)) : nullptr) {
                const int code = HIWORD(wParam);
                switch (control->kind()) {
                    case ControlKind::EditBox:
                        control->onEditNotification(code);
                        break;
                    case ControlKind::Button:
                    case ControlKind::CheckBox:
                        if (code == BN_CLICKED) control->onClicked();
                        break;
                    case ControlKind::RadioButton:
                        // A radio button reports the second click of a double click on its own.
                        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) control->onClicked();
                        break;
                    default:
                        break;
                }
                return 0;
            }
            break;
        case WM_TIMER:
            if (Control* timer = controlById(static_cast<int>(wParam)); timer && timer->kind() == ControlKind::Timer) {
                if (timer->row().handlers.tick) {
                    HandlerScope scope;
                    timer->row().handlers.tick(*this);
                }
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
            if (Control* label = controlByHwnd(reinterpret_cast<HWND>(lParam));
                label && label->kind() == ControlKind::Label) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            break;
        case WM_CTLCOLOREDIT:
            if (controlByHwnd(reinterpret_cast<HWND>(lParam))) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkColor(dc, RGB(255, 255, 255));
                return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
            }
            break;
        case WM_DPICHANGED:
            applyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_NCDESTROY: {
            const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            for (auto& control : controls_) control->hwnd_ = nullptr;
            NoteWindowClosed(*this);  // may release this window
            return result;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace morvane::ui
