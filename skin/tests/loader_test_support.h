// What the loader tests share: a module over a recording system, and calls
// into its exports.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "skin/memory_module.h"
#include "skin/tests/fixture_images.h"
#include "skin/tests/image_editor.h"
#include "skin/tests/recording_services.h"
#include "skin/tests/test_system.h"

namespace morvane::testing {

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ResetHelperEvents(); }
    void TearDown() override { module.Free(); }

    // Calls an export of module; fails the test when there is none.
    std::uintptr_t CallExport(std::string_view name, const CallWords& words = {}) {
        const std::uintptr_t address = module.FindProc(name);
        EXPECT_NE(address, 0u) << name;
        return address == 0 ? 0 : CallProc(address, words);
    }

    ImageEditor Mapped() const { return ImageEditor::OfMapping(module.BaseAddress()); }

    RecordingServices system{TestSystem()};
    MemoryModule module{system};
};

// The entry-point events the main fixture reports: attach, then detach.
inline const ModuleEvent kAttached{0, 1};
inline const ModuleEvent kDetached{0, 0};

}  // namespace morvane::testing
