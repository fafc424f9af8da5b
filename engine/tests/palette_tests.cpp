#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/palette.h"
#include "engine/tests/skin_fixture.h"

namespace morvane::skin {
namespace {

// Contrast as the web accessibility guidelines define it, in floating point:
// an oracle independent of the engine's integer tables.
double Linear(uint32_t c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double Luminance(Rgb c) {
    return 0.2126 * Linear(c >> 16 & 0xFF) + 0.7152 * Linear(c >> 8 & 0xFF) + 0.0722 * Linear(c & 0xFF);
}
double Contrast(Rgb a, Rgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
int Distance(Rgb a, Rgb b) {
    return std::abs(int(a >> 16 & 0xFF) - int(b >> 16 & 0xFF)) + std::abs(int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF)) +
           std::abs(int(a & 0xFF) - int(b & 0xFF));
}

TEST(PaletteColour, LinearTableFollowsTheSrgbCurve) {
    for (int c = 0; c < 256; ++c)
        EXPECT_NEAR(LinearChannel(static_cast<uint8_t>(c)), Linear(c) * 65535.0, 1.0) << c;
}

TEST(PaletteColour, ContrastMatchesTheDefinition) {
    const Rgb samples[] = {0x000000, 0xFFFFFF, 0x777777, 0x2F74C0, 0xF3F5F8, 0xFFD000, 0x102030, 0x808080};
    for (Rgb a : samples)
        for (Rgb b : samples) EXPECT_NEAR(ContrastHundredths(a, b) / 100.0, Contrast(a, b), 0.02) << a << " " << b;
}

TEST(PaletteColour, HslCorners) {
    struct Case {
        uint32_t hue, saturation, lightness;
        Rgb expected;
    };
    const Case cases[] = {
        {0, 0, 128, 0x808080},      {0, 255, 128, 0xFF0101},   {512, 255, 128, 0x01FF01},
        {1024, 255, 128, 0x0101FF}, {256, 255, 128, 0xFFFF01}, {1536 + 768, 255, 128, 0x01FFFF},
        {77, 200, 255, 0xFFFFFF},   {900, 200, 0, 0x000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HslToRgb(c.hue, c.saturation, c.lightness), c.expected) << c.hue << "/" << c.saturation;
}

TEST(PaletteColour, MixEnds) {
    EXPECT_EQ(Mix(0x102030, 0xF0E0D0, 0), 0x102030u);
    EXPECT_EQ(Mix(0x102030, 0xF0E0D0, 1000), 0xF0E0D0u);
    EXPECT_EQ(Mix(0x000000, 0xFFFFFF, 500), 0x808080u);
    EXPECT_EQ(Mix(0x102030, 0xF0E0D0, 5000), 0xF0E0D0u);
}

TEST(PaletteColour, ReadableTextKeepsAGoodPreferenceAndOtherwiseFlips) {
    const Rgb light = 0xF0F0F0, dark = 0x202020;
    EXPECT_EQ(ReadableText(0x1D232B, &light, 1, 45), 0x1D232Bu);
    EXPECT_EQ(ReadableText(0x1D232B, &dark, 1, 45), 0xFFFFFFu);
    EXPECT_EQ(ReadableText(0xDDDDDD, &light, 1, 45), 0x000000u);
    const Rgb both[] = {light, 0xB0B0B0};
    EXPECT_EQ(ReadableText(0x707070, both, 2, 45), 0x000000u);
}

class PaletteOfProjectSkin : public ::testing::Test {
protected:
    Skin skin = testing::ProjectSkin();
};

TEST_F(PaletteOfProjectSkin, WithoutTintIsTheSkinItself) {
    for (bool gradient : {false, true}) {
        const Palette p = BuildPalette(skin, kNoTint, gradient);
        EXPECT_EQ(p.windowTop, skin[Field::WindowBackground]);
        EXPECT_EQ(p.windowText, skin[Field::WindowText]);
        EXPECT_EQ(p.editBackground, skin[Field::EditBackground]);
        EXPECT_EQ(p.editText, skin[Field::EditText]);
        EXPECT_EQ(p.buttonFace, skin[Field::ButtonFace]);
        EXPECT_EQ(p.buttonText, skin[Field::ButtonText]);
        EXPECT_EQ(p.statusBackground, skin[Field::StatusBackground]);
        EXPECT_EQ(p.windowBottom == p.windowTop, !gradient);
    }
}

TEST_F(PaletteOfProjectSkin, ZeroAlphaOrLevelMeansNoTint) {
    const Palette plain = BuildPalette(skin, kNoTint, true);
    for (const Tint& t : {Tint{0, 9, 200, 100, 50}, Tint{255, 0, 200, 100, 50}, Tint{255, -7, 200, 100, 50}}) {
        const Palette p = BuildPalette(skin, t, true);
        EXPECT_EQ(p.windowTop, plain.windowTop);
        EXPECT_EQ(p.buttonFace, plain.buttonFace);
    }
}

TEST_F(PaletteOfProjectSkin, WordsPastTheirRangeAreClamped) {
    const Palette inRange = BuildPalette(skin, Tint{255, 10, 255, 255, 255}, true);
    const Palette past = BuildPalette(skin, Tint{0xFFFFFFFF, 1000, 0x10000, 4000, 0xFFFFFFFF}, true);
    EXPECT_EQ(past.windowTop, inRange.windowTop);
    EXPECT_EQ(past.buttonFace, inRange.buttonFace);
    EXPECT_EQ(past.accent, inRange.accent);
}

TEST_F(PaletteOfProjectSkin, EveryTintStaysReadable) {
    // The program tints with alpha 255 and level 9, x, y and z anywhere in 0..255.
    for (uint32_t x = 0; x < 256; x += 15)
        for (uint32_t y = 0; y < 256; y += 15)
            for (uint32_t z = 0; z < 256; z += 51)
                for (bool gradient : {false, true}) {
                    const Palette p = BuildPalette(skin, Tint{255, 9, x, y, z}, gradient);
                    SCOPED_TRACE(::testing::Message() << x << "," << y << "," << z << " gradient " << gradient);
                    for (Rgb bg : {p.windowTop, p.windowBottom}) {
                        EXPECT_GE(Contrast(p.windowText, bg), 4.5);
                        // System-drawn check box and radio captions stay black.
                        EXPECT_GE(Contrast(0x000000, bg), 7.0);
                        EXPECT_GE(Contrast(p.disabledText, bg), 3.0);
                    }
                    EXPECT_GE(Contrast(p.editText, p.editBackground), 7.0);
                    EXPECT_GE(Luminance(p.editBackground), 0.85) << "edit boxes stay nearly white";
                    EXPECT_GE(Contrast(p.buttonText, p.buttonFace), 4.5);
                    EXPECT_GE(Contrast(p.buttonTextHot, p.buttonFaceHot), 4.5);
                    EXPECT_GE(Contrast(p.buttonTextPressed, p.buttonFacePressed), 4.5);
                    EXPECT_GE(Contrast(p.buttonTextDisabled, p.buttonFaceDisabled), 3.0);
                    EXPECT_GE(Contrast(p.statusText, p.statusBackground), 4.5);
                }
}

TEST_F(PaletteOfProjectSkin, DifferentDrawsLookDifferent) {
    // Hues a sixth of the circle apart, whatever the other two words.
    const Palette plain = BuildPalette(skin, kNoTint, true);
    for (uint32_t y : {0u, 128u, 255u}) {
        for (uint32_t x1 = 0; x1 < 256; x1 += 43) {
            const Palette a = BuildPalette(skin, Tint{255, 9, x1, y, 128}, true);
            EXPECT_GE(Distance(a.buttonFace, plain.buttonFace) + Distance(a.windowTop, plain.windowTop), 30)
                << "tint " << x1 << " differs from the plain skin";
            for (uint32_t x2 = x1 + 43; x2 < 256; x2 += 43) {
                const Palette b = BuildPalette(skin, Tint{255, 9, x2, y, 128}, true);
                EXPECT_GE(Distance(a.buttonFace, b.buttonFace), 40) << x1 << " vs " << x2 << " y " << y;
                EXPECT_GE(Distance(a.windowTop, b.windowTop), 12) << x1 << " vs " << x2 << " y " << y;
            }
        }
    }
}

TEST_F(PaletteOfProjectSkin, GradientRunsFromTopToBottom) {
    const Palette p = BuildPalette(skin, Tint{255, 9, 90, 140, 30}, true);
    ASSERT_NE(p.windowTop, p.windowBottom);
    const int height = 200;
    EXPECT_EQ(BackgroundRow(p, 0, height), p.windowTop);
    EXPECT_EQ(BackgroundRow(p, height - 1, height), p.windowBottom);
    EXPECT_EQ(BackgroundRow(p, -5, height), p.windowTop);
    EXPECT_EQ(BackgroundRow(p, height + 5, height), p.windowBottom);
    int previous = 0;
    for (int row = 0; row < height; ++row) {
        const int d = Distance(BackgroundRow(p, row, height), p.windowTop);
        EXPECT_GE(d, previous) << row;
        previous = d;
    }
    EXPECT_EQ(BackgroundRow(p, 0, 1), p.windowTop);
    EXPECT_EQ(BackgroundRow(p, 0, 0), p.windowTop);
}

}  // namespace
}  // namespace morvane::skin
