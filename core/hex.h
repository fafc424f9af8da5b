// Hexadecimal renderings of text in GBK and UTF-16LE, and back.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/bytes.h"
#include "core/text.h"
#include "core/window_ties.h"

namespace morvane {

// Decoders pump window events at most once per this many decoded bytes.
inline constexpr std::size_t kBytesPerEventPump = 64 * 1024;

Text TextToAnsiHex(std::string_view text, WindowTies& ties);
Text AnsiHexToText(std::string_view hex, WindowTies& ties);
Text TextToUnicodeHex(std::string_view text);
Text UnicodeHexToText(std::string_view hex, WindowTies& ties);
Text UnicodeHexToAnsiHex(std::string_view hex, WindowTies& ties);
ByteSet HexPairsToBytes(std::string_view hex, WindowTies& ties);
std::int64_t HexToInt64(std::string_view digits);
// UTF-16LE code units to code page 936; a zero code unit ends the text.
Text WideBytesToText(const ByteSet& units);

}  // namespace morvane
