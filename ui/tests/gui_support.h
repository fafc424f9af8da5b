// Helpers for tests that drive real windows: pumping, real input, geometry.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

#include "ui/toolkit/window.h"

namespace morvane::ui::testing {

// Handles events for a while, sleeping briefly between rounds.
void PumpFor(int milliseconds);
// Handles events until the condition holds or the time is up; the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 3000);

// Brings the window to the front and gives the control the keyboard focus.
void Focus(Window& window, Control& control);

// Presses the keys in order and releases them in reverse (real input).
void PressKeys(std::initializer_list<WORD> keys);

// Real mouse input at client coordinates of a control.
void MoveMouse(HWND control, POINT client);
void DragMouse(HWND control, POINT fromClient, POINT toClient);

// A control's rectangle in its parent's client area.
RECT PlaceInParent(HWND control);

// The window has this title, this outer size centred on the screen, a fixed
// frame with a system menu and minimise box but no maximise box, and no menu.
void ExpectFixedCentredFrame(HWND window, const wchar_t* title, int width, int height);

}  // namespace morvane::ui::testing
