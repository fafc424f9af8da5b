// The six modes and the live conversion of the source box.
#include <string>

#include "core/hex.h"
#include "ui/conversion_ties.h"
#include "ui/live_conversion.h"
#include "ui/tests/gui_support.h"
#include "ui/tests/main_window_fixture.h"

namespace morvane::ui::testing {
namespace {

using LiveConversion = MainWindowTest;

TEST_F(LiveConversion, WithoutAModeOnlyTheSourceCountFollows) {
    result().setText("old");
    source().setText("\xD6\xD0" "a");
    EXPECT_EQ(at("透明标签_原文字符数量").text(), "2");
    EXPECT_EQ(result().text(), "old");
}

TEST_F(LiveConversion, EachModeConvertsTheSource) {
    struct Case {
        const char* radio;
        Text source;
        Text expected;
    };
    const Case cases[] = {
        {"单选框_文本到Ascii", "AB", "4142"},
        {"单选框_文本到Ascii", "A\xD6\xD0", "41D6D0"},
        {"单选框_Ascii到文本", "41D6D0", "A\xD6\xD0"},
        {"单选框_文本到Unicode", "A\xD6\xD0", "41002D4E"},
        {"单选框_文本到Unicode", "\x81\x40", "024E"},  // a character outside GB 2312
        {"单选框_Unicode到文本", "41002D4E", "A\xD6\xD0"},
        {"单选框_Ascii到Unicode", "41002D4E", "41D6D0"},
        {"单选框_Unicode到Ascii", "41002D4E", "41D6D0"},
    };
    for (const Case& c : cases) {
        source().setText(c.source);
        Click(c.radio);  // a click converts at once
        EXPECT_EQ(result().text(), c.expected) << c.radio;
        EXPECT_EQ(at("透明标签_结果字符数量").text(), std::to_string(CountChars(c.expected))) << c.radio;
        result().setText("");
        source().setText(c.source);  // and so does every change of the source
        EXPECT_EQ(result().text(), c.expected) << c.radio;
    }
}

TEST_F(LiveConversion, CountLabelsCountCharacters) {
    Click("单选框_文本到Ascii");
    source().setText("\xD6\xD0" "a");
    EXPECT_EQ(result().text(), "D6D061");
    EXPECT_EQ(at("透明标签_原文字符数量").text(), "2");
    EXPECT_EQ(at("透明标签_结果字符数量").text(), "6");
}

TEST_F(LiveConversion, PairOptionIsReadAtConversionAndOnlyForHexModes) {
    Click("单选框_文本到Ascii");
    at("选择框_结果22分开").setChecked(1);
    source().setText("AB");
    EXPECT_EQ(result().text(), "41 42");
    EXPECT_EQ(at("透明标签_结果字符数量").text(), "5");
    at("选择框_结果22分开").setChecked(0);
    source().setText("AB");
    EXPECT_EQ(result().text(), "4142");
    at("选择框_结果22分开").setChecked(1);
    Click("单选框_Ascii到文本");  // a text result is never split
    source().setText("414243");
    EXPECT_EQ(result().text(), "ABC");
}

TEST_F(LiveConversion, EmptySourceStopsOnlyTheTextToUtf16Mode) {
    Click("单选框_文本到Unicode");
    source().setText("A");
    EXPECT_EQ(result().text(), "4100");
    source().setText("");
    EXPECT_EQ(result().text(), "4100");
    EXPECT_EQ(at("透明标签_原文字符数量").text(), "0");
    Click("单选框_文本到Unicode");  // a click on an empty source changes nothing either
    EXPECT_EQ(result().text(), "4100");
    for (const char* radio : {"单选框_文本到Ascii", "单选框_Ascii到文本", "单选框_Unicode到Ascii"}) {
        result().setText("stale");
        Click(radio);
        EXPECT_EQ(result().text(), "") << radio;
    }
}

TEST_F(LiveConversion, ClickingTheSelectedModeConvertsAgain) {
    source().setText("AB");
    Click("单选框_文本到Ascii");
    result().setText("edited");
    Click("单选框_文本到Ascii");
    EXPECT_EQ(result().text(), "4142");
}

TEST_F(LiveConversion, ScratchBoxHoldsTheLastGbkHexAndStaysHidden) {
    Click("单选框_Unicode到Ascii");
    source().setText("41002D4E");
    EXPECT_EQ(at("编辑框_临时").text(), "41D6D0");
    Click("单选框_文本到Ascii");
    source().setText("xyz");
    EXPECT_EQ(at("编辑框_临时").text(), "78797A");
    EXPECT_FALSE(IsWindowVisible(at("编辑框_临时").hwnd()));
}

TEST_F(LiveConversion, TickEnablesThePairOptionOnlyUnderHexModesKeepingItsCheck) {
    Control& option = at("选择框_结果22分开");
    Click("单选框_文本到Ascii");
    ASSERT_TRUE(PumpUntil([&] { return option.disabled() == 0; }, 1500));
    Click("选择框_结果22分开");
    ASSERT_EQ(option.checked(), 1);
    for (const char* radio : {"单选框_Ascii到文本", "单选框_Unicode到文本"}) {
        Click(radio);
        EXPECT_TRUE(PumpUntil([&] { return option.disabled() == 1; }, 1500)) << radio;
        EXPECT_EQ(option.checked(), 1) << radio;
    }
    for (const char* radio : {"单选框_文本到Unicode", "单选框_Ascii到Unicode", "单选框_Unicode到Ascii"}) {
        Click(radio);
        EXPECT_TRUE(PumpUntil([&] { return option.disabled() == 0; }, 1500)) << radio;
        Click("单选框_Ascii到文本");
        ASSERT_TRUE(PumpUntil([&] { return option.disabled() == 1; }, 1500));
    }
    EXPECT_EQ(option.checked(), 1);
}

// A long decoding pumps events on its way (the core does so every 64 KiB);
// this stand-in pumps at once, so the edit control need not hold megabytes.
Text PumpingConversion(std::string_view source, WindowTies& ties) {
    ties.ProcessPendingEvents();
    return "outdated " + Text(source);
}
const ConversionMode kPumpingMode{"单选框_Ascii到文本", PumpingConversion, false, false};

// Keys typed while a conversion runs are handled in its middle; the result of
// the newest source is the one that stays.
TEST_F(LiveConversion, NestedEditDuringAConversionLeavesTheNewestResult) {
    at("单选框_Ascii到文本").setChecked(1);
    source().setText("4141");
    HWND box = source().hwnd();
    PostMessageW(box, EM_SETSEL, 0, -1);
    PostMessageW(box, WM_CHAR, '4', 0);
    PostMessageW(box, WM_CHAR, '2', 0);
    ConvertForMode(*window, kPumpingMode);
    EXPECT_EQ(source().text(), "42");
    EXPECT_EQ(result().text(), "B");
    EXPECT_EQ(at("透明标签_结果字符数量").text(), "1");
    EXPECT_EQ(at("透明标签_原文字符数量").text(), "2");
}

// The same when the nested event is a click on a mode.
TEST_F(LiveConversion, ModeClickDuringAConversionLeavesTheNewestResult) {
    source().setText("4142");
    PostMessageW(at("单选框_文本到Ascii").hwnd(), BM_CLICK, 0, 0);
    ConvertForMode(*window, kPumpingMode);
    EXPECT_EQ(result().text(), "34313432");
}

// Without anything nested, the pumping conversion's own result is written.
TEST_F(LiveConversion, UndisturbedConversionWritesItsResult) {
    source().setText("41");
    ConvertForMode(*window, kPumpingMode);
    EXPECT_EQ(result().text(), "outdated 41");
}

TEST_F(LiveConversion, TiesTellAConversionToStopOnceItsSourceChanged) {
    ConversionTies ties(*window);
    EXPECT_TRUE(ties.ProcessPendingEvents());
    PostMessageW(source().hwnd(), WM_CHAR, 'x', 0);
    EXPECT_FALSE(ties.ProcessPendingEvents());
    EXPECT_FALSE(ties.ProcessPendingEvents());  // and stays stopped
    EXPECT_TRUE(ties.Outdated());
}

// A real decoder, long enough to pump through the window's ties: a key typed
// meanwhile is handled in its middle and marks its result outdated.
TEST_F(LiveConversion, RealDecoderAbandonsAnOutdatedResult) {
    at("单选框_Ascii到文本").setChecked(1);
    PostMessageW(source().hwnd(), WM_CHAR, 'x', 0);
    const Text hex(2 * kBytesPerEventPump + 2, '4');  // decodes to more than one block
    ConversionTies ties(*window);
    AnsiHexToText(hex, ties);  // its result is abandoned, so it is not looked at
    EXPECT_TRUE(ties.Outdated());
    EXPECT_EQ(source().text(), "x");
    EXPECT_EQ(result().text(), "!");  // the nested conversion's result: 'x' read as one digit, 33
}

}  // namespace
}  // namespace morvane::ui::testing
