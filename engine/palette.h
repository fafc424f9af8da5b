// Turns a skin, a tint and the gradient switch into the colours the engine
// draws with. Integer-only plain code: it builds into the freestanding DLL.
#pragma once

#include <stdint.h>

#include "engine/skin_format.h"

namespace morvane::skin {

using Rgb = uint32_t;  // 0x00RRGGBB, as in the skin file

// The words of the tint call as received; out-of-range values are clamped.
struct Tint {
    uint32_t alpha;  // 0..255: how much of the tint to apply
    int32_t level;   // 0..10: the same, in tenths
    uint32_t x, y, z;  // 0..255 each: hue, vividness, accent hue offset; all 0 means no tint
};
inline constexpr Tint kNoTint = {255, 10, 0, 0, 0};

struct Palette {
    Rgb windowTop, windowBottom, windowText;
    Rgb editBackground, editText, editBorder, editBorderFocus;
    Rgb buttonFace, buttonFaceHot, buttonFacePressed, buttonBorder;
    Rgb buttonText, buttonTextHot, buttonTextPressed;  // each readable on its own face
    Rgb buttonFaceDisabled, buttonTextDisabled;
    Rgb disabledText;
    Rgb statusBackground, statusText;
    Rgb accent;
    uint32_t buttonCornerRadius, editBorderWidth;
};

Palette BuildPalette(const Skin& skin, const Tint& tint, bool gradient);

// Background colour of row `row` of a client area `height` rows tall.
Rgb BackgroundRow(const Palette& palette, int32_t row, int32_t height);

// Colour arithmetic, exposed for the tests.
Rgb Mix(Rgb from, Rgb to, uint32_t permille);
uint32_t Lightness(Rgb c);                               // HSL lightness, 0..255
Rgb HslToRgb(uint32_t hue, uint32_t saturation, uint32_t lightness);  // hue 0..1535, others 0..255
uint32_t LinearChannel(uint8_t channel);                 // sRGB to linear light, 0..65535
uint32_t RelativeLuminance(Rgb c);                       // 0..65535
uint32_t ContrastHundredths(Rgb a, Rgb b);               // contrast ratio times 100
// The preferred colour if it reaches the minimum contrast against every
// background, otherwise black or white, whichever reads better.
Rgb ReadableText(Rgb preferred, const Rgb* backgrounds, uint32_t count, uint32_t minContrastTenths);

}  // namespace morvane::skin
