// The UTF-16LE hex form of every code page 936 character, looked up by its
// bytes, so a text converts in one pass of table reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvane {

// Four hex digit characters in output order (low byte of the code unit first),
// packed into 32 bits; 0 means "no character here".
using UnitDigits = std::uint32_t;

struct Cp936UnitTable {
    // digits[lead * 256 + trail] for a two-byte character; for a one-byte
    // character b, its digits fill the whole row b, which no pair uses since b
    // leads none. So a lookup at first * 256 + next byte serves both.
    std::vector<UnitDigits> digits;
    // 1 for a byte that is no character alone, so it can only start a two-byte one.
    std::array<std::uint8_t, 256> isLead{};
    // Set when the lead bytes are exactly leadLow..leadHigh, so a range test finds them.
    bool leadsContiguous = false;
    std::uint8_t leadLow = 0, leadHigh = 0;
};

// Built on first use from ConvertEncoding(…, "CP936", "UTF-16LE"), so it says
// exactly what that conversion says about each character.
const Cp936UnitTable& Cp936Units();

}  // namespace morvane
