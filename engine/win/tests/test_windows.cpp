#include "engine/win/tests/test_windows.h"

#include <windows.h>

#include <commctrl.h>

namespace morvane::engine::testing {
namespace {

constexpr wchar_t kClassName[] = L"MorvaneEngineSampleWindow";

struct Control {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    int fontHeight;  // 0: the default dialog font
    bool bold;
};

constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;

// The main window's layout, in its creation order.
const Control kControls[] = {
    {L"Static", L"原文：", kLabel, 0, 13, 2, 38, 32, 14, true},
    {L"Edit", L"", kEdit, WS_EX_CLIENTEDGE, 56, 6, 304, 48, 15, false},
    {L"Static", L"0", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 16, 28, 24, 16, 12, true},
    {L"Static", L"结果：", kLabel, 0, 13, 56, 38, 32, 14, true},
    {L"Edit", L"C4 E3 BA C3", kEdit, WS_EX_CLIENTEDGE, 56, 60, 304, 48, 15, false},
    {L"Static", L"4", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 16, 80, 24, 16, 12, true},
    {L"Button", L"原文22分开", kButton, 0, 364, 5, 72, 24, 0, false},
    {L"Button", L"原文去空格", kButton, 0, 364, 28, 72, 24, 0, false},
    {L"Button", L"结果去空格", kButton, 0, 365, 61, 72, 24, 0, false},
    {L"Button", L"结果22分开", kCheck, 0, 365, 87, 104, 24, 0, false},
    {L"Button", L"清空", kButton, 0, 448, 6, 32, 104, 0, false},
    {L"Button", L"", kCheck, 0, 488, 0, 16, 16, 0, false},
    {L"Static", L"窗口置顶", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 490, 16, 16, 69, 12, false},
    {L"Button", L"文本到字节集", kButton, 0, 15, 122, 80, 24, 0, false},
    {L"Button", L"字节集到文本", kButton | WS_DISABLED, 0, 15, 146, 80, 24, 0, false},
    {L"Button", L"文本到Ascii", kRadio, 0, 112, 122, 96, 24, 0, false},
    {L"Button", L"Ascii到文本", kRadio, 0, 112, 146, 96, 24, 0, false},
    {L"Button", L"文本到Unicode", kRadio, 0, 197, 122, 104, 24, 0, false},
    {L"Button", L"Unicode到文本", kRadio, 0, 197, 146, 104, 24, 0, false},
    {L"Button", L"打开计算器", kButton, 0, 419, 122, 80, 24, 0, false},
    {L"Button", L"对比特征码", kButton, 0, 419, 145, 80, 24, 0, false},
};
enum ControlIndex { kSourceLabel = 0, kSourceEdit = 1, kPairCheckBox = 9, kClearButton = 10, kFirstRadio = 15 };

void RegisterSampleClass() {
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &cls)) return;
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kClassName;
    RegisterClassExW(&cls);
}

// The stock dialog font has no Chinese glyphs in a bare Wine prefix; the
// face the program names does.
HFONT FontFor(const Control& c) {
    return CreateFontW(c.fontHeight != 0 ? -c.fontHeight : -12, 0, 0, 0, c.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"微软雅黑");
}

}  // namespace

SampleWindow CreateSampleWindow(const wchar_t* title, int x, int y) {
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    RegisterSampleClass();
    SampleWindow w{};
    w.frame = CreateWindowExW(0, kClassName, title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 516,
                              232, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (w.frame == nullptr) return w;
    HWND made[sizeof kControls / sizeof kControls[0]] = {};
    int i = 0;
    for (const Control& c : kControls) {
        made[i] = CreateWindowExW(c.exStyle, c.className, c.text, c.style, c.x, c.y, c.width, c.height, w.frame,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), GetModuleHandleW(nullptr),
                                  nullptr);
        SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c)), FALSE);
        ++i;
    }
    w.sourceLabel = made[kSourceLabel];
    w.sourceEdit = made[kSourceEdit];
    w.clearButton = made[kClearButton];
    w.pairCheckBox = made[kPairCheckBox];
    w.firstRadio = made[kFirstRadio];
    w.statusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 20, w.frame, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SendMessageW(w.statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(Control{})), FALSE);
    int parts[] = {400, -1};
    SendMessageW(w.statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SendMessageW(w.statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"在你定位前有0个字符，去空格后定位前有0个字符"));
    SendMessageW(w.statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"选中了0个字符"));
    SetWindowTextW(w.sourceEdit, L"你好 Morvane");
    ShowWindow(w.frame, SW_SHOWNOACTIVATE);
    UpdateWindow(w.frame);
    PumpMessages();
    return w;
}

void PumpMessages() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

uint32_t ScreenPixel(HWND hwnd, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(hwnd, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return static_cast<uint32_t>(GetRValue(c)) << 16 | static_cast<uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}

}  // namespace morvane::engine::testing
