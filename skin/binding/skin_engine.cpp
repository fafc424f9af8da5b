#include "skin/binding/skin_engine.h"

#include <memory>
#include <optional>
#include <string_view>

#include "core/bytes.h"
#include "skin/call_proc.h"

namespace morvane {
namespace {

std::unique_ptr<MemoryModule> engine;
std::optional<Bytes> engineImage;
std::optional<Bytes> skinData;
std::int32_t aeroValue = 0;

// Words are signed 32-bit values; the engine reads them as 32-bit words.
std::uintptr_t Word(std::int32_t value) { return static_cast<std::uint32_t>(value); }

std::int32_t CallExport(std::string_view name, const CallWords& words) {
    if (!engine || engine->BaseAddress() == 0) return 0;
    const std::uintptr_t proc = engine->FindProc(name);
    if (proc == 0) return 0;
    return static_cast<std::int32_t>(CallProc(proc, words));
}

}  // namespace

void CreateSkinEngine() { engine = std::make_unique<MemoryModule>(); }

void LoadSkinEngine() {
    if (!engine) return;
    engine->Load(engineImage.value_or(EngineImage()), 0, 0);
}

// Destroys the object only: the engine stays mapped and is never detached.
void ReleaseSkinEngine() { engine.reset(); }

const MemoryModule* SkinEngine() { return engine.get(); }

void UseEngineImage(Bytes image) { engineImage = image; }
void UseSkinData(Bytes data) { skinData = data; }

void InitSkin(std::int32_t level, bool useLevel) {
    aeroValue = useLevel ? level : 6;
    CallAttachRes(skinData.value_or(SkinData()));
    CallAdjustAero(255, 0, 0, aeroValue, 0, 0, 0, 0, 0);
    CallSetAero(true);
}

void TintSkin(std::int32_t x, std::int32_t y, std::int32_t z) { CallAdjustAero(255, 0, 0, aeroValue, 0, 0, x, y, z); }

void TintSkinRandomly() {
    const std::int32_t x = RandomByte();
    const std::int32_t y = RandomByte();
    const std::int32_t z = RandomByte();
    TintSkin(x, y, z);
}

std::int32_t RandomByte() {
    SeedRandom();
    return RandomInt(1, 256) - 1;
}

std::int32_t AeroValue() { return aeroValue; }

std::int32_t CallAttachRes(Bytes data, const char* password, std::int32_t a, std::int32_t b, std::int32_t c) {
    const auto dataAddress = data.empty() ? 0 : reinterpret_cast<std::uintptr_t>(data.data());
    return CallExport("SkinH_AttachRes", {dataAddress, static_cast<std::uintptr_t>(data.size()),
                                          reinterpret_cast<std::uintptr_t>(password), Word(a), Word(b), Word(c), 0,
                                          0, 0, 0});
}

std::int32_t CallAdjustAero(std::int32_t w1, std::int32_t w2, std::int32_t w3, std::int32_t w4, std::int32_t w5,
                            std::int32_t w6, std::int32_t w7, std::int32_t w8, std::int32_t w9) {
    return CallExport("SkinH_AdjustAero",
                      {Word(w1), Word(w2), Word(w3), Word(w4), Word(w5), Word(w6), Word(w7), Word(w8), Word(w9), 0});
}

std::int32_t CallSetAero(bool on) { return CallExport("SkinH_SetAero", {on ? 1u : 0u, 0, 0, 0, 0, 0, 0, 0, 0, 0}); }

}  // namespace morvane
