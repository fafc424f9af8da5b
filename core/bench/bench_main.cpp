// Runs the core benchmarks, then times the command-line tools on the same
// inputs (whole command, as a user would run it) and prints the ratios.
// Both sides are measured in CPU seconds (ours by the benchmark library, the
// tools' from the children's resource usage), so a busy machine skews the
// ratios less than wall time would.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "core/bench/bench_inputs.h"
#include "core/hex.h"

namespace {

using morvane::bench::AnsiHex;
using morvane::bench::GbkText;

// Keeps each benchmark's throughput for the comparison table: the median
// when run with repetitions, else the single run.
class RecordingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool usable = run.run_type == Run::RT_Iteration || run.aggregate_name == "median";
            auto it = run.counters.find("bytes_per_second");
            if (usable && it != run.counters.end()) bytesPerSecond[run.run_name.str()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> bytesPerSecond;
};

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Least CPU time (user and system, shell included) of a command over a few runs.
double TimeCommand(const std::string& command, int runs) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double before = ChildrenCpuSeconds();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "failed: %s\n", command.c_str());
            return 0;
        }
        best = std::min(best, ChildrenCpuSeconds() - before);
    }
    return best;
}

std::string WriteTemporary(const std::string& bytes) {
    char path[] = "/tmp/morvane-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return {};
    close(fd);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

struct Comparison {
    const char* ours;
    const char* tool;
    const std::string& (*input)(std::size_t);
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The code page table is built on first use; keep that out of the timings.
    benchmark::DoNotOptimize(morvane::TextToUnicodeHex("A"));

    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const Comparison comparisons[] = {
        {"BM_TextToAnsiHex", "xxd -p", &GbkText},
        {"BM_AnsiHexToText", "xxd -r -p", &AnsiHex},
        {"BM_TextToUnicodeHex", "iconv -f GBK -t UTF-16LE", &GbkText},
    };
    const std::size_t sizes[] = {1 << 10, 1 << 20, 64 << 20};
    std::printf("\n%-22s %-26s %10s %12s %12s %10s\n", "operation", "tool", "input", "ours GB/s", "tool GB/s", "ratio");
    for (const Comparison& c : comparisons) {
        for (std::size_t size : sizes) {
            const auto found = reporter.bytesPerSecond.find(std::string(c.ours) + "/" + std::to_string(size));
            if (found == reporter.bytesPerSecond.end()) continue;
            const std::string path = WriteTemporary(c.input(size));
            const double seconds = TimeCommand(std::string(c.tool) + " " + path + " > /dev/null", size > (1 << 20) ? 3 : 20);
            std::remove(path.c_str());
            const double ours = found->second / 1e9;
            const double tool = seconds > 0 ? static_cast<double>(size) / seconds / 1e9 : 0;
            std::printf("%-22s %-26s %10zu %12.3f %12.4f %10.1f\n", c.ours + 3, c.tool, size, ours, tool,
                        tool > 0 ? ours / tool : 0.0);
        }
    }
    return 0;
}
