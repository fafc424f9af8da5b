#include "core/literal.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/hex.h"

namespace morvane {
namespace {

// "0," to "255,": each item with its comma, padded to four bytes so one
// unconditional copy writes it.
struct DecimalItem {
    char chars[4];
    std::uint8_t length;
};

constexpr auto kDecimalItems = [] {
    std::array<DecimalItem, 256> items{};
    for (unsigned b = 0; b < 256; ++b) {
        DecimalItem& item = items[b];
        std::uint8_t n = 0;
        if (b >= 100) item.chars[n++] = static_cast<char>('0' + b / 100);
        if (b >= 10) item.chars[n++] = static_cast<char>('0' + b / 10 % 10);
        item.chars[n++] = static_cast<char>('0' + b % 10);
        item.chars[n++] = ',';
        item.length = n;
    }
    return items;
}();

// The byte of one item. Items in the form this file writes (one to three
// plain digits) are read directly; anything else goes through ToByte.
std::uint8_t ItemByte(std::string_view item) {
    if (item.empty() || item.size() > 3) return ToByte(item);
    unsigned value = 0;
    for (char c : item) {
        if (c < '0' || c > '9') return ToByte(item);
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

Text FormatByteSetLiteral(const ByteSet& bytes, WindowTies& ties) {
    // "{", then "value," per byte; the last comma becomes the closing brace.
    // No bytes leave just "{".
    Text literal(1 + 4 * bytes.size(), '\0');
    literal[0] = '{';
    std::size_t length = 1;
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t end = std::min(bytes.size(), done + kBytesPerEventPump);
        for (; done < end; ++done) {
            const DecimalItem& item = kDecimalItems[bytes[done]];
            std::memcpy(literal.data() + length, item.chars, 4);
            length += item.length;
        }
        if (done < bytes.size() && !ties.ProcessPendingEvents()) return {};
    }
    if (length > 1) literal[length - 1] = '}';
    literal.resize(length);
    return literal;
}

ByteSet ParseByteSetLiteral(std::string_view literal) {
    // The first byte is dropped unseen, whatever it is.
    if (literal.size() <= 1) return {};
    const std::string_view body = literal.substr(1);
    ByteSet bytes;
    // Split at "," character by character: a comma right after a lead byte is
    // that character's second byte, and a lone lead byte at the end stays in
    // the last item. An empty item counts, an empty tail after a last comma not.
    std::size_t itemStart = 0;
    std::size_t i = 0;
    while (i < body.size()) {
        const auto c = static_cast<unsigned char>(body[i]);
        if (c >= 0x80) {
            i += 2;
        } else if (c == ',') {
            bytes.push_back(ItemByte(body.substr(itemStart, i - itemStart)));
            itemStart = ++i;
        } else {
            ++i;
        }
    }
    if (itemStart < body.size()) bytes.push_back(ItemByte(body.substr(itemStart)));
    return bytes;
}

}  // namespace morvane
