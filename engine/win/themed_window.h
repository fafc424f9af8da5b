// Which windows the engine draws, and the per-window record it keeps for them
// in a window property (nothing depends on the module handle).
#pragma once

#include <windows.h>

#include <stdint.h>

namespace morvane::engine {

enum class Role : uint8_t { Frame, PushButton, Edit, StatusBar };

struct ThemedWindow {
    WNDPROC original;
    WNDPROC ours;
    Role role;
    bool hot;  // push buttons: the mouse is over it
    // Frames: the client background as a pattern brush, for controls that fill
    // their own background with the brush their parent hands them.
    HBITMAP backgroundBitmap;
    HBRUSH backgroundBrush;
    int32_t brushHeight;
    uint32_t brushGeneration;
};

ThemedWindow* Themed(HWND hwnd);
ThemedWindow* ThemedAs(HWND hwnd, Role role);

// Decides from the style, the class and the parent whether to draw a window,
// and takes it over if so. Safe to call again for a window already drawn.
void ThemeIfWanted(HWND hwnd, LONG style, HWND parent);
void ThemeWindowTree(HWND topLevel);

// Hands the message to the window's own procedure; on WM_NCDESTROY also lets
// go of the window first.
LRESULT CallOriginal(HWND hwnd, ThemedWindow* themed, UINT message, WPARAM wParam, LPARAM lParam);
// Answers the messages that ask a control drawn wholly by the engine for its
// picture (paint, print, erase). True when the message was one of them.
bool PaintOwnDrawing(HWND hwnd, UINT message, WPARAM wParam, void (*paint)(HWND, HDC), LRESULT* result);

// Lets go of a window: restores its procedure when it is still ours.
void ReleaseWindow(HWND hwnd);

// Procedures per role (one file each).
LRESULT CALLBACK FrameProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PushButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StatusBarProc(HWND, UINT, WPARAM, LPARAM);

bool IsPushButtonStyle(LONG style);
bool HasClass(HWND hwnd, const wchar_t* name);

}  // namespace morvane::engine
