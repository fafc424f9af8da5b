// Byte sets, numbers as text, the character-set conversion, arithmetic,
// random draws and the in-memory text accumulator.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace morvane {

// A counted byte sequence that may hold zero bytes; empty means absent.
using ByteSet = std::vector<std::uint8_t>;

// Numbers and text
Text ToText(std::int32_t value);      // "%d"
Text ToText(std::uint8_t value);      // "%u"
Text ToText(const ByteSet& bytes);    // bytes before the first zero byte
Text HexText(std::int32_t value);     // "%X" of the value as unsigned 32-bit
std::uint8_t ToByte(std::string_view t);
std::uint8_t ToByte(std::int64_t value);
std::int32_t ToInt(std::string_view t);
Text NarrowFullWidth(std::string_view t);
std::int32_t ParseLeadingInt(std::string_view t);

// Byte sets
ByteSet ToByteSet(std::string_view t);
ByteSet ToByteSet(std::uint8_t value);
std::int32_t ByteSetLength(const ByteSet& b);
ByteSet ByteSetRight(const ByteSet& b, std::int64_t n);
ByteSet BlankByteSet(std::int64_t n);
ByteSet RepeatByteSet(std::int64_t count, const ByteSet& b);
ByteSet ConcatByteSets(std::initializer_list<const ByteSet*> parts);
// Type code 10 reads a Text up to the first zero byte; other codes give the empty text.
Text ReadValue(const ByteSet& b, std::int32_t typeCode);

// Converts between character sets named as iconv names them; the empty byte set
// on any failure, never partial output.
ByteSet ConvertEncoding(const ByteSet& b, const char* from, const char* to);

// Arithmetic
double Power(double base, double exponent);
std::int64_t TruncToInt(double x);

// Random draws: per-thread generator state, one process-wide seed offset.
std::uint32_t TickCountMs();
// Seeds from the tick count plus the seed offset, then advances the offset.
void SeedRandom();
// Sets the calling thread's generator state directly.
void SeedRandom(std::uint32_t seed);
// SeedRandom() with a given tick count; returns the seed it used.
std::uint32_t SeedRandomAt(std::uint32_t tickMs);
// low + draw mod (range + 1), a draw being bits 16..30 of the next state.
std::int32_t RandomInt(std::int32_t low, std::int32_t high);

// A growable in-memory byte file with a current position (grows in 1024-byte steps).
class MemoryFile {
public:
    void InsertText(std::string_view t);
    void SeekToStart();
    // From the position to the end, up to the first byte 00 or 1A; moves the
    // position past the bytes returned.
    Text ReadText();

private:
    std::vector<char> data_;
    std::size_t position_ = 0;
};

}  // namespace morvane
