#include <gtest/gtest.h>

#include "forms/keyboard_navigation.h"
#include "forms/property_accessors.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"
#include "runtime_fixture.h"
#include "test_dialog.h"
#include "test_forms.h"
#include "wizard/control_ids.h"
#include "wizard/main_template.h"

namespace {

bool LooksDefault(HWND button)
{
    return (GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool IsChecked(HWND button)
{
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Main showing the user-details page: btnNext (6), btnCancel (7), edtUserName (26)
// and edtOrganization (28) are the eligible controls; btnPrevious is disabled.
class MainKeyboard : public RuntimeTest {
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        g_commands = {};
        SetMainTemplateProcedures(RecordCommands, nullptr);
        main_ = reinterpret_cast<HWND>(CreateForm(MainTemplate(), nullptr, false, 0));
        ASSERT_NE(main_, nullptr);
        SetVisible(Control(grpPercent), 0);
        SetVisible(Control(grpUserPage), 1);
        SetVisible(Control(btnPrevious), 1);
        SetVisible(Control(btnNext), 1);
        Pump();
    }
    void TearDown() override
    {
        DestroyWindow(main_);
        SetMainTemplateProcedures(nullptr, nullptr);
        RuntimeTest::TearDown();
    }
    HWND Control(int id) { return ControlByIdentifier(main_, id); }
    HWND main_ = nullptr;
};

TEST_F(MainKeyboard, TabWrapsFromTheHighestToTheLowestEligibleIndex)
{
    SetFocus(Control(edtUserName));
    Pump();
    const int forward[] = {edtOrganization, btnNext, btnCancel, edtUserName, edtOrganization};
    for (int id : forward) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), Control(id)) << "Tab to " << id;
    }
    const int backward[] = {edtUserName, btnCancel, btnNext, edtOrganization};
    for (int id : backward) {
        PressKey(VK_TAB, true);
        EXPECT_EQ(GetFocus(), Control(id)) << "Shift+Tab to " << id;
    }
    EXPECT_TRUE(g_commands.commands.empty());
}

TEST_F(MainKeyboard, EnterInATextBoxReportsTheDefaultButtonAndEscapeNothing)
{
    SetFocus(Control(edtUserName));
    Pump();
    PressKey(VK_RETURN);
    ASSERT_EQ(g_commands.commands.size(), 1u);
    EXPECT_EQ(g_commands.commands[0], MAKEWPARAM(btnNext, BN_CLICKED));
    EXPECT_EQ(g_commands.senders[0], Control(btnNext));
    EXPECT_EQ(GetFocus(), Control(edtUserName)) << "the button itself is not pressed";

    PressKey(VK_ESCAPE);
    EXPECT_EQ(g_commands.commands.size(), 1u) << "Main has no cancel button";
}

TEST_F(MainKeyboard, SetDefIdZeroLeavesEnterReportingNothing)
{
    EXPECT_EQ(SendMessageA(main_, DM_GETDEFID, 0, 0), MAKELRESULT(btnNext, DC_HASDEFID));
    EXPECT_EQ(SendMessageA(main_, DM_SETDEFID, 0, 0), 1);
    EXPECT_EQ(SendMessageA(main_, DM_GETDEFID, 0, 0), 0);
    EXPECT_EQ(IsDefaultButton(Control(btnNext)), 0);
    SetFocus(Control(edtOrganization));
    Pump();
    PressKey(VK_RETURN);
    EXPECT_TRUE(g_commands.commands.empty());

    EXPECT_EQ(SetDefault(Control(btnNext), 1), 1);
    EXPECT_EQ(IsDefaultButton(Control(btnNext)), 1);
    PressKey(VK_RETURN);
    ASSERT_EQ(g_commands.commands.size(), 1u);
    EXPECT_EQ(LOWORD(g_commands.commands[0]), btnNext);
}

