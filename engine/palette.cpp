#include "engine/palette.h"

namespace morvane::skin {
namespace {

constexpr uint8_t Red(Rgb c) { return static_cast<uint8_t>(c >> 16); }
constexpr uint8_t Green(Rgb c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t Blue(Rgb c) { return static_cast<uint8_t>(c); }
constexpr Rgb MakeRgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }
constexpr uint32_t Clamp(uint32_t v, uint32_t hi) { return v > hi ? hi : v; }

// (t)^(2/5) by Newton's method on y^5 = t^2, for the sRGB curve at compile time.
constexpr double PowTwoFifths(double t) {
    const double target = t * t;
    double y = 1.0;
    for (int i = 0; i < 100; ++i) {
        const double y4 = y * y * y * y;
        y -= (y4 * y - target) / (5.0 * y4);
    }
    return y;
}

struct LinearTable {
    uint16_t entries[256];
};

constexpr LinearTable MakeLinearTable() {
    LinearTable table{};
    for (int c = 0; c < 256; ++c) {
        const double v = c / 255.0;
        double linear = v / 12.92;
        if (v > 0.04045) {
            const double t = (v + 0.055) / 1.055;
            linear = t * t * PowTwoFifths(t);  // t^2.4
        }
        table.entries[c] = static_cast<uint16_t>(linear * 65535.0 + 0.5);
    }
    return table;
}

constexpr LinearTable kLinear = MakeLinearTable();

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;
// Disabled text is meant to recede, but must still be readable.
constexpr uint32_t kDisabledContrastTenths = 30;
// Tint targets keep the colour's lightness inside this band, so that near-white
// and near-black colours still take on visible colour.
constexpr uint32_t kTargetLightnessMin = 40;
constexpr uint32_t kTargetLightnessMax = 218;

enum class HueSource : uint8_t { Main, Accent };

struct TintRole {
    Field field;
    HueSource hue;
    uint32_t weightPermille;  // share of the tint this colour takes
};

// Texts take no tint: their colour follows from contrast alone. Edit boxes stay
// nearly white, as the program expects black text on white there.
constexpr TintRole kTintRoles[] = {
    {Field::WindowBackground, HueSource::Main, 1000},
    {Field::EditBackground, HueSource::Main, 120},
    {Field::EditBorder, HueSource::Main, 1000},
    {Field::EditBorderFocus, HueSource::Accent, 1000},
    {Field::ButtonFace, HueSource::Accent, 1000},
    {Field::ButtonFaceHot, HueSource::Accent, 1000},
    {Field::ButtonFacePressed, HueSource::Accent, 1000},
    {Field::ButtonBorder, HueSource::Accent, 1000},
    {Field::StatusBackground, HueSource::Main, 1000},
    {Field::Accent, HueSource::Accent, 1000},
};

struct TintPlan {
    uint32_t amountPermille;
    uint32_t mainHue, accentHue, saturation;
};

TintPlan PlanTint(const Skin& skin, const Tint& tint) {
    const uint32_t x = Clamp(tint.x, 255), y = Clamp(tint.y, 255), z = Clamp(tint.z, 255);
    const uint32_t alpha = Clamp(tint.alpha, 255);
    const uint32_t level = tint.level < 0 ? 0 : Clamp(static_cast<uint32_t>(tint.level), 10);
    TintPlan plan{};
    if (x == 0 && y == 0 && z == 0) return plan;
    plan.amountPermille = skin[Field::TintStrength] * level * alpha / 255;
    plan.mainHue = x * 6;
    plan.accentHue = (plan.mainHue + 1536 + z * 2 - 256) % 1536;  // within 60 degrees either side
    plan.saturation = 100 + y * 110 / 255;
    return plan;
}

Rgb Tinted(Rgb base, uint32_t hue, const TintPlan& plan, uint32_t weightPermille) {
    uint32_t lightness = Lightness(base);
    if (lightness < kTargetLightnessMin) lightness = kTargetLightnessMin;
    if (lightness > kTargetLightnessMax) lightness = kTargetLightnessMax;
    const Rgb target = HslToRgb(hue, plan.saturation, lightness);
    return Mix(base, target, plan.amountPermille * weightPermille / 1000);
}

uint32_t MinContrastAgainst(Rgb text, const Rgb* backgrounds, uint32_t count) {
    uint32_t worst = ~0u;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t c = ContrastHundredths(text, backgrounds[i]);
        if (c < worst) worst = c;
    }
    return worst;
}

}  // namespace

Rgb Mix(Rgb from, Rgb to, uint32_t permille) {
    permille = Clamp(permille, 1000);
    auto channel = [permille](uint32_t a, uint32_t b) {
        return (a * (1000 - permille) + b * permille + 500) / 1000;
    };
    return MakeRgb(channel(Red(from), Red(to)), channel(Green(from), Green(to)), channel(Blue(from), Blue(to)));
}

uint32_t Lightness(Rgb c) {
    const uint32_t r = Red(c), g = Green(c), b = Blue(c);
    const uint32_t hi = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const uint32_t lo = r < g ? (r < b ? r : b) : (g < b ? g : b);
    return (hi + lo + 1) / 2;
}

