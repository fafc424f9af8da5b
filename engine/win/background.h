// The frame's client background: painted row by row, and as a pattern brush
// lined up with the frame for controls that fill their own background.
#pragma once

#include <windows.h>

#include "engine/win/themed_window.h"

namespace morvane::engine {

// Paints the frame's background into `rect` (client coordinates of the frame,
// in the DC's logical units).
void PaintFrameBackground(HWND frame, HDC dc, const RECT& rect);

// The frame's background brush with its origin set in `dc` so that it lines up
// with the frame, for a DC whose origin is the client corner of `control`.
HBRUSH AlignedBackgroundBrush(HWND frame, ThemedWindow* themed, HWND control, HDC dc);

// Fills `rect` of `control`'s DC with whatever lies behind it in its frame.
void FillBehind(HWND control, HDC dc, const RECT& rect);

// Fills with one colour without creating a brush.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

}  // namespace morvane::engine
