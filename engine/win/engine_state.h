// What the engine holds between calls: the attached skin, the tint and the
// colours made from them. One user-interface thread uses it; no locking.
#pragma once

#include <windows.h>

#include "engine/palette.h"

namespace morvane::engine {

struct EngineState {
    bool attached;
    bool gradient;
    skin::Skin skin;
    skin::Tint tint;
    skin::Palette palette;
    uint32_t generation;  // changes with the palette; per-window brushes follow it
    HBRUSH editBrush;
};

// Constant-initialised: the DLL runs no static constructors.
extern EngineState g_engine;

void RebuildPalette();
void ReleaseEngineBrushes();

inline COLORREF ToColorRef(skin::Rgb c) { return RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF); }

}  // namespace morvane::engine
