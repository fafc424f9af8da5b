#include "ui/conversion_ties.h"

#include "ui/toolkit/application.h"

namespace morvane::ui {
namespace {

std::uint64_t latestSerial = 0;  // of the conversion started last

}  // namespace

ConversionTies::ConversionTies(Window& window)
    : window_(window), sourceChanges_(window["编辑框1"].changeCount()), serial_(++latestSerial) {}

bool ConversionTies::Outdated() const {
    return !window_.isOpen() || serial_ != latestSerial || window_["编辑框1"].changeCount() != sourceChanges_;
}

bool ConversionTies::ProcessPendingEvents() {
    if (Outdated()) return false;
    ui::ProcessPendingEvents();
    return !Outdated();
}

void ConversionTies::SetScratchText(std::string_view text) { window_["编辑框_临时"].setText(text); }

Text ConversionTies::ScratchText() { return window_["编辑框_临时"].text(); }

}  // namespace morvane::ui
