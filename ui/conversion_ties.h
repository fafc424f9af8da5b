// The ties of one conversion run by the main window: the hidden scratch box,
// and event pumping that tells the conversion when its result has become
// outdated, so a stale result never overwrites a newer one.
#pragma once

#include <cstdint>

#include "core/window_ties.h"
#include "ui/toolkit/window.h"

namespace morvane::ui {

class ConversionTies final : public WindowTies {
public:
    // Marks the start of a conversion of the text of `编辑框1`.
    explicit ConversionTies(Window& window);

    // Handles pending events; false once the result is outdated.
    bool ProcessPendingEvents() override;
    void SetScratchText(std::string_view text) override;
    Text ScratchText() override;

    // The source changed, another conversion started, or the window closed
    // since this conversion began.
    bool Outdated() const;

private:
    Window& window_;
    std::uint64_t sourceChanges_;
    std::uint64_t serial_;
};

}  // namespace morvane::ui
