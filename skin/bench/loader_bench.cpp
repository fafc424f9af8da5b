// How long mapping the fixture module takes, and one export lookup, on the
// fake system of the tests (native x86-64 code, so the entry point runs).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "skin/memory_module.h"
#include "skin/tests/fake_system.h"

extern const unsigned char bench_main_image[];
extern const std::size_t bench_main_image_size;

namespace {

using namespace morvane;

void MORVANE_MODULE_ABI NoteEvent(void*, int) {}
int MORVANE_MODULE_ABI Twice(int x) {
    return 2 * x;
}

testing::FakeSystem& System() {
    static testing::FakeSystem system;
    static const bool helperAdded = [] {
        system.AddLibrary("fixture_helper.dll", {{{"NoteEvent", reinterpret_cast<std::uintptr_t>(&NoteEvent)}},
                                                 {{17, reinterpret_cast<std::uintptr_t>(&Twice)}}});
        return true;
    }();
    (void)helperAdded;
    return system;
}

const std::span<const std::uint8_t> kImage(bench_main_image, bench_main_image_size);

void LoadAndFree(benchmark::State& state) {
    MemoryModule module(System());
    for (auto _ : state) {
        if (!module.Load(kImage)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(module.BaseAddress());
        module.Free();
    }
}
BENCHMARK(LoadAndFree);

void FindProc(benchmark::State& state, const char* name) {
    MemoryModule module(System());
    if (!module.Load(kImage)) state.SkipWithError("load failed");
    for (auto _ : state) benchmark::DoNotOptimize(module.FindProc(name));
    module.Free();
}
BENCHMARK_CAPTURE(FindProc, first_name, "Add");
BENCHMARK_CAPTURE(FindProc, last_name, "Weigh10");
BENCHMARK_CAPTURE(FindProc, ordinal, "10");
BENCHMARK_CAPTURE(FindProc, missing_name, "SkinH_Missing");

}  // namespace
