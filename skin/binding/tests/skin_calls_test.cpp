// The calls the program makes of the skin engine, seen by a recording engine
// mapped in place of the real one, while the real windows are driven.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string_view>

#include "skin/binding/skin_engine.h"
#include "skin/binding/tests/recording_engine.h"
#include "ui/compare_window.h"
#include "ui/main_window.h"
#include "ui/skin_steps.h"
#include "ui/system_calls.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/window.h"

namespace morvane::testing {
namespace {

using ui::Window;

TEST(SkinWithoutEngine, CallsNothingAndReturnsZero) {
    ASSERT_EQ(SkinEngine(), nullptr);
    EXPECT_EQ(CallAttachRes(SkinData()), 0);
    EXPECT_EQ(CallAdjustAero(255, 0, 0, 9), 0);
    EXPECT_EQ(CallSetAero(true), 0);
    CreateSkinEngine();  // an object with no mapping
    EXPECT_EQ(CallSetAero(true), 0);
    ReleaseSkinEngine();
}

TEST(RandomByte, StaysInByteRangeAndDiffersWithinOneTick) {
    std::set<std::int32_t> seen;
    for (int i = 0; i < 3000; ++i) {
        const std::int32_t value = RandomByte();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 255);
        seen.insert(value);
    }
    // Thousands of draws fall in a few ticks of the clock: only separately
    // seeded draws can spread this widely.
    EXPECT_GT(seen.size(), 200u);
}

// Records when the calculator is asked for, instead of starting it.
class CalculatorRecorder final : public ui::SystemCalls {
public:
    bool SetTopMost(HWND, bool) override { return true; }
    bool OpenCalculator() override {
        engineCallsAtStart = record ? record->Count() : -1;
        return true;
    }
    const EngineRecord* record = nullptr;
    int engineCallsAtStart = -1;
};

void ExpectTint(const RecordedCall& call) {
    ASSERT_EQ(call.exportId, kAdjustAero);
    EXPECT_EQ(call.words[0], 255u);
    EXPECT_EQ(call.words[1], 0u);
    EXPECT_EQ(call.words[2], 0u);
    EXPECT_EQ(call.words[3], 9u);
    EXPECT_EQ(call.words[4], 0u);
    EXPECT_EQ(call.words[5], 0u);
    for (int i = 6; i < 9; ++i) EXPECT_LE(call.words[i], 255u) << "tint word " << i + 1;
    EXPECT_EQ(call.words[9], 0u);
}

// One program life: start-up, commands, the comparison window, exit.
class SkinCallsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(ui::InitialiseToolkit());
        UseEngineImage(RecordingEngineImage());
        ui::UseSystemCalls(&calculator);
        ui::SkinStartUpSteps();
        ASSERT_NE(SkinEngine(), nullptr);
        record = std::make_unique<EngineRecord>(*SkinEngine());
        ASSERT_TRUE(record->Complete());
        calculator.record = record.get();
        main = ui::OpenWindow(ui::MainWindowTable());
        ASSERT_NE(main, nullptr);
    }
    static void TearDownTestSuite() { ui::UseSystemCalls(nullptr); }

    static void Click(Window& window, std::string_view name) {
        SendMessageW(window[name].hwnd(), BM_CLICK, 0, 0);
        ui::ProcessPendingEvents();
    }

    static inline std::unique_ptr<EngineRecord> record;
    static inline CalculatorRecorder calculator;
    static inline Window* main = nullptr;
};

