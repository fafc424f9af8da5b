// Time spent inside the edit controls' own text handling (WM_SETTEXT and
// WM_GETTEXT), kept so a benchmark can tell it apart from our own work.
#pragma once

#include <cstdint>

namespace morvane::ui {

std::int64_t EditControlNanoseconds();
void ResetEditControlTime();

class EditControlClock {
public:
    EditControlClock();
    ~EditControlClock();
    EditControlClock(const EditControlClock&) = delete;
    EditControlClock& operator=(const EditControlClock&) = delete;

private:
    std::int64_t start_;
};

}  // namespace morvane::ui
