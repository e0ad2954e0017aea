#include "wizard/form_install_view.h"

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/bar_position.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

class FormView final : public InstallView {
public:
    void ShowTask(int stringId) override { ShowTableText(stcCurrentTask, stringId); }

    void ShowFile(const char* text) override { SetControlText(stcFile, text); }

    void ShowBar(int percent) override
    {
        HWND bar = ControlWindow(prbPerCent);
        if (bar == nullptr)
            return;
        ShowBarPosition(bar, static_cast<unsigned>(percent));
        UpdateWindow(bar);
    }

    void ShowProgress(bool shown) override
    {
        ShowControl(stcFile, shown);
        ShowControl(prbPerCent, shown);
    }

    void EnableCancel(bool enabled) override
    {
        g_wizard.cancelDisabled = !enabled;
        EnableControl(btnCancel, enabled);
    }

    void ShowBusy(bool busy) override
    {
        if (busy)
            BeginWaitCursor(g_wizard.mainWindow);
        else
            EndWaitCursor();
    }

    void Pause(DWORD milliseconds, bool dispatch) override { WaitMilliseconds(milliseconds, dispatch); }

    void ShowListFile(const ListFileContent& content) override
    {
        if (content.setupKindRead && content.setupKind == SetupKindWithoutToolset)
            ShowControl(grpPackage, false);
        if (content.titleRead) {
            char caption[kTextCapacity] = " ";
            AppendText(caption, content.title.c_str());
            SetWindowTextA(g_wizard.mainWindow, caption);
        }
    }

    void DispatchWaiting() override
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            // The quit is the main loop's: posted again, and the step goes on.
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
};

}  // namespace

InstallView& FormInstallView()
{
    static FormView view;
    return view;
}
