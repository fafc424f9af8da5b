// The operating system's side of the core: the tick count and the code page
// conversions. The one core file that sees the Windows headers.
#include "core/platform.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include "core/bytes.h"
#include "core/hex.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <chrono>
#endif

namespace morvane {

#if defined(_WIN32)

std::uint32_t TickCountMs() { return GetTickCount(); }

std::size_t Cp936ToUnits(std::string_view bytes, wchar_t* units, std::size_t capacity) {
    if (bytes.empty() || bytes.size() > INT_MAX) return 0;
    const int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), units,
                                      static_cast<int>(std::min<std::size_t>(capacity, INT_MAX)));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

Text WideBytesToText(const ByteSet& units) {
    const std::size_t count = units.size() / 2;  // a last odd byte is no code unit
    std::wstring wide(count, L'\0');
    if (count > 0) std::memcpy(wide.data(), units.data(), 2 * count);
    // Sized first, then converted; pieces keep the counts within the API's int.
    constexpr std::size_t kMaxPiece = INT_MAX / 2;
    Text text;
    for (std::size_t done = 0; done < count;) {
        const int piece = static_cast<int>(std::min(count - done, kMaxPiece));
        const int size = WideCharToMultiByte(936, WC_COMPOSITECHECK, wide.data() + done, piece, nullptr, 0, nullptr, nullptr);
        const std::size_t at = text.size();
        text.resize(at + static_cast<std::size_t>(std::max(size, 0)));
        if (size > 0)
            WideCharToMultiByte(936, WC_COMPOSITECHECK, wide.data() + done, piece, text.data() + at, size, nullptr, nullptr);
        done += static_cast<std::size_t>(piece);
    }
    // Read as a text: a zero code unit became a zero byte and ends it.
    text.resize(std::min(text.find('\0'), text.size()));
    return text;
}

#else

std::uint32_t TickCountMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

Text WideBytesToText(const ByteSet& units) {
    // A zero code unit ends the text, so nothing after it is converted.
    std::size_t count = units.size() / 2;  // a last odd byte is no code unit
    for (std::size_t i = 0; i < count; ++i) {
        if (units[2 * i] == 0 && units[2 * i + 1] == 0) {
            count = i;
            break;
        }
    }
    if (count == 0) return {};
    const iconv_t cd = iconv_open("CP936", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    // At most two bytes per code unit, and one for a '?'.
    Text text(2 * count, '\0');
    char* out = text.data();
    std::size_t outLeft = text.size();
    // Short pieces: after a failure the C library re-reads its whole internal
    // buffer, so long ones would make every '?' cost kilobytes of work.
    constexpr std::size_t kUnitsPerPiece = 64;
    const auto* bytes = reinterpret_cast<const char*>(units.data());
    for (std::size_t done = 0; done < count;) {
        // A pair cut by a piece's end costs nothing: the code page has no
        // character beyond 16 bits, so every surrogate becomes a '?' anyway.
        const std::size_t end = std::min(count, done + kUnitsPerPiece);
        char* in = const_cast<char*>(bytes + 2 * done);
        std::size_t inLeft = 2 * (end - done);
        while (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) && outLeft > 0) {
            // Like the system's conversion: each code unit the code page lacks,
            // a lone surrogate or each half of a pair, becomes the default character.
            *out++ = '?';
            --outLeft;
            in += 2;
            inLeft -= 2;
        }
        done = end;
    }
    iconv_close(cd);
    text.resize(text.size() - outLeft);
    return text;
}

#endif

}  // namespace morvane
