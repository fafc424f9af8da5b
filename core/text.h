// Text primitives: byte strings in code page 936, positions counted in bytes from 1.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// A Text holds code page 936 bytes and never a zero byte when an operation
// produces it. The empty string is both "empty" and "absent".
using Text = std::string;
using TextList = std::vector<Text>;

std::int32_t TextLength(std::string_view t);
// Two to five texts joined in order (any number is accepted).
Text ConcatText(std::initializer_list<std::string_view> parts);
// -1, 0 or 1, comparing bytes as unsigned values.
std::int32_t CompareTextBytes(std::string_view a, std::string_view b);
// 0 exactly when a and b hold the same bytes (the case-sensitive form).
std::int32_t CompareText(std::string_view a, std::string_view b, bool caseSensitive = true);

Text TextLeft(std::string_view t, std::int64_t n);
Text TextRight(std::string_view t, std::int64_t n);
Text TextMid(std::string_view t, std::int64_t start, std::int64_t n);

// The byte at 1-based pos, sign-extended; 0 outside the text.
std::int32_t CharCode(std::string_view t, std::int64_t pos = 1);
std::int32_t CountChars(std::string_view t);

// Character-wise operations: a byte >= 0x80 and the byte after it form one unit.
std::int32_t FindText(std::string_view t, std::string_view sub);
Text TrimEnd(std::string_view t);
Text TrimBoth(std::string_view t);
Text ReplaceText(std::string_view t, std::string_view find, std::string_view replacement);
TextList SplitText(std::string_view t, std::string_view delimiter);

template <class List>
std::int32_t ArrayCount(const List& list) {
    return static_cast<std::int32_t>(list.size());
}

}  // namespace morvane
