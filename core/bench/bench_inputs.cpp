#include "core/bench/bench_inputs.h"

#include <functional>
#include <map>
#include <random>
#include <utility>

#include "core/hex.h"
#include "core/literal.h"
#include "core/shaping.h"

namespace morvane::bench {
namespace {

// One input per (kind, size), kept for the whole run.
const std::string& Cached(const char* kind, std::size_t size, const std::function<std::string()>& make) {
    static std::map<std::pair<std::string, std::size_t>, std::string> cache;
    auto key = std::make_pair(std::string(kind), size);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, make()).first;
    return it->second;
}

std::string Truncated(std::string s, std::size_t size) {
    s.resize(size, '0');
    return s;
}

}  // namespace

const std::string& GbkText(std::size_t size) {
    return Cached("gbk", size, [size] {
        std::mt19937 rng(static_cast<unsigned>(size));
        std::uniform_int_distribution<int> kind(0, 2), ascii(0x20, 0x7E), lead(0xB0, 0xD6), trail(0xA1, 0xFE);
        std::string text;
        text.reserve(size);
        while (text.size() < size) {
            if (kind(rng) == 0 || text.size() + 1 == size) {
                text.push_back(static_cast<char>(ascii(rng)));
            } else {
                text.push_back(static_cast<char>(lead(rng)));
                text.push_back(static_cast<char>(trail(rng)));
            }
        }
        return text;
    });
}

const std::string& AnsiHex(std::size_t size) {
    return Cached("ansihex", size, [size] {
        DetachedTies ties;
        return Truncated(TextToAnsiHex(GbkText(size / 2 + 1), ties), size);
    });
}

const std::string& UnicodeHex(std::size_t size) {
    return Cached("unicodehex", size, [size] { return Truncated(TextToUnicodeHex(GbkText(size / 2 + 1)), size); });
}

const std::string& PairSplitHex(std::size_t size) {
    return Cached("pairs", size, [size] { return Truncated(SplitIntoPairs(AnsiHex(size)), size); });
}

const std::string& Signature(std::size_t size) { return AnsiHex(size); }

const std::string& OtherSignature(std::size_t size) {
    return Cached("other", size, [size] {
        std::string s = Signature(size);
        for (std::size_t i = 0; i < s.size(); i += 7) s[i] = s[i] == 'F' ? '0' : 'F';
        return s;
    });
}

const std::string& RandomBytes(std::size_t size) {
    return Cached("bytes", size, [size] {
        std::mt19937 rng(static_cast<unsigned>(size) + 1);
        std::uniform_int_distribution<int> byte(1, 255);
        std::string s(size, '\0');
        for (char& c : s) c = static_cast<char>(byte(rng));
        return s;
    });
}

const std::string& ByteSetLiteral(std::size_t size) {
    return Cached("literal", size, [size] {
        DetachedTies ties;
        const std::string& bytes = RandomBytes(size / 3 + 1);
        return Truncated(FormatByteSetLiteral(ByteSet(bytes.begin(), bytes.end()), ties), size);
    });
}

}  // namespace morvane::bench
