// Feeds arbitrary bytes to every conversion; any crash, sanitizer report or
// broken invariant is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/hex.h"
#include "core/literal.h"
#include "core/shaping.h"

namespace {

using namespace morvane;

// Stops the conversion at a pump chosen by the input, to exercise early exits.
class FuzzTies final : public WindowTies {
public:
    explicit FuzzTies(int stopAtPump) : stopAtPump_(stopAtPump) {}
    bool ProcessPendingEvents() override { return ++pumps_ != stopAtPump_; }
    void SetScratchText(std::string_view text) override { scratch_.assign(text); }
    Text ScratchText() override { return scratch_; }

private:
    int stopAtPump_;
    int pumps_ = 0;
    Text scratch_;
};

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    DetachedTies ties;

    const Text ansiHex = TextToAnsiHex(input, ties);
    Require(ansiHex.size() == 2 * size && ties.scratch == ansiHex);
    const Text back = AnsiHexToText(ansiHex, ties);
    Require(back.size() == size);
    for (std::size_t i = 0; i < size; ++i) Require(back[i] == (input[i] == '\0' ? '\n' : input[i]));

    Require(AnsiHexToText(input, ties).size() == (size + 1) / 2);
    Require(HexPairsToBytes(input, ties).size() == (size + 1) / 2);
    HexToInt64(input);

    const Text unicodeHex = TextToUnicodeHex(input);
    Require(unicodeHex.size() % 4 == 0);
    UnicodeHexToText(input, ties);
    UnicodeHexToAnsiHex(input, ties);
    UnicodeHexToAnsiHex(unicodeHex, ties);

    const Text literal = FormatByteSetLiteral(ByteSet(data, data + size), ties);
    Require(ParseByteSetLiteral(literal) == ByteSet(data, data + size));
    ParseByteSetLiteral(input);

    const Text pairs = SplitIntoPairs(input);
    Require(pairs.size() <= size + (size + 1) / 2);
    RemoveSpaces(input);
    RemoveSpaces(pairs);
    HasInnerSpace(input);
    const std::size_t half = size / 2;
    Require(MergeSignatures(input.substr(0, half), input.substr(half)).size() == half);

    FuzzTies stopping(size > 0 ? data[0] % 3 : 1);
    AnsiHexToText(input, stopping);
    UnicodeHexToAnsiHex(input, stopping);
    FormatByteSetLiteral(ByteSet(data, data + size), stopping);
    return 0;
}
