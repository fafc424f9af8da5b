// The iconv interface on Windows, where the C library has none: "GB2312"
// (EUC-CN), "CP936" and "UTF-16LE" to "UTF-16LE", over the system's code page
// 936 conversion. Like iconv it converts whole characters only and stops with
// E2BIG (output full), EILSEQ (no character of the source set) or EINVAL
// (a character cut off by the end of the input), the pointers advanced past
// everything converted, so a call can be continued.
#if defined(_WIN32)

#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

#include "core/platform.h"

namespace morvane {
namespace {

enum class Charset { Gb2312, Cp936, Utf16Le };

struct CharsetName {
    std::string_view name;
    Charset charset;
};

constexpr CharsetName kCharsetNames[] = {
    {"GB2312", Charset::Gb2312},
    {"CP936", Charset::Cp936},
    {"UTF-16LE", Charset::Utf16Le},
};

// Cells of the GB 2312 rows that code page 936 fills with later additions
// (small roman numerals, vertical punctuation, extra pinyin letters); they
// are no GB 2312 characters.
struct CellRange {
    unsigned char lead, firstTrail, lastTrail;
};
constexpr CellRange kLaterAdditions[] = {{0xA2, 0xA1, 0xAA}, {0xA6, 0xE0, 0xF5}, {0xA8, 0xBB, 0xC0}};

struct Converter {
    Charset from;  // the target is always UTF-16LE
};

std::optional<Charset> CharsetNamed(const char* name) {
    if (name == nullptr) return std::nullopt;
    const std::string_view wanted(name);
    for (const CharsetName& known : kCharsetNames) {
        if (known.name.size() != wanted.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < wanted.size() && same; ++i)
            same = std::toupper(static_cast<unsigned char>(wanted[i])) == known.name[i];
        if (same) return known.charset;
    }
    return std::nullopt;
}

enum class Shape { Character, Invalid, Incomplete };

struct NextCharacter {
    Shape shape;
    std::size_t length;  // bytes, for Shape::Character
};

constexpr bool InEucRange(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

// Where the next character ends, judged by the byte structure of the source set.
NextCharacter ShapeOf(Charset from, const unsigned char* p, std::size_t left) {
    switch (from) {
        case Charset::Gb2312:
            if (p[0] < 0x80) return {Shape::Character, 1};
            if (!InEucRange(p[0])) return {Shape::Invalid, 0};
            if (left < 2) return {Shape::Incomplete, 0};
            return InEucRange(p[1]) ? NextCharacter{Shape::Character, 2} : NextCharacter{Shape::Invalid, 0};
        case Charset::Cp936:
            // 80 and FF stand alone; whether they are characters is the code page's call.
            if (p[0] <= 0x80 || p[0] == 0xFF) return {Shape::Character, 1};
            return left < 2 ? NextCharacter{Shape::Incomplete, 0} : NextCharacter{Shape::Character, 2};
        case Charset::Utf16Le: {
            if (left < 2) return {Shape::Incomplete, 0};
            const unsigned unit = p[0] | p[1] << 8;
            if (unit >= 0xDC00 && unit <= 0xDFFF) return {Shape::Invalid, 0};
            if (unit < 0xD800 || unit > 0xDBFF) return {Shape::Character, 2};
            if (left < 4) return {Shape::Incomplete, 0};
            const unsigned next = p[2] | p[3] << 8;
            return next >= 0xDC00 && next <= 0xDFFF ? NextCharacter{Shape::Character, 4} : NextCharacter{Shape::Invalid, 0};
        }
    }
    return {Shape::Invalid, 0};
}

// Code page 936 gives user-defined cells private-use code points; GB 2312 has
// no such cells.
bool IsGb2312Character(const unsigned char* bytes, std::size_t length, wchar_t unit) {
    if (length == 1) return true;
    if (unit >= 0xE000 && unit <= 0xF8FF) return false;
    for (const CellRange& range : kLaterAdditions)
        if (bytes[0] == range.lead && bytes[1] >= range.firstTrail && bytes[1] <= range.lastTrail) return false;
    return true;
}

constexpr std::size_t kCharactersPerChunk = 4096;

// Decodes `count` characters of the given byte lengths into one unit each and
// returns how many leading ones are characters of the source set.
std::size_t DecodeCharacters(Charset from, const unsigned char* in, const unsigned char* lengths, std::size_t count,
                             wchar_t* units) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < count; ++i) bytes += lengths[i];
    const std::string_view all(reinterpret_cast<const char*>(in), bytes);
    // One system call for the whole chunk; one per character only to find
    // where a bad chunk goes wrong.
    const bool wholeChunk = Cp936ToUnits(all, units, count) == count;
    std::size_t offset = 0;
    for (std::size_t i = 0; i < count; offset += lengths[i], ++i) {
        if (!wholeChunk && Cp936ToUnits(all.substr(offset, lengths[i]), units + i, 1) != 1) return i;
        if (from == Charset::Gb2312 && !IsGb2312Character(in + offset, lengths[i], units[i])) return i;
    }
    return count;
}

std::size_t Fail(int error) {
    errno = error;
    return static_cast<std::size_t>(-1);
}

std::size_t Convert(const Converter& converter, char** inBuf, std::size_t* inLeft, char** outBuf,
                     std::size_t* outLeft) {
    while (*inLeft > 0) {
        // Gather the whole characters that are next and fit the output.
        const auto* in = reinterpret_cast<const unsigned char*>(*inBuf);
        std::array<unsigned char, kCharactersPerChunk> lengths;
        std::size_t count = 0, inBytes = 0, outBytes = 0;
        int stop = 0;
        while (count < kCharactersPerChunk && inBytes < *inLeft) {
            const NextCharacter next = ShapeOf(converter.from, in + inBytes, *inLeft - inBytes);
            if (next.shape != Shape::Character) {
                stop = next.shape == Shape::Invalid ? EILSEQ : EINVAL;
                break;
            }
            const std::size_t produced = converter.from == Charset::Utf16Le ? next.length : 2;
            if (outBytes + produced > *outLeft) {
                stop = E2BIG;
                break;
            }
            lengths[count++] = static_cast<unsigned char>(next.length);
            inBytes += next.length;
            outBytes += produced;
        }

        if (converter.from == Charset::Utf16Le) {
            std::memcpy(*outBuf, in, inBytes);
        } else {
            std::array<wchar_t, kCharactersPerChunk> units;
            const std::size_t good = DecodeCharacters(converter.from, in, lengths.data(), count, units.data());
            if (good < count) stop = EILSEQ;
            inBytes = 0;
            for (std::size_t i = 0; i < good; ++i) inBytes += lengths[i];
            outBytes = 2 * good;
            for (std::size_t i = 0; i < good; ++i) {
                (*outBuf)[2 * i] = static_cast<char>(units[i] & 0xFF);
                (*outBuf)[2 * i + 1] = static_cast<char>(units[i] >> 8);
            }
        }
        *inBuf += inBytes;
        *inLeft -= inBytes;
        *outBuf += outBytes;
        *outLeft -= outBytes;
        if (stop != 0) return Fail(stop);
    }
    return 0;
}

}  // namespace

iconv_t iconv_open(const char* toCode, const char* fromCode) {
    const std::optional<Charset> to = CharsetNamed(toCode);
    const std::optional<Charset> from = CharsetNamed(fromCode);
    if (!from || to != Charset::Utf16Le) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1);
    }
    return new Converter{*from};
}

std::size_t iconv(iconv_t cd, char** inBuf, std::size_t* inLeft, char** outBuf, std::size_t* outLeft) {
    if (cd == nullptr || cd == reinterpret_cast<iconv_t>(-1)) return Fail(EBADF);
    // No input means "reset the shift state": these character sets have none.
    if (inBuf == nullptr || *inBuf == nullptr || inLeft == nullptr) return 0;
    if (outBuf == nullptr || *outBuf == nullptr || outLeft == nullptr) return *inLeft == 0 ? 0 : Fail(E2BIG);
    return Convert(*static_cast<const Converter*>(cd), inBuf, inLeft, outBuf, outLeft);
}

int iconv_close(iconv_t cd) {
    if (cd == nullptr || cd == reinterpret_cast<iconv_t>(-1)) {
        errno = EBADF;
        return -1;
    }
    delete static_cast<Converter*>(cd);
    return 0;
}

}  // namespace morvane

#endif
