// The engine's entry point and its three calls. Each call takes ten machine
// words (stdcall on x86) and returns a 32-bit result; unused words are ignored.
#include <windows.h>

#include "engine/skin_format.h"
#include "engine/win/engine_state.h"
#include "engine/win/thread_windows.h"

namespace {

using Word = ULONG_PTR;
using morvane::engine::g_engine;

// Far above any real skin; refuses absurd lengths before touching the bytes.
constexpr Word kMaxSkinBytes = 64 * 1024;

uint32_t ClampWord(Word value, uint32_t max) { return value > max ? max : static_cast<uint32_t>(value); }

void Restyle() {
    morvane::engine::RebuildPalette();
    morvane::engine::RedrawCurrentThread();
}

}  // namespace

extern "C" {

BOOL WINAPI EngineEntry(HINSTANCE, DWORD reason, LPVOID reserved) {
    // Unloaded on purpose (not at process exit): give the windows back so that
    // nothing calls into the unmapped code.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        morvane::engine::ReleaseAll();
        morvane::engine::ReleaseEngineBrushes();
    }
    return TRUE;
}

// (skin data, its length, password, three reserved words, four unused words).
// No password is needed: our skins are not encrypted.
__declspec(dllexport) UINT WINAPI SkinH_AttachRes(Word data, Word length, Word, Word, Word, Word, Word, Word, Word,
                                                  Word) {
    if (data == 0 || length > kMaxSkinBytes) return 0;
    morvane::skin::Skin skin{};
    if (morvane::skin::ParseSkin(reinterpret_cast<const uint8_t*>(data), length, &skin) !=
        morvane::skin::ParseError::None)
        return 0;
    g_engine.skin = skin;
    g_engine.attached = true;
    morvane::engine::RebuildPalette();
    morvane::engine::ThemeCurrentThread();
    morvane::engine::RedrawCurrentThread();
    return 1;
}

// (alpha 0..255, -, -, level 0..10, -, -, x, y, z, -): retints from x, y and z;
// all three 0 shows the skin's own colours.
__declspec(dllexport) UINT WINAPI SkinH_AdjustAero(Word alpha, Word, Word, Word level, Word, Word, Word x, Word y,
                                                   Word z, Word) {
    g_engine.tint = {ClampWord(alpha, 255), static_cast<int32_t>(static_cast<uint32_t>(level)), ClampWord(x, 255),
                     ClampWord(y, 255), ClampWord(z, 255)};
    if (!g_engine.attached) return 0;
    Restyle();
    return 1;
}

// (on, nine unused words): a soft vertical gradient in window backgrounds.
__declspec(dllexport) UINT WINAPI SkinH_SetAero(Word on, Word, Word, Word, Word, Word, Word, Word, Word, Word) {
    g_engine.gradient = on != 0;
    if (!g_engine.attached) return 0;
    Restyle();
    return 1;
}

}  // extern "C"
