#include "ui/main_window.h"

#include "ui/live_conversion.h"
#include "ui/main_commands.h"
#include "ui/skin_steps.h"
#include "ui/toolkit/window.h"

namespace morvane::ui {
namespace {

constexpr FontChoice kFontA{14, true};
constexpr FontChoice kFontBBold{12, true};
constexpr FontChoice kFontB{12, false};
constexpr FontChoice kBoxFont{15, false};

constexpr Settings kCaptionLabel{.font = kFontA, .verticallyCentred = true};
constexpr Settings kCountLabel{.font = kFontBBold, .align = HorizontalAlign::Centre, .verticallyCentred = true};
constexpr Settings kBox{.font = kBoxFont, .multiLine = true};

constexpr Handlers kBoxHandlers{.keyPressed = SelectAllOnCtrlA,
                                .mouseMoved = ShowCaretCounts,
                                .leftButtonUp = ShowSelectionCount};
constexpr Handlers With(Handlers handlers, EventHandler textChanged) {
    handlers.textChanged = textChanged;
    return handlers;
}
constexpr Handlers OnClick(EventHandler clicked) { return {.clicked = clicked}; }

constexpr StatusPart kStatusParts[] = {
    {400, "在你定位前有0个字符，去空格后定位前有0个字符"},
    {-1, "选中了0个字符"},
};

constexpr ControlRow kControls[] = {
    {"透明标签_原文", ControlKind::Label, {13, 2, 38, 32}, "原文：", kCaptionLabel},
    {"编辑框1", ControlKind::EditBox, {56, 6, 304, 48}, "", kBox, With(kBoxHandlers, OnSourceChanged)},
    {"透明标签_原文字符数量", ControlKind::Label, {16, 28, 24, 16}, "0", kCountLabel},
    {"透明标签_结果", ControlKind::Label, {13, 56, 38, 32}, "结果：", kCaptionLabel},
    {"编辑框2", ControlKind::EditBox, {56, 60, 304, 48}, "", kBox, With(kBoxHandlers, OnResultChanged)},
    {"透明标签_结果字符数量", ControlKind::Label, {16, 80, 24, 16}, "0", kCountLabel},
    {"按钮_原文22分开", ControlKind::Button, {364, 5, 72, 24}, "原文22分开", {}, OnClick(OnSplitSource)},
    {"按钮_原文去空格", ControlKind::Button, {364, 28, 72, 24}, "原文去空格", {}, OnClick(OnPackSource)},
    {"按钮_结果去空格", ControlKind::Button, {365, 61, 72, 24}, "结果去空格", {}, OnClick(OnPackResult)},
    {"选择框_结果22分开", ControlKind::CheckBox, {365, 87, 104, 24}, "结果22分开", {.disabled = true},
     OnClick(OnPairOptionClicked)},
    {"按钮_清空", ControlKind::Button, {448, 6, 32, 104}, "清空", {}, OnClick(OnClearBoth)},
    {"选择框_窗口置顶", ControlKind::CheckBox, {488, 0, 16, 16}, "", {}, OnClick(OnTopMostClicked)},
    {"透明标签_窗口置顶", ControlKind::Label, {490, 16, 16, 69}, "窗口置顶", {.font = kFontB, .wordWrap = true}},
    {"按钮_文本到字节集", ControlKind::Button, {15, 122, 80, 24}, "文本到字节集", {}, OnClick(OnTextToByteSet)},
    {"按钮_字节集到文本", ControlKind::Button, {15, 146, 80, 24}, "字节集到文本", {}, OnClick(OnByteSetToText)},
    {"单选框_文本到Ascii", ControlKind::RadioButton, {112, 122, 96, 24}, "文本到Ascii", {},
     OnClick(OnModeTextToAnsiHex)},
    {"单选框_Ascii到文本", ControlKind::RadioButton, {112, 146, 96, 24}, "Ascii到文本", {},
     OnClick(OnModeAnsiHexToText)},
    {"单选框_文本到Unicode", ControlKind::RadioButton, {197, 122, 104, 24}, "文本到Unicode", {},
     OnClick(OnModeTextToUnicodeHex)},
    {"单选框_Unicode到文本", ControlKind::RadioButton, {197, 146, 104, 24}, "Unicode到文本", {},
     OnClick(OnModeUnicodeHexToText)},
    {"单选框_Ascii到Unicode", ControlKind::RadioButton, {300, 122, 120, 24}, "Ascii到Unicode", {},
     OnClick(OnModeAnsiToUnicode)},
    {"单选框_Unicode到Ascii", ControlKind::RadioButton, {300, 146, 120, 24}, "Unicode到Ascii", {},
     OnClick(OnModeUnicodeToAnsi)},
    {"按钮_打开计算器", ControlKind::Button, {419, 122, 80, 24}, "打开计算器", {}, OnClick(OnOpenCalculator)},
    {"按钮_对比特征码", ControlKind::Button, {419, 145, 80, 24}, "对比特征码", {}, OnClick(OnOpenCompareWindow)},
    {"状态条", ControlKind::StatusBar, {}, "", {.parts = kStatusParts}},
    {"编辑框_临时", ControlKind::EditBox, {200, 48, 24, 20}, "", {.hidden = true}},
    {"时钟_是否22分开", ControlKind::Timer, {}, "", {}, {.tick = OnPairOptionTick}},
};

void OnCreated(Window& window) {
    SkinMainWindowCreatedSteps();
    window["时钟_是否22分开"].setPeriod(500);
}

constexpr WindowTable kMainWindow{"Morvane  by Ziltro", 516, 232, kControls, OnCreated};

}  // namespace

const WindowTable& MainWindowTable() { return kMainWindow; }

}  // namespace morvane::ui
