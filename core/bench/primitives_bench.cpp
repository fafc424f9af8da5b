// Throughput of the text and byte-set primitives on pasted-size inputs; equal
// bytes per second across the sizes shows the work is linear.
#include <benchmark/benchmark.h>

#include <string>

#include "core/bytes.h"
#include "core/hex.h"
#include "core/text.h"

namespace {

using namespace morvane;

// Spaced GBK text with commas: "ab 中,  " repeated to `size` bytes.
std::string SpacedText(std::size_t size) {
    static const std::string kPiece = "ab \xD6\xD0,  ";
    std::string t;
    t.reserve(size + kPiece.size());
    while (t.size() < size) t += kPiece;
    t.resize(size);
    return t;
}

// UTF-16LE units of 'A', 中 and a Thai letter (no code page 936 character).
ByteSet WideUnits(std::size_t size) {
    static const std::uint8_t kUnits[] = {'A', 0, 0x2D, 0x4E, 0x01, 0x0E};
    ByteSet units(size);
    for (std::size_t i = 0; i < size; ++i) units[i] = kUnits[i % sizeof kUnits];
    return units;
}

template <class Operation>
void RunOnText(benchmark::State& state, Operation operation) {
    const std::string t = SpacedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(operation(t));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_ReplaceSpaces(benchmark::State& state) {
    RunOnText(state, [](const std::string& t) { return ReplaceText(t, " ", ""); });
}
void BM_ReplaceTwoBytes(benchmark::State& state) {
    RunOnText(state, [](const std::string& t) { return ReplaceText(t, ",  ", ";"); });
}
void BM_SplitText(benchmark::State& state) {
    RunOnText(state, [](const std::string& t) { return SplitText(t, ","); });
}
void BM_TrimBoth(benchmark::State& state) {
    RunOnText(state, [](const std::string& t) { return TrimBoth(t + "      "); });
}
void BM_FindTextMissing(benchmark::State& state) {
    RunOnText(state, [](const std::string& t) { return FindText(t, "\t"); });
}
void BM_CountChars(benchmark::State& state) {
    RunOnText(state, [](const std::string& t) { return CountChars(t); });
}
void BM_NarrowFullWidth(benchmark::State& state) {
    RunOnText(state, [](const std::string& t) { return NarrowFullWidth(t); });
}
void BM_ConvertGb2312ToUtf16(benchmark::State& state) {
    const ByteSet gbk = ToByteSet(SpacedText(static_cast<std::size_t>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(ConvertEncoding(gbk, "GB2312", "UTF-16LE"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
void BM_WideBytesToText(benchmark::State& state) {
    const ByteSet units = WideUnits(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(WideBytesToText(units));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
void BM_MemoryFileAppend(benchmark::State& state) {
    for (auto _ : state) {
        MemoryFile file;
        for (std::int64_t i = 0; i < state.range(0) / 4; ++i) file.InsertText("214,");
        file.SeekToStart();
        benchmark::DoNotOptimize(file.ReadText());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

#define PRIMITIVE_SIZES ->Arg(1 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ReplaceSpaces) PRIMITIVE_SIZES;
BENCHMARK(BM_ReplaceTwoBytes) PRIMITIVE_SIZES;
BENCHMARK(BM_SplitText) PRIMITIVE_SIZES;
BENCHMARK(BM_TrimBoth) PRIMITIVE_SIZES;
BENCHMARK(BM_FindTextMissing) PRIMITIVE_SIZES;
BENCHMARK(BM_CountChars) PRIMITIVE_SIZES;
BENCHMARK(BM_NarrowFullWidth) PRIMITIVE_SIZES;
BENCHMARK(BM_ConvertGb2312ToUtf16) PRIMITIVE_SIZES;
BENCHMARK(BM_WideBytesToText) PRIMITIVE_SIZES;
BENCHMARK(BM_MemoryFileAppend) PRIMITIVE_SIZES;

}  // namespace
