#include "ui/toolkit/edit_timing.h"

#include <windows.h>

namespace morvane::ui {
namespace {

std::int64_t totalTicks = 0;
int nesting = 0;  // a write's text-changed handler may read the box again

std::int64_t Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

std::int64_t EditControlNanoseconds() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::int64_t>(static_cast<double>(totalTicks) * 1e9 / static_cast<double>(frequency.QuadPart));
}

void ResetEditControlTime() { totalTicks = 0; }

EditControlClock::EditControlClock() : start_(nesting++ == 0 ? Now() : 0) {}

EditControlClock::~EditControlClock() {
    if (--nesting == 0) totalTicks += Now() - start_;
}

}  // namespace morvane::ui
