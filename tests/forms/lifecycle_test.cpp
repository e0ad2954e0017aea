#include <gtest/gtest.h>

#include <string>

#include "forms/control_search.h"
#include "forms/form_templates.h"
#include "forms/runtime_memory.h"
#include "forms/window_map.h"
#include "forms/window_procedures.h"
#include "message_box_catcher.h"
#include "runtime_fixture.h"
#include "screenshot.h"
#include "test_forms.h"
#include "wizard/control_ids.h"
#include "wizard/main_template.h"

namespace {

struct LoadWatch {
    int loaded;
    bool visibleAtLoad;
    HWND window;
} g_watch;

LRESULT CALLBACK WatchingProcedure(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == kFormLoaded) {
        ++g_watch.loaded;
        g_watch.visibleAtLoad = IsWindowVisible(window) != FALSE;
        g_watch.window = window;
    }
    return 0;
}

class FormLifecycle : public RuntimeTest {
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        g_watch = {};
        SetMainTemplateProcedures(WatchingProcedure, nullptr);
    }
    void TearDown() override
    {
        SetMainTemplateProcedures(nullptr, nullptr);
        RuntimeTest::TearDown();
    }
};

TEST_F(FormLifecycle, MainIsCentredAndShownAfterLoading)
{
    LONG blocksBefore = LiveRuntimeBlocks();
    HWND main = reinterpret_cast<HWND>(CreateForm(MainTemplate(), nullptr, false, 0));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(g_runtime.MainWindow, main);
    EXPECT_EQ(g_watch.loaded, 1);
    EXPECT_FALSE(g_watch.visibleAtLoad) << "shown only after FormLoaded";
    EXPECT_TRUE(IsWindowVisible(main));
    RECT rect;
    GetWindowRect(main, &rect);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(rect.left, 260);
    EXPECT_EQ(rect.top, 194);
    EXPECT_EQ(rect.right - rect.left, 504);
    EXPECT_EQ(rect.bottom - rect.top, 380);

    char caption[260];
    GetWindowTextA(main, caption, sizeof caption);
    EXPECT_EQ(std::string(caption), TableString(10058));
    EXPECT_EQ(g_runtime.WindowMapCount, 52u) << "the form and its 51 controls";
    EXPECT_EQ(ControlCount(main), 51);

    HWND browse = ControlByIndex(btnBrowse - 1000, main);
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(GetDlgCtrlID(browse), btnBrowse);
    EXPECT_EQ(GetDlgCtrlID(GetParent(browse)), grpDestDir);
    EXPECT_EQ(GetDlgCtrlID(GetParent(GetParent(browse))), grpDestinationPage);
    EXPECT_EQ(GetWindow(GetWindow(main, GW_CHILD), GW_HWNDLAST), ControlByIndex(imgLine - 1000, main));
    EXPECT_EQ(GetDlgCtrlID(GetWindow(main, GW_CHILD)), grpWelcomePage) << "created in template order";
    EXPECT_FALSE(IsWindowVisible(ControlByIndex(grpWelcomePage - 1000, main)));
    EXPECT_TRUE(IsWindowVisible(ControlByIndex(grpPercent - 1000, main)));
    EXPECT_EQ(FindRecord(main)->DefaultButton, ControlByIndex(btnNext - 1000, main));

    HWND masm = ControlByIndex(chkMasm32 - 1000, main);
    EXPECT_EQ(SendMessageA(masm, BM_GETCHECK, 0, 0), BST_CHECKED) << "checked by its Value";
    EXPECT_EQ(CheckedOptionButton(GetParent(masm)), masm);
    EXPECT_EQ(SendMessageA(ControlByIndex(prbPerCent - 1000, main), PBM_GETRANGE, FALSE, 0), 100);
    HWND progress = ControlByIndex(prbPerCent - 1000, main);
    EXPECT_EQ(reinterpret_cast<ObjectRecord*>(SendMessageA(progress, kGetRecord, 0, 0)), FindRecord(progress));

    // The unpacking page shows: its waiting text over the button face, and
    // the face below the separator line.
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    uint32_t faceColor = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    RECT task = RectIn(ControlByIndex(stcCurrentTask - 1000, main), main);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ClientShot shot = CaptureWhen(main, [&](const ClientShot& shown) {
        return shown.At(10, 320) == faceColor && shown.Has(task, 0x000000);
    });
    SaveScreenshot(shot.capture, "main_form");
    EXPECT_EQ(shot.At(10, 320), faceColor);
    EXPECT_TRUE(shot.Has(task, 0x000000)) << "the waiting text in black";
    EXPECT_FALSE(shot.Has(task, 0xFFFFFF)) << "no white page over the unpacking page";

    DestroyWindow(main);
    EXPECT_EQ(g_runtime.WindowMapCount, 0u) << "no window of the form left in the map";
    EXPECT_EQ(LiveRuntimeBlocks(), blocksBefore) << "every record, array and string freed";
    EXPECT_EQ(g_runtime.PenUsers, 0);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the main form posts WM_QUIT";
}

