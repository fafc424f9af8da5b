// Ordinary windows like the program's, made with plain Win32 calls, for the
// engine's tests and its preview.
#pragma once

#include <windows.h>

#include <cstdint>

namespace morvane::engine::testing {

struct SampleWindow {
    HWND frame;
    HWND sourceLabel;  // a transparent label
    HWND sourceEdit;   // multi-line, sunken border
    HWND clearButton;  // a tall push button
    HWND pairCheckBox;
    HWND firstRadio;
    HWND statusBar;
};

// A fixed frame of 516 x 232 at (x, y), shown and painted.
SampleWindow CreateSampleWindow(const wchar_t* title, int x, int y);

// Handles every queued message, then returns.
void PumpMessages();

// The colour on the screen at a point of a window's client area, as 0x00RRGGBB.
uint32_t ScreenPixel(HWND hwnd, int x, int y);

}  // namespace morvane::engine::testing