Rgb HslToRgb(uint32_t hue, uint32_t saturation, uint32_t lightness) {
    hue %= 1536;
    saturation = Clamp(saturation, 255);
    lightness = Clamp(lightness, 255);
    const uint32_t distance = lightness * 2 > 255 ? lightness * 2 - 255 : 255 - lightness * 2;
    const uint32_t chroma = (255 - distance) * saturation / 255;
    const uint32_t within = hue % 512;
    const uint32_t ramp = within > 256 ? within - 256 : 256 - within;
    const uint32_t second = chroma * (256 - ramp) / 256;
    const uint32_t low = lightness > chroma / 2 ? lightness - chroma / 2 : 0;
    // Channel order per 60-degree sector: which channel takes chroma, second, none.
    static constexpr uint8_t kSectors[6][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}};
    uint32_t level[3] = {chroma, second, 0};
    uint32_t channel[3] = {};
    for (int i = 0; i < 3; ++i) channel[i] = Clamp(low + level[kSectors[hue / 256][i]], 255);
    return MakeRgb(channel[0], channel[1], channel[2]);
}

uint32_t LinearChannel(uint8_t channel) { return kLinear.entries[channel]; }

uint32_t RelativeLuminance(Rgb c) {
    return (2126 * LinearChannel(Red(c)) + 7152 * LinearChannel(Green(c)) + 722 * LinearChannel(Blue(c)) + 5000) /
           10000;
}

uint32_t ContrastHundredths(Rgb a, Rgb b) {
    uint32_t la = RelativeLuminance(a), lb = RelativeLuminance(b);
    if (la < lb) {
        const uint32_t t = la;
        la = lb;
        lb = t;
    }
    constexpr uint32_t kFlare = 3277;  // 0.05 of full scale
    return (la + kFlare) * 100 / (lb + kFlare);
}

Rgb ReadableText(Rgb preferred, const Rgb* backgrounds, uint32_t count, uint32_t minContrastTenths) {
    if (MinContrastAgainst(preferred, backgrounds, count) >= minContrastTenths * 10) return preferred;
    return MinContrastAgainst(kBlack, backgrounds, count) >= MinContrastAgainst(kWhite, backgrounds, count) ? kBlack
                                                                                                          : kWhite;
}

Palette BuildPalette(const Skin& skin, const Tint& tint, bool gradient) {
    const TintPlan plan = PlanTint(skin, tint);
    Skin tinted = skin;
    for (const TintRole& role : kTintRoles) {
        const uint32_t hue = role.hue == HueSource::Main ? plan.mainHue : plan.accentHue;
        tinted.values[static_cast<uint32_t>(role.field)] = Tinted(skin[role.field], hue, plan, role.weightPermille);
    }

    Palette p{};
    p.windowTop = tinted[Field::WindowBackground];
    p.accent = tinted[Field::Accent];
    p.windowBottom = gradient ? Mix(p.windowTop, p.accent, skin[Field::GradientDepth] * 10) : p.windowTop;
    p.editBackground = tinted[Field::EditBackground];
    p.editBorder = tinted[Field::EditBorder];
    p.editBorderFocus = tinted[Field::EditBorderFocus];
    p.buttonFace = tinted[Field::ButtonFace];
    p.buttonFaceHot = tinted[Field::ButtonFaceHot];
    p.buttonFacePressed = tinted[Field::ButtonFacePressed];
    p.buttonBorder = tinted[Field::ButtonBorder];
    p.buttonFaceDisabled = Mix(p.buttonFace, p.windowTop, 650);
    p.statusBackground = tinted[Field::StatusBackground];
    p.buttonCornerRadius = skin[Field::ButtonCornerRadius];
    p.editBorderWidth = skin[Field::EditBorderWidth];

    const uint32_t minContrast = skin[Field::MinContrast];
    const Rgb window[] = {p.windowTop, p.windowBottom};
    p.windowText = ReadableText(skin[Field::WindowText], window, 2, minContrast);
    p.editText = ReadableText(skin[Field::EditText], &p.editBackground, 1, minContrast);
    p.buttonText = ReadableText(skin[Field::ButtonText], &p.buttonFace, 1, minContrast);
    p.buttonTextHot = ReadableText(skin[Field::ButtonText], &p.buttonFaceHot, 1, minContrast);
    p.buttonTextPressed = ReadableText(skin[Field::ButtonText], &p.buttonFacePressed, 1, minContrast);
    p.statusText = ReadableText(skin[Field::StatusText], &p.statusBackground, 1, minContrast);
    p.disabledText = ReadableText(skin[Field::DisabledText], window, 2, kDisabledContrastTenths);
    p.buttonTextDisabled = ReadableText(skin[Field::DisabledText], &p.buttonFaceDisabled, 1, kDisabledContrastTenths);
    return p;
}

Rgb BackgroundRow(const Palette& palette, int32_t row, int32_t height) {
    if (height <= 1 || row <= 0) return palette.windowTop;
    if (row >= height - 1) return palette.windowBottom;
    return Mix(palette.windowTop, palette.windowBottom,
               static_cast<uint32_t>(row) * 1000 / static_cast<uint32_t>(height - 1));
}

}  // namespace morvane::skin
