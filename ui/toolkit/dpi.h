// Per-monitor DPI helpers. The functions that newer Windows versions offer are
// looked up at run time so the program still starts where they are missing.
#pragma once

#include <windows.h>

namespace morvane::ui {

inline constexpr UINT kBaseDpi = 96;

inline int ScaleForDpi(int pixels96, UINT dpi) {
    return MulDiv(pixels96, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

UINT DpiOfWindow(HWND window);

// The outer frame size for a window style at a DPI, given its outer size at
// 96 DPI: the client area scales, the frame takes that DPI's own metrics.
SIZE OuterSizeForDpi(SIZE outer96, DWORD style, DWORD exStyle, UINT dpi);

// The system's message font (what dialogs use) at a DPI.
LOGFONTW DialogFontForDpi(UINT dpi);

}  // namespace morvane::ui
