#include "ui/toolkit/dpi.h"

namespace morvane::ui {
namespace {

template <class Function>
Function UserProc(const char* name) {
    static const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

SIZE FrameForDpi(DWORD style, DWORD exStyle, UINT dpi) {
    RECT rect{0, 0, 0, 0};
    static const auto adjustForDpi = UserProc<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    if (adjustForDpi) {
        adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

UINT DpiOfWindow(HWND window) {
    static const auto getDpiForWindow = UserProc<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : kBaseDpi;
}

SIZE OuterSizeForDpi(SIZE outer96, DWORD style, DWORD exStyle, UINT dpi) {
    const SIZE frame96 = FrameForDpi(style, exStyle, kBaseDpi);
    const SIZE frame = FrameForDpi(style, exStyle, dpi);
    return {ScaleForDpi(outer96.cx - frame96.cx, dpi) + frame.cx,
            ScaleForDpi(outer96.cy - frame96.cy, dpi) + frame.cy};
}

LOGFONTW DialogFontForDpi(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    static const auto parametersForDpi = UserProc<ParametersForDpiFn>("SystemParametersInfoForDpi");
    if (parametersForDpi && parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return metrics.lfMessageFont;
    }
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        HDC screen = GetDC(nullptr);
        const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi);
        return metrics.lfMessageFont;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

}  // namespace morvane::ui
