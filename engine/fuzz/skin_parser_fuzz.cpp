// Any bytes, as given and with their checksum made right (so that the field
// checks behind it are reached too): the parser must not read outside them,
// must keep every accepted value in range, and an accepted skin must give
// readable text for any tint.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/palette.h"
#include "engine/skin_format.h"

namespace {

using namespace morvane::skin;

void CheckAccepted(const Skin& skin, const uint8_t* data, size_t size) {
    for (size_t i = 0; i < kFieldCount; ++i)
        if (skin.values[i] < kFields[i].min || skin.values[i] > kFields[i].max) std::abort();
    // Tint words come from the input too, including values past their ranges.
    const uint8_t* t = data + kHeaderSize;
    const Tint tint = {ReadU32(t) & 0x1FF, static_cast<int32_t>(ReadU32(t + 4)), t[8], t[9], static_cast<uint32_t>(t[10]) * 3};
    const Palette p = BuildPalette(skin, tint, (size & 1) != 0);
    const uint32_t wanted = skin[Field::MinContrast] * 10;
    if (ContrastHundredths(p.editText, p.editBackground) < wanted) std::abort();
    if (ContrastHundredths(p.statusText, p.statusBackground) < wanted) std::abort();
}

void ParseAndCheck(const uint8_t* data, size_t size) {
    Skin skin{};
    if (ParseSkin(data, size, &skin) == ParseError::None) CheckAccepted(skin, data, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ParseAndCheck(data, size);
    if (size >= kHeaderSize) {
        std::vector<uint8_t> sealed(data, data + size);
        const uint32_t crc = Crc32(sealed.data() + kHeaderSize, size - kHeaderSize);
        for (int i = 0; i < 4; ++i) sealed[12 + i] = static_cast<uint8_t>(crc >> (8 * i));
        ParseAndCheck(sealed.data(), sealed.size());
    }
    return 0;
}
