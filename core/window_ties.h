// The conversion core's only links to the windows, injected by the caller.
#pragma once

#include <string_view>

#include "core/text.h"

namespace morvane {

class WindowTies {
public:
    virtual ~WindowTies() = default;
    // Handles queued window messages. Returns false when the caller no longer
    // wants the running conversion's result, so it may stop early.
    virtual bool ProcessPendingEvents() = 0;
    // The hidden scratch box that holds the last GBK hex result.
    virtual void SetScratchText(std::string_view text) = 0;
    virtual Text ScratchText() = 0;
};

// Ties for use without windows: never interrupted, scratch kept in memory.
class DetachedTies final : public WindowTies {
public:
    bool ProcessPendingEvents() override { ++pumps; return true; }
    void SetScratchText(std::string_view text) override { scratch.assign(text); }
    Text ScratchText() override { return scratch; }

    Text scratch;
    long pumps = 0;
};

}  // namespace morvane
