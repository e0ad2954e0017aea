#include "wizard/closing.h"

#include "engine/journal_end.h"
#include "engine/temp_cleanup.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/portable/page_flow.h"
#include "wizard/wizard_state.h"

void CloseWizard()
{
    g_wizard.closingItself = 1;
    SendMessageA(g_wizard.mainWindow, WM_CLOSE, 0, 0);
    g_wizard.closingItself = 0;
}

bool IsClosingItself()
{
    return g_wizard.closingItself != 0;
}

bool InstallCannotStop()
{
    return g_wizard.page == PageInstalling && g_wizard.cancelDisabled;
}

void EndTheRun()
{
    UndoJournal(g_wizard.job.journal, nullptr, g_wizard.osCode);
    CleanUpTemp(g_wizard.unpacking.tempFolder, g_wizard.model);
    FreeWorkBuffers();
}

bool RunLongStep(int (*step)(), bool& succeeded)
{
    ++g_wizard.longSteps;
    succeeded = step() != 0;
    if (--g_wizard.longSteps > 0 || !g_wizard.cleanUpDeferred)
        return g_wizard.cleanUpDeferred == 0;
    g_wizard.cleanUpDeferred = 0;
    EndTheRun();
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
    EndTheRun();
}
