// The six conversion modes of the main window and the live conversion of
// `编辑框1` into `编辑框2`.
#pragma once

#include <string_view>

#include "core/window_ties.h"
#include "ui/toolkit/window.h"

namespace morvane::ui {

struct ConversionMode {
    std::string_view radio;
    Text (*convert)(std::string_view source, WindowTies& ties);
    bool hexResult;     // the pair option applies, and the tick enables it
    bool needsSource;   // an empty source is not converted
};

void ConvertForMode(Window& window, const ConversionMode& mode);

// Handlers.
void OnModeTextToAnsiHex(Window& window);
void OnModeAnsiHexToText(Window& window);
void OnModeTextToUnicodeHex(Window& window);
void OnModeUnicodeHexToText(Window& window);
void OnModeAnsiToUnicode(Window& window);
void OnModeUnicodeToAnsi(Window& window);
void OnSourceChanged(Window& window);
void OnResultChanged(Window& window);
void OnPairOptionTick(Window& window);

}  // namespace morvane::ui
