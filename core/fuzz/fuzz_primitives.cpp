// Feeds arbitrary bytes, positions and counts to the text, number and byte-set
// primitives; any crash, sanitizer report or broken invariant is a finding.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "core/bytes.h"
#include "core/hex.h"
#include "core/text.h"

namespace {

using namespace morvane;

constexpr std::int64_t kMaxByteSetLength = std::numeric_limits<std::int32_t>::max();
// Counts up to this are built for real; larger ones only where they must give nothing.
constexpr std::int64_t kAffordableLength = 1 << 16;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Mostly small positions around the text, sometimes the extremes.
std::int64_t PickCount(FuzzedDataProvider& in, std::size_t textSize) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: return std::numeric_limits<std::int64_t>::min();
        case 1: return std::numeric_limits<std::int64_t>::max();
        case 2: return in.ConsumeIntegral<std::int32_t>();
        case 3: return in.ConsumeIntegral<std::int64_t>();
        default: {
            const auto edge = static_cast<std::int64_t>(textSize) + 3;
            return in.ConsumeIntegralInRange<std::int64_t>(-3, edge);
        }
    }
}

std::size_t ClampedCount(std::int64_t n, std::size_t size) {
    if (n <= 0) return 0;
    return static_cast<std::uint64_t>(n) < size ? static_cast<std::size_t>(n) : size;
}

void CheckSlicing(const std::string& t, std::int64_t a, std::int64_t b) {
    const std::size_t left = ClampedCount(a, t.size());
    Require(TextLeft(t, a) == t.substr(0, left));
    Require(TextRight(t, a) == t.substr(t.size() - left));
    const Text mid = TextMid(t, a, b);
    if (a >= 1 && static_cast<std::uint64_t>(a) <= t.size())
        Require(mid == t.substr(static_cast<std::size_t>(a - 1), ClampedCount(b, t.size())));
    else
        Require(mid.empty());
    const std::int32_t code = CharCode(t, a);
    if (a >= 1 && static_cast<std::uint64_t>(a) <= t.size())
        Require(code == static_cast<signed char>(t[static_cast<std::size_t>(a - 1)]));
    else
        Require(code == 0);
}

void CheckCharacterWise(const std::string& t, const std::string& pattern) {
    const std::int32_t chars = CountChars(t);
    Require(chars >= 0 && static_cast<std::size_t>(chars) <= t.size() && 2 * static_cast<std::size_t>(chars) + 1 >= t.size());

    const std::int32_t found = FindText(t, pattern);
    if (pattern.empty()) {
        Require(found == (t.empty() ? -1 : 1));
    } else if (found != -1) {
        Require(found >= 1 && t.compare(static_cast<std::size_t>(found - 1), pattern.size(), pattern) == 0);
    }

    const Text end = TrimEnd(t), both = TrimBoth(t);
    Require(t.compare(0, end.size(), end) == 0);
    Require(both.size() <= end.size() && end.compare(end.size() - both.size(), both.size(), both) == 0);

    const Text replaced = ReplaceText(t, pattern, "");
    Require(replaced.size() <= t.size());
    const Text noSpaces = ReplaceText(t, " ", "");
    Require(noSpaces.size() <= t.size() && noSpaces.size() + 1 >= t.size() - static_cast<std::size_t>(std::count(t.begin(), t.end(), ' ')));

    std::size_t pieceBytes = 0;
    const TextList pieces = SplitText(t, pattern);
    for (const Text& piece : pieces) pieceBytes += piece.size();
    if (!pattern.empty() && !pieces.empty())
        Require(pieceBytes + (pieces.size() - 1) * pattern.size() <= t.size());
    Require(ArrayCount(pieces) == static_cast<std::int32_t>(pieces.size()));

    Require(NarrowFullWidth(t).size() <= t.size());
    Require(ToByte(t) == static_cast<std::uint8_t>(ToInt(t)));
    Require(ConcatText({t, pattern}) == t + pattern);
    Require((CompareTextBytes(t, pattern) == 0) == (t == pattern));
}

