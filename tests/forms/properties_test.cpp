#include <gtest/gtest.h>

#include <set>

#include "base/waiting.h"
#include "forms/property_accessors.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"
#include "runtime_fixture.h"
#include "test_forms.h"
#include "wizard/control_ids.h"
#include "wizard/main_template.h"

namespace {

// A form with one control of every kind: the control of kind k has index k.
class Properties : public RuntimeTest {
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        block_.push_back(TestFormRecord(nullptr));
        block_[0].Width = 640;
        block_[0].Height = 480;
        for (int kind = kFirstControlKind; kind <= kLastKind; ++kind)
            block_.push_back(TestControl(kind, kind, 5 * kind, 10, 100, 24, "Text"));
        block_[0].ChildCount = kLastKind - kFirstControlKind + 1;
        ObjectRecord& scroll = block_[KindHScrollBar - kFirstControlKind + 1];
        scroll.ScrollBars = 10;   // Max
        scroll.Value = 5;
        ObjectRecord& status = block_[KindStatusBar - kFirstControlKind + 1];
        status.Align = 2;
        status.Height = 20;
        status.Style |= CCS_NORESIZE;   // the bar keeps the height it is given
        form_ = CreateTestForm(block_);
        ASSERT_NE(form_, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(form_);
        RuntimeTest::TearDown();
    }
    HWND Of(int kind) { return kind <= KindWindowForm ? form_ : ControlByIdentifier(form_, 1000 + kind); }
    std::vector<ObjectRecord> block_;
    HWND form_ = nullptr;
};

// Where each code is defined, as kinds: F forms, C controls, A all.
std::set<int> KindsOf(int code)
{
    std::set<int> all, controls;
    for (int k = KindDialogForm; k <= kLastKind; ++k)
        all.insert(k);
    for (int k = kFirstControlKind; k <= kLastKind; ++k)
        controls.insert(k);
    auto without = [](std::set<int> set, std::initializer_list<int> out) {
        for (int k : out)
            set.erase(k);
        return set;
    };
    const std::set<int> ranged = {14, 15, 21, 22, 24};
    switch (code) {
    case 1: return {12, 19, 20};
    case 2: return {4, 12};
    case 4: case 9: case 37: return {7};
    case 5: return {5, 11};
    case 10: case 11: return {3, 12};
    case 13: return {12};
    case 14: case 15: case 16: case 18: case 19: case 20: case 21: return without(all, {2, 13, 14, 15});
    case 23: case 24: case 41: case 46: return {1, 2, 3};
    case 26: case 30: return ranged;
    case 27: case 35: return {5};
    case 28: return {3};
    case 29: return {2};
    case 31: return {1, 3};
    case 32: return {5, 7, 8, 9, 16};
    case 33: case 42: return {4};
    case 34: return {14, 15};
    case 36: return {1, 2, 3, 7, 12, 13};
    case 38: return without(all, {13, 14, 15});
    case 39: return {2, 3, 12};
    case 40: return {2, 3, 5};
    case 43: case 53: return controls;
    case 44: return without(all, {4, 6, 13});
    case 45: return without(controls, {13, 14, 15});
    case 49: return {8, 9, 14, 15, 21, 22, 24};
    case 51: return {11};
    case 3: case 6: case 7: case 12: case 22: case 25: case 47: case 48: case 50: case 52: return all;
    default: return {};
    }
}

TEST_F(Properties, CommonGetterOverEveryCodeAndKind)
{
    for (int kind = KindWindowForm; kind <= kLastKind; ++kind) {
        HWND window = Of(kind);
        ASSERT_NE(window, nullptr) << "kind " << kind;
        for (int code = 0; code <= 55; ++code) {
            INT_PTR answer = GetProperty(window, code);
            if (KindsOf(code).count(kind) == 0)
                EXPECT_EQ(answer, -1) << "code " << code << " kind " << kind;
            else
                EXPECT_NE(answer, -1) << "code " << code << " kind " << kind;
        }
    }
    EXPECT_EQ(GetProperty(Of(KindPushButton), PropAutoSize), -1);
    FindRecord(Of(KindPushButton))->AutoSize = 1;
    EXPECT_EQ(GetProperty(Of(KindPushButton), PropCancel), 1) << "code 4 is the cancel flag";
    EXPECT_EQ(GetProperty(Of(KindLabel), PropKind), KindLabel);
    EXPECT_EQ(GetProperty(Of(KindLabel), PropControlIndex), KindLabel);
    EXPECT_EQ(GetProperty(Of(KindHScrollBar), PropMax), 10);
    EXPECT_EQ(GetProperty(Of(KindHScrollBar), PropValue), 5);
    EXPECT_EQ(GetProperty(nullptr, PropKind), -1) << "no record";
}

TEST_F(Properties, VisibleIsWhatTheScreenShows)
{
    HWND main = reinterpret_cast<HWND>(CreateForm(MainTemplate(), nullptr, false, 0));
    HWND edit = ControlByIdentifier(main, edtUserName);
    EXPECT_EQ(FindRecord(edit)->Visible, 1);
    EXPECT_EQ(GetProperty(edit, PropVisible), 0) << "its page is hidden";
    EXPECT_EQ(ControlByIdentifier(main, 1000), ControlByIdentifier(main, grpPercent));
    EXPECT_EQ(FindRecord(ControlByIdentifier(main, 1000))->ControlIndex, 0);
    EXPECT_EQ(ControlByIdentifier(main, 999), nullptr);
    EXPECT_EQ(ControlByIdentifier(edit, btnNext), ControlByIdentifier(main, btnNext)) << "from a control: its form";
    char text[300];
    EXPECT_EQ(GetName(edit, text, sizeof text), 5);
    EXPECT_STREQ(text, "Edit1") << "the template's own name";
    EXPECT_EQ(GetFontName(edit, text, 3), 2) << "cut at the buffer";
    EXPECT_EQ(SetVisible(ControlByIdentifier(main, btnPrevious), 0), 1);
    EXPECT_FALSE(IsWindowVisible(ControlByIdentifier(main, btnPrevious)));
    DestroyWindow(main);
}

using Setter = int (*)(HWND, int);

TEST_F(Properties, SettersAcceptOrRefuseBeforeChangingAnything)
{
    struct Case {
        const char* name;
        Setter set;
        int kind;
        int value;
        int accepted;
        int code;   // read back: the stored value when accepted, unchanged when refused
    };
    const Case cases[] = {
        {"MousePointer 14", SetMousePointer, KindLabel, 14, 1, PropMousePointer},
        {"MousePointer 15", SetMousePointer, KindLabel, 15, 0, PropMousePointer},
        {"MousePointer -1", SetMousePointer, KindLabel, -1, 0, PropMousePointer},
        {"Align on a label", SetAlign, KindLabel, 1, 0, PropAlign},
        {"Align 5", SetAlign, KindPicture, 5, 0, PropAlign},
        {"Align 3", SetAlign, KindPicture, 3, 1, PropAlign},
        {"DrawStyle 7", SetDrawStyle, KindPicture, 7, 0, PropDrawStyle},
        {"DrawStyle 2", SetDrawStyle, KindPicture, 2, 1, PropDrawStyle},
        {"DrawStyle on a form", SetDrawStyle, KindWindowForm, 4, 1, PropDrawStyle},
        {"DrawStyle on a label", SetDrawStyle, KindLabel, 1, 0, PropDrawStyle},
        {"FontSize 0", SetFontSize, KindLabel, 0, 0, PropFontSize},
        {"FontSize 12", SetFontSize, KindLabel, 12, 1, PropFontSize},
        {"Value 2 of a check box", SetValue, KindCheckBox, 2, 0, PropValue},
        {"Value 1 of a check box", SetValue, KindCheckBox, 1, 1, PropValue},
        {"Value 11 of a scroll bar", SetValue, KindHScrollBar, 11, 0, PropValue},
        {"Value -1 of a scroll bar", SetValue, KindHScrollBar, -1, 0, PropValue},
        {"Value 7 of a scroll bar", SetValue, KindHScrollBar, 7, 1, PropValue},
        {"Value of a label", SetValue, KindLabel, 1, 0, PropValue},
        {"Left of a status bar docked at the bottom", SetLeft, KindStatusBar, 40, 0, PropLeft},
        {"Top of a status bar docked at the bottom", SetTop, KindStatusBar, 40, 0, PropTop},
        {"Width of a status bar docked at the bottom", SetWidth, KindStatusBar, 40, 0, PropWidth},
        {"Height of a status bar docked at the bottom", SetHeight, KindStatusBar, 30, 1, PropHeight},
        {"Left of a label", SetLeft, KindLabel, 33, 1, PropLeft},
        {"Width of a label", SetWidth, KindLabel, 77, 1, PropWidth},
        {"WindowState 3", SetWindowState, KindWindowForm, 3, 0, PropWindowState},
        {"ScrollBars 4", SetScrollBars, KindTextBox, 4, 0, PropScrollBars},
        {"ScrollBars 2", SetScrollBars, KindTextBox, 2, 1, PropScrollBars},
        {"TimerInterval 0", SetTimerInterval, KindWindowForm, 0, 0, PropTimerInterval},
        {"TimerInterval 250", SetTimerInterval, KindWindowForm, 250, 1, PropTimerInterval},
        {"TimerInterval of a control", SetTimerInterval, KindLabel, 250, 0, PropTimerInterval},
        {"CustomPaint of a label", SetCustomPaint, KindLabel, 1, 0, PropCustomPaint},
        {"CustomPaint of a button", SetCustomPaint, KindPushButton, 1, 1, PropCustomPaint},
        {"page of a scroll bar", SetPage, KindHScrollBar, 3, 1, PropPage},
        {"TabStop", SetTabStop, KindTextBox, 1, 1, PropTabStop},
        {"MaxLength of a label", SetMaxLength, KindLabel, 3, 0, PropMaxLength},
    };
    for (const Case& c : cases) {
        HWND window = Of(c.kind);
        INT_PTR before = GetProperty(window, c.code);
        EXPECT_EQ(c.set(window, c.value), c.accepted) << c.name;
        EXPECT_EQ(GetProperty(window, c.code), c.accepted ? c.value : before) << c.name;
    }
    EXPECT_EQ(SendMessageA(Of(KindCheckBox), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetScrollPos(Of(KindHScrollBar), SB_CTL), 7) << "the thumb moved";
    EXPECT_NE(GetWindowLongPtrA(Of(KindTextBox), GWL_STYLE) & WS_VSCROLL, 0);
    EXPECT_EQ(FindRecord(form_)->TimerId, 1);
    RECT bar;
    GetClientRect(Of(KindStatusBar), &bar);
    RECT client;
    GetClientRect(form_, &client);
    RECT placed;
    GetWindowRect(Of(KindStatusBar), &placed);
    MapWindowPoints(HWND_DESKTOP, form_, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.bottom, client.bottom) << "laid out again at the bottom";
    EXPECT_EQ(placed.bottom - placed.top, 30);
    EXPECT_EQ(SetMousePointer(nullptr, 1), 0) << "no record";
}

TEST_F(Properties, ForeColorKeepsThePenStyle)
{
    HWND picture = Of(KindPicture);
    ASSERT_EQ(SetDrawStyle(picture, PS_DOT), 1);
    ASSERT_EQ(SetForeColor(picture, 0x0000FF), 1);
    LOGPEN pen = {};
    GetObjectA(FindRecord(picture)->Pen, sizeof pen, &pen);
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(pen.lopnColor, 0x0000FFu);
    EXPECT_EQ(GetProperty(picture, PropDrawStyle), PS_DOT);
}

TEST_F(Properties, TextFontAndLengthSetters)
{
    HWND edit = Of(KindTextBox);
    EXPECT_EQ(SetFontName(edit, "arial"), 0) << "the same face, whatever the case";
    EXPECT_EQ(SetFontName(edit, "Courier New"), 1);
    char face[64];
    GetFontName(edit, face, sizeof face);
    EXPECT_STREQ(face, "Courier New");
    EXPECT_EQ(SetText(edit, "abcdef"), TRUE);
    EXPECT_EQ(SetMaxLength(edit, 3), 1);
    EXPECT_STREQ(FindRecord(edit)->Caption, "abc");
    EXPECT_EQ(GetText(edit, face, sizeof face), 6) << "the window keeps its text";
    EXPECT_EQ(SetDefault(Of(KindLabel), 1), 0);
    EXPECT_EQ(SetDefault(Of(KindPushButton), 1), 1);
    EXPECT_EQ(IsDefaultButton(Of(KindPushButton)), 1);
    EXPECT_EQ(SetDefault(Of(KindPushButton), 0), 1);
    EXPECT_EQ(FindRecord(form_)->DefaultButton, nullptr);
}

struct ModalCheck {
    int refused;
    int stillVisible;
} g_modal;

LRESULT CALLBACK ModalHidesItself(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == kFormLoaded)
        PostMessageA(window, WM_APP, 0, 0);
    if (message != WM_APP)
        return 0;
    g_modal.refused = SetVisible(window, 0) == 0;
    g_modal.stillVisible = IsWindowVisible(window) && FindRecord(window)->Visible == 1;
    EndModalForm(window, 1);
    return 1;
}

TEST_F(Properties, AModalFormCannotBeHidden)
{
    std::vector<ObjectRecord> block = {TestFormRecord(ModalHidesItself)};
    block[0].TemplateLink = &block[0];
    g_modal = {};
    EXPECT_EQ(CreateForm(block.data(), form_, true, 0), 1);
    EXPECT_TRUE(g_modal.refused);
    EXPECT_TRUE(g_modal.stillVisible);
}

// Messages whose handling keeps the record in step.
struct Seen {
    int setCursor;
} g_seen;

LRESULT CALLBACK CountCursor(HWND, UINT message, WPARAM, LPARAM)
{
    if (message == WM_SETCURSOR)
        ++g_seen.setCursor;
    return 0;
}

TEST_F(Properties, MessagesAsTheRuntimeHandlesThem)
{
    HWND main = reinterpret_cast<HWND>(CreateForm(MainTemplate(), nullptr, false, 0));
    HWND label = ControlByIdentifier(main, stcFile);
    ObjectRecord* record = FindRecord(label);
    SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    EXPECT_EQ(record->TextLength, 0);
    EXPECT_STREQ(record->Caption, "");
    SendMessageA(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Kestrel\\bin"));
    EXPECT_EQ(record->TextLength, 14);
    EXPECT_STREQ(record->Caption, "C:\\Kestrel\\bin");

    HWND masm = ControlByIdentifier(main, chkMasm32);
    HWND basalt = ControlByIdentifier(main, chkBasalt);
    SendMessageA(basalt, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(masm, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(FindRecord(masm)->Value, 0);
    EXPECT_EQ(FindRecord(masm)->TabStop, 0);
    EXPECT_EQ(FindRecord(basalt)->TabStop, 1);

    HWND group = ControlByIdentifier(main, grpAssociate);
    HWND check = ControlByIdentifier(main, chkProject);
    HDC dc = GetDC(check);
    LRESULT brush = SendMessageA(group, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(check));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), FindRecord(group)->BackBrush);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetTextColor(dc), FindRecord(check)->ForeColorValue);
    ReleaseDC(check, dc);

    HWND kestrel = ControlByIdentifier(main, stcKestrel);
    FindRecord(kestrel)->Procedure = CountCursor;
    g_seen = {};
    BeginWaitCursor(main);
    EXPECT_EQ(SendMessageA(kestrel, WM_SETCURSOR, reinterpret_cast<WPARAM>(kestrel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
    EndWaitCursor();
    EXPECT_EQ(g_seen.setCursor, 0) << "the hourglass wins before the application is asked";
    EXPECT_EQ(SendMessageA(kestrel, WM_SETCURSOR, reinterpret_cast<WPARAM>(kestrel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), 1);
    EXPECT_EQ(g_seen.setCursor, 1);

    HWND cancel = ControlByIdentifier(main, btnCancel);
    EXPECT_EQ(SendMessageA(cancel, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(cancel));
    EXPECT_TRUE(IsWindowVisible(cancel));
    DestroyWindow(main);
}

}  // namespace
