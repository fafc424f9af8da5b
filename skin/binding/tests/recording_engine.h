// The test's view of the recording engine mapped as the skin engine.
#pragma once

#include <cstdint>
#include <span>

#include "skin/binding/skin_engine.h"

extern const unsigned char recording_engine_image[];
extern const std::size_t recording_engine_image_size;

namespace morvane::testing {

enum ExportId : std::uintptr_t { kAttachRes = 1, kAdjustAero = 2, kSetAero = 3 };

struct RecordedCall {
    std::uintptr_t exportId;
    std::uintptr_t words[10];
    std::uintptr_t watchedLength;
};

inline Bytes RecordingEngineImage() { return {recording_engine_image, recording_engine_image_size}; }

// The record, read through the engine's own exports. The addresses are taken
// while the engine object exists and stay valid after it is released, since
// the engine stays mapped.
class EngineRecord {
public:
    explicit EngineRecord(const MemoryModule& engine)
        : calls_(engine.FindProc("RecordedCalls")),
          count_(engine.FindProc("RecordedCallCount")),
          attaches_(engine.FindProc("AttachCount")),
          detaches_(engine.FindProc("DetachCount")),
          watch_(engine.FindProc("WatchWindow")) {}

    std::span<const RecordedCall> Calls() const {
        return {reinterpret_cast<const RecordedCall*>(CallProc(calls_)), static_cast<std::size_t>(Count())};
    }
    int Count() const { return static_cast<int>(CallProc(count_)); }
    int Attaches() const { return static_cast<int>(CallProc(attaches_)); }
    int Detaches() const { return static_cast<int>(CallProc(detaches_)); }
    void Watch(void* window) const { CallProc(watch_, reinterpret_cast<std::uintptr_t>(window)); }
    bool Complete() const { return calls_ && count_ && attaches_ && detaches_ && watch_; }

private:
    std::uintptr_t calls_, count_, attaches_, detaches_, watch_;
};

}  // namespace morvane::testing