void CheckNumbers(FuzzedDataProvider& in) {
    const auto value = in.ConsumeIntegral<std::int32_t>();
    Require(ParseLeadingInt(ToText(value)) == value);
    Require(std::strtoul(HexText(value).c_str(), nullptr, 16) == static_cast<std::uint32_t>(value));
    Require(ToInt(ToText(ToByte(static_cast<std::int64_t>(value)))) == (value & 0xFF));

    double x;
    const auto bits = in.ConsumeIntegral<std::uint64_t>();
    std::memcpy(&x, &bits, sizeof x);
    const std::int64_t truncated = TruncToInt(x);
    if (x > -1 && x < 1) Require(truncated == 0);
    Power(x, static_cast<double>(in.ConsumeIntegralInRange(-1100, 1100)));

    const auto low = in.ConsumeIntegral<std::int32_t>(), high = in.ConsumeIntegral<std::int32_t>();
    const std::int32_t lo = std::max(0, std::min(low, high)), hi = std::max(0, std::max(low, high));
    const std::int32_t drawn = RandomInt(low, high);
    Require(drawn >= lo && drawn <= hi);
}

void CheckByteSets(const ByteSet& b, const ByteSet& pattern, std::int64_t n) {
    Require(ByteSetRight(b, n).size() == ClampedCount(n, b.size()));
    if (n <= kAffordableLength || n > kMaxByteSetLength) {
        const ByteSet blank = BlankByteSet(n);
        Require(blank.size() == (n > kMaxByteSetLength ? 0 : ClampedCount(n, kAffordableLength)));
        Require(std::all_of(blank.begin(), blank.end(), [](std::uint8_t v) { return v == 0; }));
    }
    if (n <= 0 || pattern.empty() || n > kMaxByteSetLength ||
        static_cast<std::uint64_t>(n) * pattern.size() <= static_cast<std::uint64_t>(kAffordableLength)) {
        const ByteSet repeated = RepeatByteSet(n, pattern);
        const bool made = n > 0 && n <= kMaxByteSetLength && !pattern.empty();
        Require(repeated.size() == (made ? static_cast<std::size_t>(n) * pattern.size() : 0));
    }
    Require(ConcatByteSets({&b, nullptr, &pattern}).size() == b.size() + pattern.size());

    const Text read = ReadValue(b, 10);
    Require(read.find('\0') == Text::npos && read.size() <= b.size());
    Require(read == Text(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(read.size())));

    const ByteSet utf16 = ConvertEncoding(b, "GB2312", "UTF-16LE");
    Require(utf16.size() % 2 == 0 && utf16.size() <= 2 * b.size());
    const ByteSet cp936 = ConvertEncoding(b, "CP936", "UTF-16LE");
    Require(cp936.size() % 2 == 0 && cp936.size() <= 2 * b.size());
    // Every GB 2312 text is a code page 936 text of as many characters.
    if (!utf16.empty()) Require(cp936.size() == utf16.size());

    const Text text = WideBytesToText(b);
    Require(text.find('\0') == Text::npos && text.size() <= b.size());

    MemoryFile file;
    file.InsertText(std::string(b.begin(), b.end()));
    file.SeekToStart();
    file.InsertText(std::string(pattern.begin(), pattern.end()));
    file.SeekToStart();
    const Text all = file.ReadText();
    const std::string inserted = std::string(pattern.begin(), pattern.end()) + std::string(b.begin(), b.end());
    Require(all.size() <= inserted.size() && inserted.compare(0, all.size(), all) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string pattern = in.ConsumeRandomLengthString(4);
    const std::int64_t a = PickCount(in, size), b = PickCount(in, size);
    CheckNumbers(in);
    const std::string text = in.ConsumeRemainingBytesAsString();

    CheckSlicing(text, a, b);
    CheckCharacterWise(text, pattern);
    CheckByteSets(ByteSet(text.begin(), text.end()), ByteSet(pattern.begin(), pattern.end()), a);
    return 0;
}
