// What attaching and retinting cost before any drawing: reading the skin and
// making the palette, and the per-row gradient colours of a window.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "engine/palette.h"
#include "engine/skin_format.h"

namespace {

using namespace morvane::skin;

std::vector<uint8_t> SkinFile() {
    std::ifstream in(MORVANE_SKIN_FILE, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ParseProjectSkin(benchmark::State& state) {
    const std::vector<uint8_t> file = SkinFile();
    Skin skin{};
    for (auto _ : state) benchmark::DoNotOptimize(ParseSkin(file.data(), file.size(), &skin));
}
BENCHMARK(ParseProjectSkin);

void BuildTintedPalette(benchmark::State& state) {
    const std::vector<uint8_t> file = SkinFile();
    Skin skin{};
    ParseSkin(file.data(), file.size(), &skin);
    uint32_t x = 0;
    for (auto _ : state) {
        x = (x + 37) & 0xFF;
        benchmark::DoNotOptimize(BuildPalette(skin, Tint{255, 9, x, 255 - x, x ^ 0x55}, true));
    }
}
BENCHMARK(BuildTintedPalette);

void GradientOf1000Rows(benchmark::State& state) {
    const std::vector<uint8_t> file = SkinFile();
    Skin skin{};
    ParseSkin(file.data(), file.size(), &skin);
    const Palette p = BuildPalette(skin, Tint{255, 9, 90, 140, 30}, true);
    for (auto _ : state)
        for (int row = 0; row < 1000; ++row) benchmark::DoNotOptimize(BackgroundRow(p, row, 1000));
}
BENCHMARK(GradientOf1000Rows);

}  // namespace

BENCHMARK_MAIN();
