#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/control_search.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"
#include "runtime_fixture.h"

namespace {

StatusBarItem g_parts[] = {{100, 0, const_cast<char*>("u")}, {50, 0, const_cast<char*>("dos")}, {-1, 0, nullptr}};
ToolbarItem g_buttons[3];

class ControlKinds : public RuntimeTest {
protected:
    // A form with one control of every kind, ControlIndex = kind.
    HWND CreateKindsForm()
    {
        form_ = {};
        form_.Kind = KindWindowForm;
        form_.Width = 600;
        form_.Height = 400;
        form_.PictureFormat = -1;
        form_.ChildCount = kLastKind - kFirstControlKind + 1;
        for (int kind = kFirstControlKind; kind <= kLastKind; ++kind) {
            ObjectRecord& r = controls_[kind - kFirstControlKind];
            r = {};
            r.Kind = kind;
            r.Name = "control";
            r.ControlIndex = kind;
            r.Left = 10 * (kind - kFirstControlKind);
            r.Top = 10;
            r.Width = 120;
            r.Height = 24;
            r.Style = WS_VISIBLE;
            r.Visible = r.Enabled = 1;
            r.PictureFormat = -1;
            r.FontName = const_cast<char*>("MS Sans Serif");
            r.FontSize = 8;
            r.BackColor = 0x8000000F;
            r.ForeColor = 0x80000012;
        }
        ObjectRecord& combo = controls_[KindComboBox - kFirstControlKind];
        combo.Style |= CBS_DROPDOWNLIST;
        combo.MaxLength = 8;
        combo.Caption = const_cast<char*>("first");
        ObjectRecord& status = controls_[KindStatusBar - kFirstControlKind];
        status.Items = g_parts;
        status.DrawStyle = 3;
        ObjectRecord& toolbar = controls_[KindToolbar - kFirstControlKind];
        for (int i = 0; i < 3; ++i)
            g_buttons[i] = {};
        g_buttons[0].dwData = reinterpret_cast<DWORD_PTR>("");
        g_buttons[1].dwData = reinterpret_cast<DWORD_PTR>("Obre");
        g_buttons[2].dwData = reinterpret_cast<DWORD_PTR>(" ");
        toolbar.Style |= CCS_NORESIZE;
        toolbar.Items = g_buttons;
        toolbar.DrawStyle = 3;
        ObjectRecord& range = controls_[KindProgressBar - kFirstControlKind];
        range.ScrollBars = 50;
        range.Value = 20;
        ObjectRecord& option = controls_[KindOptionButton - kFirstControlKind];
        option.Style |= BS_AUTORADIOBUTTON;
        option.Value = 1;
        form_.TemplateLink = &block_[0];
        block_[0] = form_;
        for (int i = 0; i < form_.ChildCount; ++i)
            block_[i + 1] = controls_[i];
        return reinterpret_cast<HWND>(CreateForm(block_, nullptr, false, 0));
    }

    ObjectRecord form_;
    ObjectRecord controls_[kLastKind];
    ObjectRecord block_[kLastKind + 1];
};

// The window class of each control kind, from the label (4) to the header (33).
const char* const kClassOfKind[] = {
    "STATIC", "EDIT", "KSGROUP", "BUTTON", "BUTTON", "BUTTON", "LISTBOX", "COMBOBOX", "KSPICTURE", "STATIC",
    "SCROLLBAR", "SCROLLBAR", "RichEdit20A", "SysTreeView32", "SysListView32", "ToolbarWindow32",
    "msctls_statusbar32", "msctls_progress32", "msctls_trackbar32", "SysTabControl32", "msctls_updown32",
    "SysAnimate32", "SysIPAddress32", "ComboBoxEx32", "SysMonthCal32", "SysDateTimePick32", "msctls_hotkey32",
    "SysPager", "STATIC", "SysHeader32",
};

TEST_F(ControlKinds, EveryKindIsCreatedWithItsClass)
{
    ASSERT_EQ(sizeof kClassOfKind / sizeof kClassOfKind[0], static_cast<size_t>(kLastKind - kFirstControlKind + 1));
    HWND form = CreateKindsForm();
    ASSERT_NE(form, nullptr);
    for (int kind = kFirstControlKind; kind <= kLastKind; ++kind) {
        HWND control = ControlByIndex(kind, form);
        ASSERT_NE(control, nullptr) << kind;
        char className[64];
        GetClassNameA(control, className, sizeof className);
        EXPECT_EQ(lstrcmpiA(className, kClassOfKind[kind - kFirstControlKind]), 0) << kind << " " << className;
        EXPECT_EQ(FindRecord(control)->Kind, kind);
        if (kind != KindImageList)
            EXPECT_EQ(GetDlgCtrlID(control), 1000 + kind);
    }
    EXPECT_EQ(ControlCount(form), kLastKind - kFirstControlKind + 1);

    HWND status = ControlByIndex(KindStatusBar, form);
    int edges[3] = {};
    ASSERT_EQ(SendMessageA(status, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 150);
    EXPECT_EQ(edges[2], -1);

    HWND toolbar = ControlByIndex(KindToolbar, form);
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
    char text[32] = "";
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTRINGA, MAKEWPARAM(sizeof text, 1), reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "Obre");
    SendMessageA(toolbar, TB_GETSTRINGA, MAKEWPARAM(sizeof text, 0), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, " ") << "an empty text becomes a blank";

    HWND combo = ControlByIndex(KindComboBox, form);
    ObjectRecord* comboRecord = FindRecord(combo);
    int line = comboRecord->ImageHeight;
    EXPECT_GT(line, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), line);
    RECT dropped;
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    // The dropped list lies below the selection field of the window's old height.
    EXPECT_EQ(dropped.bottom - dropped.top + comboRecord->Height, 8 * line + comboRecord->Height + 4)
        << "8 x " << line << " + " << comboRecord->Height << " + 4";

    HWND progress = ControlByIndex(KindProgressBar, form);
    EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, FALSE, 0), 50);
    EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(SendMessageA(ControlByIndex(KindOptionButton, form), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(FindRecord(ControlByIndex(KindProgressBar, form))->BackBrush, nullptr)
        << "the colour goes to the control, not into a brush";

    LONG_PTR procedure = GetWindowLongPtrA(ControlByIndex(KindLabel, form), GWLP_WNDPROC);
    EXPECT_EQ(procedure, reinterpret_cast<LONG_PTR>(RuntimeWindowProc));
    EXPECT_EQ(GetClassLongPtrA(ControlByIndex(KindGroup, form), GCLP_WNDPROC), reinterpret_cast<LONG_PTR>(RuntimeWindowProc));

    DestroyWindow(form);
    EXPECT_EQ(g_runtime.WindowMapCount, 0u);
}

}  // namespace
