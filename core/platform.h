// What the core needs of the operating system: the millisecond tick count,
// the character-set conversion interface and code page 936.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(_WIN32)

namespace morvane {

// The iconv interface, which MinGW lacks, over the system's code page
// conversions (core/iconv_win.cpp). Sources "GB2312", "CP936" and "UTF-16LE",
// target "UTF-16LE"; other names are unknown.
using iconv_t = void*;
iconv_t iconv_open(const char* toCode, const char* fromCode);
std::size_t iconv(iconv_t cd, char** inBuf, std::size_t* inLeft, char** outBuf, std::size_t* outLeft);
int iconv_close(iconv_t cd);

// Code page 936 bytes to UTF-16 code units, every sequence checked: the number
// of units written, or 0 when any byte sequence is not a character of the
// code page or the units do not fit.
std::size_t Cp936ToUnits(std::string_view bytes, wchar_t* units, std::size_t capacity);

}  // namespace morvane

#else

#include <iconv.h>

namespace morvane {
using ::iconv;
using ::iconv_close;
using ::iconv_open;
using ::iconv_t;
}  // namespace morvane

#endif
