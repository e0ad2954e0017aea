#include "stand_in_main_window.h"

#include <commctrl.h>

#include "wizard/control_ids.h"
#include "wizard/wizard_state.h"

namespace {

struct StandInControl {
    int id;
    int parent;           // 0: the window itself
    const char* className;
    DWORD style;
};

const StandInControl kControls[] = {
    {grpPercent, 0, "BUTTON", BS_GROUPBOX | WS_VISIBLE},
    {stcCurrentTask, grpPercent, "STATIC", WS_VISIBLE},
    {stcFile, grpPercent, "STATIC", WS_VISIBLE},
    {prbPerCent, grpPercent, PROGRESS_CLASSA, WS_VISIBLE},
    {imgLine, 0, "STATIC", WS_VISIBLE},
    {btnPrevious, 0, "BUTTON", BS_PUSHBUTTON},
    {btnNext, 0, "BUTTON", BS_PUSHBUTTON},
    {btnCancel, 0, "BUTTON", BS_PUSHBUTTON | WS_VISIBLE},
    {Group1, 0, "BUTTON", BS_GROUPBOX},
    {imgLogo, Group1, "STATIC", SS_BITMAP | WS_VISIBLE},
    {stcAsm, Group1, "STATIC", WS_VISIBLE},
    {stcTallwood, Group1, "STATIC", WS_VISIBLE},
    {stcProgramari, Group1, "STATIC", WS_VISIBLE},
    {Static1, Group1, "STATIC", WS_VISIBLE},
    {Static2, Group1, "STATIC", WS_VISIBLE},
    {Static3, Group1, "STATIC", WS_VISIBLE},
    {Static4, Group1, "STATIC", WS_VISIBLE},
    {stcKestrel, Group1, "STATIC", WS_VISIBLE},
    {Group2, 0, "BUTTON", BS_GROUPBOX},
    {Static5, Group2, "STATIC", WS_VISIBLE},
    {grpDestDir, Group2, "BUTTON", BS_GROUPBOX | WS_VISIBLE},
    {stcDestDir, grpDestDir, "STATIC", WS_VISIBLE},
    {btnBrowse, grpDestDir, "BUTTON", BS_PUSHBUTTON | WS_VISIBLE},
    {Group3, 0, "BUTTON", BS_GROUPBOX},
    {Static7, Group3, "STATIC", WS_VISIBLE},
    {Static8, Group3, "STATIC", WS_VISIBLE},
    {Edit1, Group3, "EDIT", WS_VISIBLE},
    {Static9, Group3, "STATIC", WS_VISIBLE},
    {Edit2, Group3, "EDIT", WS_VISIBLE},
    {Group4, 0, "BUTTON", BS_GROUPBOX},
    {Static10, Group4, "STATIC", WS_VISIBLE},
    {Check1, Group4, "BUTTON", BS_AUTOCHECKBOX | WS_VISIBLE},
    {Edit3, Group4, "EDIT", 0},
    {List1, Group4, "LISTBOX", 0},
    {Group5, 0, "BUTTON", BS_GROUPBOX},
    {grpAssociate, Group5, "BUTTON", BS_GROUPBOX | WS_VISIBLE},
    {chkProject, grpAssociate, "BUTTON", BS_AUTOCHECKBOX | WS_VISIBLE},
    {chkWindow, grpAssociate, "BUTTON", BS_AUTOCHECKBOX | WS_VISIBLE},
    {chkModule, grpAssociate, "BUTTON", BS_AUTOCHECKBOX | WS_VISIBLE},
    {chkResource, grpAssociate, "BUTTON", BS_AUTOCHECKBOX | WS_VISIBLE},
    {grpPackage, Group5, "BUTTON", BS_GROUPBOX | WS_VISIBLE},
    {chkMasm32, grpPackage, "BUTTON", BS_AUTORADIOBUTTON | WS_VISIBLE},
    {chkBasalt, grpPackage, "BUTTON", BS_AUTORADIOBUTTON | WS_VISIBLE},
    {grpShortcut, Group5, "BUTTON", BS_GROUPBOX | WS_VISIBLE},
    {chkShortcut, grpShortcut, "BUTTON", BS_AUTOCHECKBOX | WS_VISIBLE},
    {Group6, 0, "BUTTON", BS_GROUPBOX},
    {Static12, Group6, "STATIC", WS_VISIBLE},
    {Edit4, Group6, "EDIT", ES_MULTILINE | ES_READONLY | WS_VISIBLE},
    {Static13, Group6, "STATIC", WS_VISIBLE},
    {radRebootNow, Group1, "BUTTON", BS_AUTORADIOBUTTON},
    {radRebootLater, Group1, "BUTTON", BS_AUTORADIOBUTTON},
};

HWND g_window;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND ParentOf(const StandInControl& control, HWND created[], int count)
{
    if (control.parent == 0)
        return g_window;
    for (int i = 0; i < count; ++i)
        if (kControls[i].id == control.parent)
            return created[i];
    return g_window;
}

}  // namespace

HWND CreateStandInMainWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "InstalStandInMain";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    g_window = CreateWindowExA(0, "InstalStandInMain", " Stand-in", WS_OVERLAPPED | WS_CAPTION,
                               100, 100, 500, 380, nullptr, nullptr, windowClass.hInstance, nullptr);
    const int count = sizeof kControls / sizeof kControls[0];
    HWND created[count] = {};
    for (int i = 0; i < count; ++i) {
        const StandInControl& control = kControls[i];
        created[i] = CreateWindowExA(0, control.className, "", WS_CHILD | control.style,
                                     10 + (i % 5) * 90, 10 + (i / 5) * 36, 85, 30,
                                     ParentOf(control, created, i),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                     windowClass.hInstance, nullptr);
    }
    for (int i = 0; i < count; ++i)
        if (kControls[i].id == prbPerCent)
            SendMessageA(created[i], PBM_SETRANGE32, 0, 100);
    g_wizard.mainWindow = g_window;
    return g_window;
}

void DestroyStandInMainWindow()
{
    DestroyWindow(g_window);
    g_window = nullptr;
    g_wizard.mainWindow = nullptr;
}
