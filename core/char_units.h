// Character units of code page 936 text, as the character-wise operations walk
// it: a byte of 0x80 or above leads a two-byte unit (by the high bit alone, not
// by the code page's lead-byte table).
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace morvane {

constexpr bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// 1 or 2; a lone lead byte at the end also reports 2, callers check for it.
constexpr std::size_t UnitLength(char c) { return IsLeadByte(c) ? 2 : 1; }

constexpr bool IsLoneLeadByte(std::string_view t, std::size_t i) {
    return IsLeadByte(t[i]) && i + 1 == t.size();
}

// Lengths and positions are 32-bit in the interface; sizes beyond that saturate.
constexpr std::int32_t SaturatedInt32(std::size_t n) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(n < kMax ? n : kMax);
}

}  // namespace morvane
