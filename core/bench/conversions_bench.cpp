// Throughput of the core operations at 1 KiB, 1 MiB and 64 MiB of input.
#include <benchmark/benchmark.h>

#include "core/bench/bench_inputs.h"
#include "core/hex.h"
#include "core/literal.h"
#include "core/shaping.h"

namespace morvane::bench {
namespace {

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1 << 10)->Arg(1 << 20)->Arg(64 << 20)->Unit(benchmark::kMicrosecond);
}

// Runs op on the input each iteration and counts the input's bytes.
template <class Op>
void Measure(benchmark::State& state, const std::string& input, Op op) {
    for (auto _ : state) benchmark::DoNotOptimize(op(input));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_TextToAnsiHex(benchmark::State& state) {
    DetachedTies ties;
    Measure(state, GbkText(state.range(0)), [&](const std::string& s) { return TextToAnsiHex(s, ties); });
}

void BM_AnsiHexToText(benchmark::State& state) {
    DetachedTies ties;
    Measure(state, AnsiHex(state.range(0)), [&](const std::string& s) { return AnsiHexToText(s, ties); });
}

void BM_HexPairsToBytes(benchmark::State& state) {
    DetachedTies ties;
    Measure(state, AnsiHex(state.range(0)), [&](const std::string& s) { return HexPairsToBytes(s, ties); });
}

void BM_TextToUnicodeHex(benchmark::State& state) {
    Measure(state, GbkText(state.range(0)), [](const std::string& s) { return TextToUnicodeHex(s); });
}

void BM_UnicodeHexToText(benchmark::State& state) {
    DetachedTies ties;
    Measure(state, UnicodeHex(state.range(0)), [&](const std::string& s) { return UnicodeHexToText(s, ties); });
}

void BM_UnicodeHexToAnsiHex(benchmark::State& state) {
    DetachedTies ties;
    Measure(state, UnicodeHex(state.range(0)), [&](const std::string& s) { return UnicodeHexToAnsiHex(s, ties); });
}

void BM_SplitIntoPairs(benchmark::State& state) {
    Measure(state, AnsiHex(state.range(0)), [](const std::string& s) { return SplitIntoPairs(s); });
}

void BM_RemoveSpaces(benchmark::State& state) {
    Measure(state, PairSplitHex(state.range(0)), [](const std::string& s) { return RemoveSpaces(s); });
}

void BM_HasInnerSpace(benchmark::State& state) {
    Measure(state, PairSplitHex(state.range(0)), [](const std::string& s) { return HasInnerSpace(s); });
}

void BM_MergeSignatures(benchmark::State& state) {
    const std::string& other = OtherSignature(state.range(0));
    Measure(state, Signature(state.range(0)), [&](const std::string& s) { return MergeSignatures(s, other); });
}

void BM_FormatByteSetLiteral(benchmark::State& state) {
    DetachedTies ties;
    const std::string& text = RandomBytes(state.range(0));
    const ByteSet bytes(text.begin(), text.end());
    for (auto _ : state) benchmark::DoNotOptimize(FormatByteSetLiteral(bytes, ties));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ParseByteSetLiteral(benchmark::State& state) {
    Measure(state, ByteSetLiteral(state.range(0)), [](const std::string& s) { return ParseByteSetLiteral(s); });
}

// Not an operation: a new text twice the input's size, written once. Every
// encoder returns such a fresh result, so this is the floor the memory system
// sets for TextToAnsiHex (at 64 MiB mostly the kernel's cost of new pages).
void BM_FreshResultOfTwiceTheInput(benchmark::State& state) {
    Measure(state, GbkText(state.range(0)), [](const std::string& s) { return Text(2 * s.size(), 'x'); });
}

BENCHMARK(BM_FreshResultOfTwiceTheInput)->Apply(Sizes);
BENCHMARK(BM_TextToAnsiHex)->Apply(Sizes);
BENCHMARK(BM_AnsiHexToText)->Apply(Sizes);
BENCHMARK(BM_HexPairsToBytes)->Apply(Sizes);
BENCHMARK(BM_TextToUnicodeHex)->Apply(Sizes);
BENCHMARK(BM_UnicodeHexToText)->Apply(Sizes);
BENCHMARK(BM_UnicodeHexToAnsiHex)->Apply(Sizes);
BENCHMARK(BM_SplitIntoPairs)->Apply(Sizes);
BENCHMARK(BM_RemoveSpaces)->Apply(Sizes);
BENCHMARK(BM_HasInnerSpace)->Apply(Sizes);
BENCHMARK(BM_MergeSignatures)->Apply(Sizes);
BENCHMARK(BM_FormatByteSetLiteral)->Apply(Sizes);
BENCHMARK(BM_ParseByteSetLiteral)->Apply(Sizes);

}  // namespace
}  // namespace morvane::bench
