#include "wizard/run_without_pages.h"

#include <windows.h>

#include <string>

#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "base/registry.h"
#include "base/system_version.h"
#include "engine/package_extraction.h"
#include "engine/portable/list_file.h"
#include "resources/string_ids.h"
#include "wizard/closing.h"
#include "wizard/command_line_start.h"
#include "wizard/install_driver.h"
#include "wizard/previous_install.h"
#include "wizard/quiet_view.h"
#include "base/run_log.h"
#include "wizard/system_facts.h"
#include "wizard/wizard_state.h"

namespace {

// Every question goes on with the install: an earlier installation is
// removed, an existing folder is used. Notices need only their OK.
int AnswerAsTheRunGoesOn(const char*, UINT flags)
{
    UINT buttons = flags & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

bool Unpack(InstallView& view)
{
    g_wizard.unpacking.view = &view;
    if (ExtractPackage(g_wizard.unpacking))
        return true;
    if (g_wizard.unpacking.anotherRunHolds)
        g_wizard.exitCode = kExitAnotherRun;
    return false;
}

bool ChooseAnswers()
{
    PageStart start = ChoosePageStart(g_wizard.model, ReadSystemFacts(g_wizard.osCode, g_wizard.installRoot));
    if (!ApplyStartAnswers(start))
        return false;
    // A run without a person never restarts the machine.
    start.choices.restartNow = false;
    g_wizard.choices = start.choices;
    return true;
}

bool Install(InstallView& view)
{
    SaveAnswers();
    FillInstallJob(g_wizard.job);
    g_wizard.job.view = &view;
    if (!RunInstall(g_wizard.job))
        return false;
    g_wizard.exitCode = g_wizard.job.restartNeeded ? kExitRestartNeeded : kExitDone;
    char closing[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoClosingMessage, closing);
    if (closing[0] != '\0')
        LogLine(std::string("Closing message: ") + closing);
    return true;
}

bool RunSteps(InstallView& view)
{
    g_wizard.osCode = SystemOsCode();
    if (g_wizard.osCode == OsUnsupported)
        return ReportError(IDS_NEEDS_WINDOWS95, nullptr, false) != 0;
    g_wizard.unpacking.osCode = g_wizard.osCode;
    g_wizard.installRoot = ChooseInstallRoot();
    if (!Unpack(view) || !ChooseAnswers())
        return false;
    if (ProductIsRunning()) {
        ReportError(IDS_PRODUCT_RUNNING, nullptr, false);
        g_wizard.exitCode = kExitProductRunning;
        return false;
    }
    if (!CheckPreviousInstall()) {
        g_wizard.exitCode = kExitFailed;
        return false;
    }
    return Install(view);
}

}  // namespace

unsigned RunWithoutPages()
{
    UseWizardMessages(AnswerAsTheRunGoesOn);
    InstallView& view = QuietInstallView(g_wizard.commandLine.mode == RunMode::Silent);
    if (AllocateWorkBuffers())
        RunSteps(view);
    else
        g_wizard.exitCode = kExitFailed;
    EndTheRun();
    CloseQuietWindow();
    return g_wizard.exitCode;
}
