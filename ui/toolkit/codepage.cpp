#include "ui/toolkit/codepage.h"

#include <windows.h>

#include <algorithm>

namespace morvane::ui {
namespace {

std::wstring ToWide(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), units);
    return wide;
}

std::string FromWide(unsigned codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    const int units = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), units, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring WideFromText(std::string_view text) { return ToWide(kTextCodePage, text); }
Text TextFromWide(std::wstring_view wide) { return FromWide(kTextCodePage, wide); }
std::wstring WideFromUtf8(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
Text Gbk(std::string_view utf8) { return TextFromWide(WideFromUtf8(utf8)); }

int ByteOffsetOfWideIndex(std::wstring_view wide, int wideIndex) {
    const auto units = static_cast<std::size_t>(std::clamp(wideIndex, 0, static_cast<int>(wide.size())));
    return static_cast<int>(TextFromWide(wide.substr(0, units)).size());
}

int WideIndexOfByteOffset(std::string_view text, int byteOffset) {
    const auto limit = static_cast<std::size_t>(std::clamp(byteOffset, 0, static_cast<int>(text.size())));
    std::size_t end = 0;
    while (end < limit) {
        const bool pair = IsDBCSLeadByteEx(kTextCodePage, static_cast<BYTE>(text[end])) && end + 1 < text.size();
        const std::size_t step = pair ? 2 : 1;
        if (end + step > limit) break;
        end += step;
    }
    return static_cast<int>(WideFromText(text.substr(0, end)).size());
}

}  // namespace morvane::ui
