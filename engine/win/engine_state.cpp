#include "engine/win/engine_state.h"

namespace morvane::engine {

EngineState g_engine = {false, false, {}, skin::kNoTint, {}, 0, nullptr};

void RebuildPalette() {
    g_engine.palette = skin::BuildPalette(g_engine.skin, g_engine.tint, g_engine.gradient);
    ++g_engine.generation;
    HBRUSH edit = CreateSolidBrush(ToColorRef(g_engine.palette.editBackground));
    if (edit != nullptr) {
        if (g_engine.editBrush != nullptr) DeleteObject(g_engine.editBrush);
        g_engine.editBrush = edit;
    }
}

void ReleaseEngineBrushes() {
    if (g_engine.editBrush != nullptr) DeleteObject(g_engine.editBrush);
    g_engine.editBrush = nullptr;
}

}  // namespace morvane::engine