TEST_F(MainKeyboard, TheDefaultLookFollowsTheFocus)
{
    HWND next = Control(btnNext);
    HWND cancel = Control(btnCancel);
    struct Step { int focus; bool nextLooks; bool cancelLooks; };
    const Step steps[] = {
        {btnCancel, false, true},   // a focused push button looks default
        {edtUserName, true, false},       // elsewhere the form's default button does
        {btnNext, true, false},
        {edtOrganization, true, false},
        {btnCancel, false, true},
    };
    for (const Step& step : steps) {
        SetFocus(Control(step.focus));
        Pump();
        EXPECT_EQ(LooksDefault(next), step.nextLooks) << "focus on " << step.focus;
        EXPECT_EQ(LooksDefault(cancel), step.cancelLooks) << "focus on " << step.focus;
        EXPECT_EQ(FindRecord(main_)->FocusWindow, Control(step.focus));
    }
    EXPECT_EQ(FindRecord(main_)->DefaultButton, next) << "the default button itself never changed";
}

TEST_F(MainKeyboard, ALabelMnemonicHandsTheFocusOn)
{
    SetFocus(Control(btnCancel));
    Pump();
    // "&Nom:" labels edtUserName; "&Navegació..." on the hidden page must not match.
    PressAltKey('N');
    EXPECT_EQ(GetFocus(), Control(edtUserName));
    PressAltKey('M');   // "E&mpresa:"
    EXPECT_EQ(GetFocus(), Control(edtOrganization));
    PressAltKey('E');   // "S&egüent": the button is pressed, which clicks it
    EXPECT_EQ(GetFocus(), Control(btnNext));
    EXPECT_EQ(ApplyMnemonicRule(main_, 'Q'), nullptr);
}

TEST_F(MainKeyboard, ArrowsCheckTheOptionButtonsOfAGroup)
{
    SetVisible(Control(grpUserPage), 0);
    SetVisible(Control(grpOptionsPage), 1);
    Pump();
    HWND masm = Control(chkMasm32);
    HWND basalt = Control(chkBasalt);
    ASSERT_TRUE(IsChecked(masm));
    SetFocus(masm);
    Pump();
    PressKey(VK_DOWN);
    EXPECT_EQ(GetFocus(), basalt);
    EXPECT_TRUE(IsChecked(basalt));
    EXPECT_FALSE(IsChecked(masm));
    EXPECT_EQ(GetProperty(basalt, PropTabStop), 1);
    EXPECT_EQ(GetProperty(masm, PropTabStop), 0) << "only the checked button is a tab stop";
    PressKey(VK_UP);
    EXPECT_EQ(GetFocus(), masm);
    EXPECT_TRUE(IsChecked(masm));
    EXPECT_FALSE(IsChecked(basalt));
}

// A form of its own: a button at index 0, three options, a text box and a
// cancel button.
class FormKeyboard : public RuntimeTest {
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        g_commands = {};
        block_.push_back(TestFormRecord(RecordCommands));
        block_.push_back(TestControl(KindPushButton, 0, 10, 10, 80, 24, "&Vés"));
        block_.push_back(TestControl(KindOptionButton, 1, 10, 40, 120, 20, "Un"));
        block_.push_back(TestControl(KindOptionButton, 2, 10, 60, 120, 20, "Dos"));
        block_.push_back(TestControl(KindOptionButton, 3, 10, 80, 120, 20, "Tres"));
        block_.push_back(TestControl(KindTextBox, 4, 10, 110, 200, 22, ""));
        block_.push_back(TestControl(KindPushButton, 5, 10, 140, 80, 24, "Cancel·la"));
        block_[1].TabStop = 1;
        block_[2].Value = 1;
        block_[2].TabStop = 1;
        block_[5].TabStop = 1;
        block_[6].TabStop = 1;
        block_[6].AutoSize = 1;   // the cancel flag
        block_[0].ChildCount = 6;
        form_ = CreateTestForm(block_);
        ASSERT_NE(form_, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(form_);
        RuntimeTest::TearDown();
    }
    HWND Control(int index) { return ControlByIdentifier(form_, 1000 + index); }
    std::vector<ObjectRecord> block_;
    HWND form_ = nullptr;
};

TEST_F(FormKeyboard, TheFocusStartsOnTheFirstTabStopAndShiftTabFromItWraps)
{
    EXPECT_EQ(GetFocus(), Control(0));
    PressKey(VK_TAB, true);
    EXPECT_EQ(GetFocus(), Control(5)) << "from the lowest eligible index to the highest";
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(0));
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(1)) << "the checked option button is the group's tab stop";
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(4));
}

