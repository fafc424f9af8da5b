// Byte sets: building, slicing, joining, and reading them as text.
#include "core/bytes.h"

#include <algorithm>
#include <limits>

#include "core/char_units.h"

namespace morvane {
namespace {

// A byte set's length is 32-bit, so no operation makes a longer one; a count
// beyond that is out of range like a negative one.
constexpr std::int64_t kMaxByteSetLength = std::numeric_limits<std::int32_t>::max();

}  // namespace

Text ToText(const ByteSet& bytes) { return ReadValue(bytes, 10); }

ByteSet ToByteSet(std::string_view t) { return ByteSet(t.begin(), t.end()); }

ByteSet ToByteSet(std::uint8_t value) { return ByteSet{value}; }

std::int32_t ByteSetLength(const ByteSet& b) { return SaturatedInt32(b.size()); }

ByteSet ByteSetRight(const ByteSet& b, std::int64_t n) {
    if (n <= 0) return {};
    if (static_cast<std::uint64_t>(n) >= b.size()) return b;
    return ByteSet(b.end() - static_cast<std::ptrdiff_t>(n), b.end());
}

ByteSet BlankByteSet(std::int64_t n) {
    if (n <= 0 || n > kMaxByteSetLength) return {};
    return ByteSet(static_cast<std::size_t>(n), 0);
}

ByteSet RepeatByteSet(std::int64_t count, const ByteSet& b) {
    if (count <= 0 || b.empty()) return {};
    if (count > kMaxByteSetLength / static_cast<std::int64_t>(b.size())) return {};
    ByteSet repeated;
    repeated.reserve(static_cast<std::size_t>(count) * b.size());
    for (std::int64_t i = 0; i < count; ++i) repeated.insert(repeated.end(), b.begin(), b.end());
    return repeated;
}

ByteSet ConcatByteSets(std::initializer_list<const ByteSet*> parts) {
    std::size_t total = 0;
    for (const ByteSet* part : parts)
        if (part != nullptr) total += part->size();
    ByteSet joined;
    joined.reserve(total);
    for (const ByteSet* part : parts)
        if (part != nullptr) joined.insert(joined.end(), part->begin(), part->end());
    return joined;
}

Text ReadValue(const ByteSet& b, std::int32_t typeCode) {
    if (typeCode != 10) return {};
    const auto end = std::find(b.begin(), b.end(), std::uint8_t{0});
    return Text(b.begin(), end);
}

}  // namespace morvane
