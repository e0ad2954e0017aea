#include "wizard/closing.h"

#include "engine/temp_cleanup.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/pages.h"
#include "wizard/portable/page_flow.h"
#include "wizard/wizard_state.h"

namespace {

// Once registration has begun the install cannot be undone, so Cancel is
// disabled; a close from outside is refused then too.
bool InstallCannotStop()
{
    return g_wizard.page == PageInstalling && !IsWindowEnabled(ControlWindow(btnCancel));
}

}  // namespace

void CloseWizard()
{
    g_wizard.closingItself = 1;
    SendMessageA(g_wizard.mainWindow, WM_CLOSE, 0, 0);
    g_wizard.closingItself = 0;
}

LRESULT OnCloseMessage()
{
    if (g_wizard.closingItself)
        return 0;
    if (!InstallCannotStop())
        OnCancelClicked();
    return 1;
}

bool SessionMayEnd()
{
    if (InstallCannotStop())
        return false;
    OnCancelClicked();
    return true;
}

void BeginLongStep()
{
    ++g_wizard.longSteps;
}

bool EndLongStep()
{
    if (--g_wizard.longSteps > 0 || !g_wizard.cleanUpDeferred)
        return g_wizard.cleanUpDeferred == 0;
    g_wizard.cleanUpDeferred = 0;
    CleanUpTemp(g_wizard.unpacking.tempFolder, g_wizard.model, g_wizard.job);
    FreeWorkBuffers();
    return false;
}

void CleanUpOnDestroy()
{
    // A step still running stops at its next check of the flag.
    g_wizard.cancel = 1;
    if (g_wizard.longSteps > 0) {
        g_wizard.cleanUpDeferred = 1;
        return;
    }
    CleanUpTemp(g_wizard.unpacking.tempFolder, g_wizard.model, g_wizard.job);
    FreeWorkBuffers();
}