TEST_F(FormLifecycle, TwoFormsFromOneTemplateAreIndependent)
{
    ObjectRecord block[kMainTemplateRecords];
    CopyMemory(block, MainTemplate(), sizeof block);
    block[0].MainForm = 0;
    block[0].TemplateLink = &block[0];
    HWND first = reinterpret_cast<HWND>(CreateForm(block, nullptr, false, 0));
    HWND other = reinterpret_cast<HWND>(CreateForm(block, nullptr, false, 0));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(other, nullptr);
    SetWindowTextA(ControlByIndex(stcFile - 1000, first), "one");
    EXPECT_NE(FindRecord(ControlByIndex(stcFile - 1000, first)), FindRecord(ControlByIndex(stcFile - 1000, other)));
    char text[16] = "?";
    GetWindowTextA(ControlByIndex(stcFile - 1000, other), text, sizeof text);
    EXPECT_STREQ(text, "") << "the second form's label keeps its own, empty text";
    GetWindowTextA(ControlByIndex(stcFile - 1000, first), text, sizeof text);
    EXPECT_STREQ(text, "one");
    DestroyWindow(first);
    EXPECT_TRUE(IsWindow(other));
    EXPECT_NE(FindRecord(ControlByIndex(stcFile - 1000, other)), nullptr);
    DestroyWindow(other);
    EXPECT_EQ(g_runtime.WindowMapCount, 0u);
}

enum ModalEnding { EndWithResult, DestroyDirectly, CloseIt };
ModalEnding g_ending;
HWND g_owner;
bool g_ownerDisabledWhileRunning;
RECT g_modalPlace;

LRESULT CALLBACK ModalProcedure(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message == kFormLoaded)
        PostMessageA(window, WM_APP, 0, 0);
    if (message == WM_APP) {
        g_ownerDisabledWhileRunning = !IsWindowEnabled(g_owner);
        GetWindowRect(window, &g_modalPlace);
        if (g_ending == EndWithResult)
            EndModalForm(window, 7);
        else if (g_ending == DestroyDirectly)
            DestroyWindow(window);
        else
            PostMessageA(window, WM_CLOSE, 0, 0);
        return 1;
    }
    return 0;
}

TEST_F(FormLifecycle, ModalFormDisablesAndEnablesItsOwner)
{
    g_owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ObjectRecord form = {};
    form.Kind = KindWindowForm;
    form.Name = "Dialogue";
    form.Width = 200;
    form.Height = 100;
    form.StartUpPosition = 1;
    form.Visible = 1;
    // A pop-up, as modal forms are: its parent is its owner.
    form.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    form.PictureFormat = -1;
    form.Procedure = ModalProcedure;
    form.TemplateLink = &form;
    const struct { ModalEnding ending; LRESULT result; } cases[] = {
        {EndWithResult, 7}, {DestroyDirectly, 2}, {CloseIt, 0}};
    for (const auto& c : cases) {
        g_ending = c.ending;
        g_ownerDisabledWhileRunning = false;
        LONG blocks = LiveRuntimeBlocks();
        EXPECT_EQ(CreateForm(&form, g_owner, true, 0), c.result);
        EXPECT_TRUE(g_ownerDisabledWhileRunning);
        // Centred on the owner's window, where the size nudge must leave it.
        EXPECT_EQ(g_modalPlace.left, 100);
        EXPECT_EQ(g_modalPlace.top, 150);
        EXPECT_TRUE(IsWindowEnabled(g_owner));
        EXPECT_EQ(g_runtime.WindowMapCount, 0u);
        EXPECT_EQ(LiveRuntimeBlocks(), blocks);
    }
    EXPECT_EQ(EndModalForm(g_owner, 3), 0) << "not a modal form";
    DestroyWindow(g_owner);
}