TEST_F(FormKeyboard, ArrowsMoveAmongOptionButtonsAndCheckThem)
{
    SetFocus(Control(1));
    Pump();
    struct Step { UINT key; int focus; int checked; };
    // From the last option an arrow reaches the text box (a tab stop), where
    // arrows move the caret instead.
    const Step steps[] = {
        {VK_DOWN, 2, 2}, {VK_RIGHT, 3, 3}, {VK_RIGHT, 4, 3}, {VK_LEFT, 4, 3},
    };
    for (const Step& step : steps) {
        PressKey(step.key);
        EXPECT_EQ(GetFocus(), Control(step.focus)) << "key " << step.key;
        for (int option = 1; option <= 3; ++option)
            EXPECT_EQ(IsChecked(Control(option)), option == step.checked) << "option " << option;
    }
    SetFocus(Control(3));
    Pump();
    PressKey(VK_UP);
    PressKey(VK_LEFT);
    EXPECT_EQ(GetFocus(), Control(1)) << "Up and Left go backwards";
    EXPECT_TRUE(IsChecked(Control(1)));
    EXPECT_FALSE(IsChecked(Control(3)));
}

TEST_F(FormKeyboard, EnterAndEscapeReportClicksToTheProcedure)
{
    SetFocus(Control(0));
    Pump();
    PressKey(VK_RETURN);
    SetFocus(Control(4));
    Pump();
    PressKey(VK_RETURN);   // no default button: nothing
    PressKey(VK_ESCAPE);
    ASSERT_EQ(g_commands.commands.size(), 2u);
    EXPECT_EQ(g_commands.commands[0], MAKEWPARAM(1000, BN_CLICKED)) << "a focused push button reports itself";
    EXPECT_EQ(g_commands.commands[1], MAKEWPARAM(1005, BN_CLICKED)) << "Escape reports the cancel button";
    EXPECT_EQ(g_commands.senders[1], Control(5));
}

TEST_F(FormKeyboard, DisablingTheFocusedControlMovesTheFocusOn)
{
    SetFocus(Control(4));
    Pump();
    EXPECT_EQ(SetEnabled(Control(4), 0), 1);
    EXPECT_EQ(GetFocus(), Control(5));
    EXPECT_EQ(SetEnabled(Control(4), 1), 1);
    EXPECT_EQ(GetFocus(), Control(5)) << "enabling takes nothing";
}

// A focus loop is cut after this many focus messages, so that the test ends.
constexpr int kFocusLoopLimit = 100;
int g_focusMessages;

LRESULT CALLBACK CountFocusMessages(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SETFOCUS && ++g_focusMessages >= kFocusLoopLimit) {
        if (HWND label = GetDlgItem(call->hwnd, 1000))
            DestroyWindow(label);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

using HiddenFormFocus = RuntimeTest;

// A label hands the focus on, but on a hidden form no control can take it:
// neither the form's focus rule nor, for the dialog kind, the dialog manager
// may give it back to the label. The dialog kind meets this while it is
// created, before it is shown.
TEST_F(HiddenFormFocus, ALabelLeavesTheFocusWithTheForm)
{
    for (int kind : {KindWindowForm, KindDialogForm}) {
        std::vector<ObjectRecord> block = {TestFormRecord(nullptr),
                                           TestControl(KindLabel, 0, 10, 10, 100, 20, "Etiqueta"),
                                           TestControl(KindPushButton, 1, 10, 40, 80, 24, "D'acord")};
        block[0].Kind = kind;
        block[0].Visible = 0;
        block[0].DialogTemplate = kind == KindDialogForm ? ResourceNumber(IDD_TEST_DIALOG) : nullptr;
        block[0].ChildCount = 2;
        block[2].TabStop = 1;
        g_focusMessages = 0;
        HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountFocusMessages, nullptr, GetCurrentThreadId());
        HWND form = CreateTestForm(block);
        if (form != nullptr) {
            SetFocus(ControlByIdentifier(form, 1000));
            Pump();
        }
        UnhookWindowsHookEx(hook);
        ASSERT_NE(form, nullptr) << "kind " << kind;
        EXPECT_LT(g_focusMessages, 10) << "kind " << kind;
        EXPECT_EQ(GetFocus(), form) << "kind " << kind;
        DestroyWindow(form);
    }
}

}  // namespace
