#include "core/cp936_units.h"

#include <algorithm>
#include <cstring>

#include "core/bytes.h"

namespace morvane {
namespace {

constexpr char kUpperDigits[] = "0123456789ABCDEF";

UnitDigits DigitsOf(std::uint8_t low, std::uint8_t high) {
    const char digits[4] = {kUpperDigits[low >> 4], kUpperDigits[low & 15],
                            kUpperDigits[high >> 4], kUpperDigits[high & 15]};
    UnitDigits packed;
    std::memcpy(&packed, digits, sizeof packed);
    return packed;
}

ByteSet ToUtf16(const ByteSet& cp936) { return ConvertEncoding(cp936, "CP936", "UTF-16LE"); }

// Fills the pairs lead+trail for trail in [first, last). One conversion settles
// a whole range when every pair in it is a character; failing ranges are halved,
// so a row costs a few dozen conversions instead of 256.
void FillPairs(Cp936UnitTable& table, unsigned lead, unsigned first, unsigned last) {
    ByteSet bytes;
    bytes.reserve(2 * (last - first));
    for (unsigned trail = first; trail < last; ++trail) {
        bytes.push_back(static_cast<std::uint8_t>(lead));
        bytes.push_back(static_cast<std::uint8_t>(trail));
    }
    const ByteSet units = ToUtf16(bytes);
    if (units.size() == 2 * (last - first)) {
        for (unsigned k = 0; k < last - first; ++k)
            table.digits[lead * 256 + first + k] = DigitsOf(units[2 * k], units[2 * k + 1]);
        return;
    }
    // A single pair that failed is no character. (One that converted to two
    // code units would need more than four digits; code page 936 has none.)
    if (last - first == 1) return;
    const unsigned middle = first + (last - first) / 2;
    FillPairs(table, lead, first, middle);
    FillPairs(table, lead, middle, last);
}

Cp936UnitTable Build() {
    Cp936UnitTable table;
    table.digits.assign(65536, 0);
    for (unsigned b = 0; b < 256; ++b) {
        const ByteSet units = ToUtf16(ByteSet{static_cast<std::uint8_t>(b)});
        if (units.size() == 2)
            std::fill_n(table.digits.begin() + b * 256, 256, DigitsOf(units[0], units[1]));
        else
            table.isLead[b] = 1;
    }
    // A byte that is no character alone can only start a two-byte one.
    for (unsigned lead = 0; lead < 256; ++lead)
        if (table.isLead[lead]) FillPairs(table, lead, 0, 256);

    unsigned low = 256, high = 0, count = 0;
    for (unsigned b = 0; b < 256; ++b) {
        if (!table.isLead[b]) continue;
        low = std::min(low, b);
        high = std::max(high, b);
        ++count;
    }
    table.leadsContiguous = count > 0 && high - low + 1 == count;
    table.leadLow = static_cast<std::uint8_t>(low & 0xFF);
    table.leadHigh = static_cast<std::uint8_t>(high);
    return table;
}

}  // namespace

const Cp936UnitTable& Cp936Units() {
    static const Cp936UnitTable table = Build();
    return table;
}

}  // namespace morvane