LRESULT CALLBACK KeepOpen(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_CLOSE ? 1 : 0;
}

LRESULT CALLBACK RefuseLoading(HWND, UINT message, WPARAM, LPARAM)
{
    return message == kFormLoaded ? -1 : 0;
}

LRESULT CALLBACK RefuseCreation(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_CREATE ? -1 : 0;
}

TEST_F(FormLifecycle, ProcedureCanRefuseClosingAndLoading)
{
    ObjectRecord form = {};
    form.Kind = KindWindowForm;
    form.Width = 100;
    form.Height = 80;
    form.PictureFormat = -1;
    form.Procedure = KeepOpen;
    form.TemplateLink = &form;
    HWND window = reinterpret_cast<HWND>(CreateForm(&form, nullptr, false, 0));
    ASSERT_NE(window, nullptr);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);

    LONG blocks = LiveRuntimeBlocks();
    form.Procedure = RefuseLoading;
    EXPECT_EQ(CreateForm(&form, nullptr, false, 0), -1);
    form.Procedure = RefuseCreation;
    EXPECT_EQ(CreateForm(&form, nullptr, false, 0), 0);
    EXPECT_EQ(g_runtime.WindowMapCount, 0u);
    EXPECT_EQ(LiveRuntimeBlocks(), blocks);
}

TEST_F(FormLifecycle, CreateByNameRefusesMainFormsAndUnknownNames)
{
    *FirstFreeFormSlot() = const_cast<ObjectRecord*>(MainTemplate());
    EXPECT_EQ(CreateFormByName("main", nullptr, false, 0), 0) << "a main form is created once, not by name";
    EXPECT_EQ(CreateFormByName("Nobody", nullptr, false, 0), 0);
}

TEST_F(FormLifecycle, WindowMapGrowsAtThe127thPair)
{
    ObjectRecord records[130] = {};
    for (int i = 0; i < 126; ++i)
        ASSERT_TRUE(AddWindowPair(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1000 + i)), &records[i]));
    EXPECT_EQ(g_runtime.WindowMapCapacity, 128u);
    ASSERT_TRUE(AddWindowPair(reinterpret_cast<HWND>(0x2000), &records[126]));
    EXPECT_EQ(g_runtime.WindowMapCapacity, 256u) << "2,048 bytes of 32-bit pairs";
    EXPECT_EQ(GlobalSize(g_runtime.WindowMap), 256 * sizeof(WindowPair));
    for (int i = 0; i < 126; ++i)
        EXPECT_EQ(FindRecord(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1000 + i))), &records[i]);
    EXPECT_EQ(FindRecord(reinterpret_cast<HWND>(0x2000)), &records[126]);
    EXPECT_EQ(RemoveWindowPair(reinterpret_cast<HWND>(0x1000)), 1);
    EXPECT_EQ(RemoveWindowPair(reinterpret_cast<HWND>(0x1000)), -1);
    EXPECT_EQ(FindRecord(reinterpret_cast<HWND>(0x1001)), &records[1]);
    EXPECT_EQ(g_runtime.WindowMapCount, 126u);
    EXPECT_EQ(g_runtime.WindowMap[126].window, nullptr) << "ended by a pair whose window is 0";
    g_runtime.WindowMapCount = 0;
}

TEST_F(FormLifecycle, EmergencyTearDownFreesTheMainForm)
{
    LONG blocks = LiveRuntimeBlocks();
    HWND main = reinterpret_cast<HWND>(CreateForm(MainTemplate(), nullptr, false, 0));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(RuntimeExceptionFilter(nullptr), EXCEPTION_CONTINUE_SEARCH);
    EXPECT_EQ(LiveRuntimeBlocks(), blocks);
    WNDCLASSEXA info = {sizeof info};
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "KSPICTURE", &info)) << "torn down";
    EXPECT_EQ(g_runtime.WindowMap, nullptr);
    // The windows outlive the runtime; they must not reach it any more.
    SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
    StartRuntime(GetModuleHandleA(nullptr), "Instal", "Instal.exe", nullptr, KindWindowForm);
    DestroyWindow(main);
}

}  // namespace
