// Time from writing `编辑框1` to the result standing in `编辑框2`, in the real
// main window, split into our own code's share and the edit controls' share
// (their WM_SETTEXT and WM_GETTEXT). Prints figures; sizes in KiB as arguments.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ui/main_window.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/codepage.h"
#include "ui/toolkit/edit_timing.h"
#include "ui/toolkit/window.h"

namespace {

using morvane::Text;
using namespace morvane::ui;

enum class SourceKind { Text, GbkHex, Utf16Hex };

struct Mode {
    const char* radio;
    const char* label;
    SourceKind source;
};

const Mode kModes[] = {
    {"单选框_文本到Ascii", "text to GBK hex", SourceKind::Text},
    {"单选框_Ascii到文本", "GBK hex to text", SourceKind::GbkHex},
    {"单选框_文本到Unicode", "text to UTF-16LE hex", SourceKind::Text},
    {"单选框_Unicode到文本", "UTF-16LE hex to text", SourceKind::Utf16Hex},
    {"单选框_Ascii到Unicode", "UTF-16LE hex to GBK hex (1)", SourceKind::Utf16Hex},
    {"单选框_Unicode到Ascii", "UTF-16LE hex to GBK hex (2)", SourceKind::Utf16Hex},
};

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

// Chinese and Latin text with spaces and line breaks, cut at a character.
Text SampleText(std::size_t bytes) {
    const Text unit = Gbk("中文字符与字节 GBK text 123，转换。\r\n");
    Text text;
    while (text.size() + unit.size() <= bytes) text += unit;
    for (std::size_t i = 0; text.size() < bytes; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

Text SourceOfSize(SourceKind kind, std::size_t bytes) {
    switch (kind) {
        case SourceKind::Text:
            return SampleText(bytes);
        case SourceKind::GbkHex:
            return Hex(SampleText(bytes / 2));
        case SourceKind::Utf16Hex: {
            const std::wstring wide = WideFromText(SampleText(bytes / 3));
            std::string units(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
            Text hex = Hex(units);
            hex.resize(std::min(hex.size(), bytes) / 4 * 4);
            return hex;
        }
    }
    return {};
}

double Seconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1, 16, 256};

    InitialiseToolkit();
    Window* window = OpenWindow(MainWindowTable());
    if (!window) return 1;
    Window& main = *window;

    std::printf("%-7s %-28s %12s %12s %12s %8s\n", "source", "mode", "total ms", "controls ms", "ours ms", "ours %");
    for (int kib : sizes) {
        const int rounds = kib <= 1 ? 7 : 1;
        for (const Mode& mode : kModes) {
            const Text source = SourceOfSize(mode.source, static_cast<std::size_t>(kib) * 1024);
            std::vector<double> totals;
            std::vector<double> ourShares;
            for (int round = 0; round < rounds; ++round) {
                for (const Mode& other : kModes) main[other.radio].setChecked(0);
                main["编辑框1"].setText("");
                main["编辑框2"].setText("");
                main[mode.radio].setChecked(1);
                ProcessPendingEvents();
                ResetEditControlTime();
                LARGE_INTEGER start;
                LARGE_INTEGER end;
                QueryPerformanceCounter(&start);
                main["编辑框1"].setText(source);
                QueryPerformanceCounter(&end);
                totals.push_back(Seconds(end.QuadPart - start.QuadPart) * 1e3);
                ourShares.push_back(totals.back() - static_cast<double>(EditControlNanoseconds()) / 1e6);
                if (main["编辑框2"].text().empty()) std::printf("  (no result for %s)\n", mode.label);
            }
            // Medians of the rounds; the first round also pays for one-time tables.
            std::sort(totals.begin(), totals.end());
            std::sort(ourShares.begin(), ourShares.end());
            const double total = totals[totals.size() / 2];
            const double ours = std::min(ourShares[ourShares.size() / 2], total);
            const double control = total - ours;
            std::printf("%4d KiB %-28s %12.2f %12.2f %12.2f %7.2f%%\n", kib, mode.label, total, control, ours,
                        total > 0 ? 100.0 * ours / total : 0.0);
            std::fflush(stdout);
        }
    }
    DestroyWindow(main.hwnd());
    return 0;
}
