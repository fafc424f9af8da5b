// The skin engine that themes both windows: mapped from the bytes the program
// carries, called through three exports with ten words each.
#pragma once

#include <cstdint>
#include <span>

#include "core/text.h"
#include "skin/memory_module.h"

namespace morvane {

using Bytes = std::span<const std::uint8_t>;

// The engine's module image and the skin file, embedded in the program.
Bytes EngineImage();
Bytes SkinData();

// Start-up and exit steps.
void CreateSkinEngine();
void LoadSkinEngine();
void ReleaseSkinEngine();

// The module that holds the engine, or null before it is created and after release.
const MemoryModule* SkinEngine();
// What LoadSkinEngine maps and InitSkin attaches: the embedded bytes unless
// others are put in their place (tests do).
void UseEngineImage(Bytes image);
void UseSkinData(Bytes data);

void InitSkin(std::int32_t level, bool useLevel);
void TintSkin(std::int32_t x, std::int32_t y, std::int32_t z);
// A tint from three fresh draws, taken in order: the first draw is x.
void TintSkinRandomly();
// 0..255, from a generator reseeded by the clock on every call.
std::int32_t RandomByte();
std::int32_t AeroValue();

// The engine's exports. Each looks its export up by name on every call; with
// no engine mapped or no such export, nothing is called and the result is 0.
std::int32_t CallAttachRes(Bytes data, const char* password = nullptr, std::int32_t a = 0, std::int32_t b = 0,
                           std::int32_t c = 0);
std::int32_t CallAdjustAero(std::int32_t w1 = 0, std::int32_t w2 = 0, std::int32_t w3 = 0, std::int32_t w4 = 0,
                            std::int32_t w5 = 0, std::int32_t w6 = 0, std::int32_t w7 = 0, std::int32_t w8 = 0,
                            std::int32_t w9 = 0);
std::int32_t CallSetAero(bool on);

}  // namespace morvane
