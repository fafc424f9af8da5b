// Conversions at the boundary between Text (code page 936 bytes) and the
// UTF-16 of the wide Win32 API. Always code page 936, whatever the system locale.
#pragma once

#include <string>
#include <string_view>

#include "core/text.h"

namespace morvane::ui {

inline constexpr unsigned kTextCodePage = 936;

std::wstring WideFromText(std::string_view text);
Text TextFromWide(std::wstring_view wide);

// UTF-8 source literals (captions, messages) as UTF-16 or as Text.
std::wstring WideFromUtf8(std::string_view utf8);
Text Gbk(std::string_view utf8);

// Byte offset in the Text of a UTF-16 position, and back. A byte offset
// inside a two-byte character is rounded down to the character's start.
int ByteOffsetOfWideIndex(std::wstring_view wide, int wideIndex);
int WideIndexOfByteOffset(std::string_view text, int byteOffset);

}  // namespace morvane::ui