TEST_F(SkinCallsTest, StartUpMapsTheEngineThenAttachesAndTintsOnCreation) {
    EXPECT_EQ(record->Attaches(), 1);
    const auto calls = record->Calls();
    ASSERT_EQ(calls.size(), 4u);

    const RecordedCall& attach = calls[0];
    EXPECT_EQ(attach.exportId, kAttachRes);
    EXPECT_EQ(attach.words[0], reinterpret_cast<std::uintptr_t>(SkinData().data()));
    EXPECT_EQ(attach.words[1], SkinData().size());
    for (int i = 2; i < 10; ++i) EXPECT_EQ(attach.words[i], 0u) << "word " << i + 1;

    ExpectTint(calls[1]);
    EXPECT_EQ(calls[1].words[6] | calls[1].words[7] | calls[1].words[8], 0u) << "the first tint is plain";

    EXPECT_EQ(calls[2].exportId, kSetAero);
    EXPECT_EQ(calls[2].words[0], 1u);
    for (int i = 1; i < 10; ++i) EXPECT_EQ(calls[2].words[i], 0u);

    ExpectTint(calls[3]);
    EXPECT_EQ(AeroValue(), 9);
}

TEST_F(SkinCallsTest, ClearTintsOnceBeforeEmptyingTheBoxes) {
    (*main)["编辑框1"].setText("AB");
    record->Watch((*main)["编辑框1"].hwnd());
    const int before = record->Count();
    Click(*main, "按钮_清空");
    ASSERT_EQ(record->Count(), before + 1);
    const RecordedCall& tint = record->Calls().back();
    ExpectTint(tint);
    EXPECT_EQ(tint.watchedLength, 2u) << "the tint came after the source was emptied";
    EXPECT_EQ((*main)["编辑框1"].text(), "");
    record->Watch(nullptr);
}

TEST_F(SkinCallsTest, CalculatorCommandTintsBeforeStarting) {
    const int before = record->Count();
    Click(*main, "按钮_打开计算器");
    ASSERT_EQ(record->Count(), before + 1);
    ExpectTint(record->Calls().back());
    EXPECT_EQ(calculator.engineCallsAtStart, before + 1);
}

TEST_F(SkinCallsTest, ComparisonWindowTintsWhenCreatedAndOnClear) {
    const int before = record->Count();
    Click(*main, "按钮_对比特征码");
    Window* compare = ui::FindOpenWindow(ui::CompareWindowTable());
    ASSERT_NE(compare, nullptr);
    ASSERT_EQ(record->Count(), before + 1);
    ExpectTint(record->Calls().back());

    Click(*main, "按钮_对比特征码");  // already open: activated, not created again
    EXPECT_EQ(record->Count(), before + 1);

    (*compare)["编辑框_特征码1"].setText("8B45");
    record->Watch((*compare)["编辑框_特征码1"].hwnd());
    Click(*compare, "按钮_清空");
    ASSERT_EQ(record->Count(), before + 2);
    ExpectTint(record->Calls().back());
    EXPECT_EQ(record->Calls().back().watchedLength, 4u) << "the tint came after the boxes were emptied";
    record->Watch(nullptr);

    const auto calls = record->Calls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const RecordedCall& c) { return c.exportId == kAttachRes; }),
              1)
        << "the skin is attached once per run";
}

TEST_F(SkinCallsTest, ExitReleasesTheObjectWithoutCallingTheEngine) {
    const int before = record->Count();
    for (const auto* table : {&ui::CompareWindowTable(), &ui::MainWindowTable()}) {
        if (Window* window = ui::FindOpenWindow(*table)) SendMessageW(window->hwnd(), WM_CLOSE, 0, 0);
    }
    ui::RunMessageLoop();  // returns once no window is open, after the exit procedures
    EXPECT_EQ(SkinEngine(), nullptr);
    EXPECT_EQ(record->Count(), before);
    EXPECT_EQ(record->Detaches(), 0) << "the engine is never detached";
}

TEST(InitSkin, WithoutItsLevelUsesSix) {
    // The engine object is gone; only the stored value can be observed.
    InitSkin(3, false);
    EXPECT_EQ(AeroValue(), 6);
    InitSkin(4, true);
    EXPECT_EQ(AeroValue(), 4);
}

}  // namespace
}  // namespace morvane::testing
