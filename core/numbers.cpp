// Numbers as text, text as numbers, and the two arithmetic operations.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/bytes.h"
#include "core/char_units.h"

namespace morvane {
namespace {

template <class Unsigned>
Text DigitsOf(Unsigned value, int base) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
    return Text(digits, end);
}

// The one-byte form of the full-width two-byte unit (lead, trail), or 0 when
// the unit has none.
char NarrowFormOf(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    if (lead != 0xA1) return 0;
    switch (trail) {
        case 0xA1: return ' ';
        case 0xAB: return '~';
        case 0xEE:
        case 0xEF: return '*';
        default: return 0;
    }
}

constexpr bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

Text ToText(std::int32_t value) { return DigitsOf(value, 10); }

Text ToText(std::uint8_t value) { return DigitsOf(value, 10); }

Text HexText(std::int32_t value) {
    Text hex = DigitsOf(static_cast<std::uint32_t>(value), 16);
    std::transform(hex.begin(), hex.end(), hex.begin(),
                   [](char c) { return c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c; });
    return hex;
}

Text NarrowFullWidth(std::string_view t) {
    Text narrow;
    narrow.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (!IsLeadByte(t[i])) {
            narrow.push_back(t[i++]);
            continue;
        }
        if (IsLoneLeadByte(t, i)) break;
        const char one = NarrowFormOf(static_cast<unsigned char>(t[i]), static_cast<unsigned char>(t[i + 1]));
        if (one != 0) {
            narrow.push_back(one);
        } else {
            narrow.append(t.substr(i, 2));
        }
        i += 2;
    }
    return narrow;
}

std::int32_t ParseLeadingInt(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && IsCSpace(t[i])) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    // Unsigned arithmetic wraps modulo 2^32 with no overflow to worry about.
    std::uint32_t value = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) value = value * 10u + static_cast<std::uint32_t>(t[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

std::int32_t ToInt(std::string_view t) { return ParseLeadingInt(NarrowFullWidth(t)); }

std::uint8_t ToByte(std::string_view t) { return static_cast<std::uint8_t>(ToInt(t)); }

std::uint8_t ToByte(std::int64_t value) { return static_cast<std::uint8_t>(value); }

double Power(double base, double exponent) { return std::pow(base, exponent); }

std::int64_t TruncToInt(double x) {
    // Converting a NaN or an out-of-range double is undefined: NaN reads as 0
    // and values beyond the 64-bit range saturate.
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (std::isnan(x)) return 0;
    if (x >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
    if (x < -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(x);
}

}  // namespace morvane
