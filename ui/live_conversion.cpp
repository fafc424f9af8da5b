#include "ui/live_conversion.h"

#include <algorithm>
#include <iterator>

#include "core/bytes.h"
#include "core/hex.h"
#include "core/shaping.h"
#include "core/text.h"
#include "ui/conversion_ties.h"

namespace morvane::ui {
namespace {

Text UnicodeHexOf(std::string_view source, WindowTies&) { return TextToUnicodeHex(source); }

// In the order the live conversion walks them.
const ConversionMode kModes[] = {
    {"单选框_文本到Ascii", TextToAnsiHex, true, false},
    {"单选框_Ascii到文本", AnsiHexToText, false, false},
    {"单选框_文本到Unicode", UnicodeHexOf, true, true},
    {"单选框_Unicode到文本", UnicodeHexToText, false, false},
    // Both captions run the same conversion.
    {"单选框_Ascii到Unicode", UnicodeHexToAnsiHex, true, false},
    {"单选框_Unicode到Ascii", UnicodeHexToAnsiHex, true, false},
};

void ShowCount(Window& window, std::string_view box, std::string_view label) {
    window[label].setText(ToText(CountChars(window[box].text())));
}

}  // namespace

void ConvertForMode(Window& window, const ConversionMode& mode) {
    ConversionTies ties(window);
    if (mode.needsSource && CompareTextBytes(window["编辑框1"].text(), "") == 0) return;
    const int pairs = mode.hexResult ? window["选择框_结果22分开"].checked() : 0;
    Text result = mode.convert(window["编辑框1"].text(), ties);
    if (ties.Outdated()) return;  // a newer conversion has written, or will write, its result
    if (mode.hexResult && pairs == 1) result = SplitIntoPairs(result);
    window["编辑框2"].setText(result);
}

void OnModeTextToAnsiHex(Window& window) { ConvertForMode(window, kModes[0]); }
void OnModeAnsiHexToText(Window& window) { ConvertForMode(window, kModes[1]); }
void OnModeTextToUnicodeHex(Window& window) { ConvertForMode(window, kModes[2]); }
void OnModeUnicodeHexToText(Window& window) { ConvertForMode(window, kModes[3]); }
void OnModeAnsiToUnicode(Window& window) { ConvertForMode(window, kModes[4]); }
void OnModeUnicodeToAnsi(Window& window) { ConvertForMode(window, kModes[5]); }

void OnSourceChanged(Window& window) {
    ShowCount(window, "编辑框1", "透明标签_原文字符数量");
    for (const ConversionMode& mode : kModes) {
        if (window[mode.radio].checked() == 1) ConvertForMode(window, mode);
    }
}

void OnResultChanged(Window& window) { ShowCount(window, "编辑框2", "透明标签_结果字符数量"); }

void OnPairOptionTick(Window& window) {
    const bool hexMode = std::any_of(std::begin(kModes), std::end(kModes), [&](const ConversionMode& mode) {
        return mode.hexResult && window[mode.radio].checked() == 1;
    });
    window["选择框_结果22分开"].setDisabled(hexMode ? 0 : 1);
}

}  // namespace morvane::ui
