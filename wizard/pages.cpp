#include "wizard/pages.h"

#include <shlobj.h>

#include "base/messages.h"
#include "base/portable/exit_codes.h"
#include "base/portable/text_helpers.h"
#include "base/waiting.h"
#include "engine/portable/install_model.h"
#include "engine/path_macros.h"
#include "engine/portable/file_rules.h"
#include "engine/portable/list_file.h"
#include "engine/temp_cleanup.h"
#include "registration/portable/product_keys.h"
#include "base/registry.h"
#include "resources/string_ids.h"
#include "wizard/closing.h"
#include "wizard/command_line_start.h"
#include "wizard/completion.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/install_driver.h"
#include "wizard/system_facts.h"
#include "wizard/portable/page_flow.h"
#include "wizard/portable/page_start.h"
#include "wizard/portable/wizard_texts.h"
#include "wizard/wizard_state.h"

namespace {

const int kAssociationBoxes[] = {chkProject, chkWindow, chkModule, chkResource};
constexpr int kNoString = 0;

void SetChecked(int id, bool checked)
{
    SendMessageA(ControlWindow(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void FocusControl(int id)
{
    SetFocus(ControlWindow(id));
}

// A table string, then information lines, each after a space, then (when
// given) a closing table string after a space.
void ComposeLabel(int id, int firstString, std::initializer_list<int> informationLines, int lastString)
{
    char text[kTextCapacity];
    char line[kTextCapacity];
    LoadTableString(firstString, text);
    for (int index : informationLines) {
        AppendChar(text, ' ');
        GetInformationLine(g_wizard.model, index, line);
        AppendText(text, line);
    }
    if (lastString != kNoString)
        AppendTableText(id, lastString, text);
    else
        SetControlText(id, text);
}

void OfferAssociations(int offered)
{
    if (offered == 0) {
        ShowControl(grpAssociate, false);
        return;
    }
    ComposeLabel(grpAssociate, IDS_UNCHECK_ASSOCIATIONS, {InfoProductName}, kNoString);
    for (int k = 0; k < offered; ++k) {
        char line[kTextCapacity];
        char caption[kTextCapacity];
        CopyText(line, g_wizard.model.associations[k].c_str());
        SplitFirstField(line, caption);
        SplitFirstField(line, caption);
        int box = kAssociationBoxes[k];
        SetChecked(box, g_wizard.choices.associations[k]);
        EnableControl(box, true);
        SetControlText(box, caption);
    }
}

void ShowChoices(const PageStart& start)
{
    const InstallChoices& choices = g_wizard.choices;
    SetControlText(stcDestDir, choices.destination);
    SetControlText(edtUserName, choices.userName);
    SetControlText(edtOrganization, choices.organization);
    SetChecked(chkProgramGroup, choices.programGroup);
    ShowControl(edtGroupName, choices.programGroup);
    ShowControl(lstExistingGroups, choices.programGroup);
    SetControlText(edtGroupName, choices.groupName);
    OfferAssociations(start.associationsOffered);
    SetChecked(chkShortcut, choices.desktopShortcut);
    ShowControl(grpShortcut, start.offersShortcut);
    // Only one of the two toolsets may show as selected.
    SetChecked(chkBasalt, choices.basalt);
    SetChecked(chkMasm32, !choices.basalt);
    SetChecked(radRebootNow, choices.restartNow);
    SetChecked(radRebootLater, !choices.restartNow);
}

void ListExistingGroups()
{
    char folder[kTextCapacity] = "";
    bool found = IsWindows9xFamily(g_wizard.osCode)
        ? ReadRegValue(kUsers, ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       "Programs", folder)
        : ReadRegValue(kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                       "Common Programs", folder);
    if (!found)
        return;
    JoinPath(folder, "*.*");
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(folder, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    HWND list = ControlWindow(lstExistingGroups);
    do {
        if (entry.cFileName[0] != '.')
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.cFileName));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

void ComposeStartTexts()
{
    char text[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoProductName, text);
    AppendTableText(Static5, IDS_DEFAULT_LOCATION, text);
    ComposeLabel(Static7, IDS_INFORMATION_DETECTED, {InfoProductName}, IDS_ON_YOUR_COMPUTER);
    ComposeLabel(Static12, IDS_INFORMATION_USED, {InfoProductName, InfoVersion}, IDS_ON_YOUR_COMPUTER);
}

void ShowSummary()
{
    char labels[4][kTextCapacity];
    char group[kTextCapacity];
    LoadTableString(IDS_SUMMARY_NAME, labels[0]);
    LoadTableString(IDS_SUMMARY_ORGANIZATION, labels[1]);
    LoadTableString(IDS_SUMMARY_FOLDER, labels[2]);
    LoadTableString(IDS_SUMMARY_GROUP, labels[3]);
    const InstallChoices& choices = g_wizard.choices;
    if (choices.programGroup)
        CopyText(group, choices.groupName);
    else
        LoadTableString(IDS_NONE, group);
    char* summary = g_wizard.workBlock;
    ComposeSummary(summary, kTextCapacity,
                   {labels[0], choices.userName, labels[1], choices.organization, labels[2], choices.destination, labels[3], group});
    SetControlText(edtSummary, summary);
}

void PrepareWelcomePage()
{
    EnableControl(btnPrevious, false);
    ShowControl(btnCancel, true);
    ComposeLabel(Static1, IDS_WELCOME, {InfoProductName, InfoVersion}, IDS_ON_YOUR_COMPUTER);
    ShowControl(btnPrevious, true);
    ShowControl(btnNext, true);
    ShowControl(grpPercent, false);
}

void EnablePrevious()
{
    EnableControl(btnPrevious, true);
}

void ShowInstallingPage()
{
    ShowControl(grpSummaryPage, false);
    ShowControl(btnPrevious, false);
    ShowControl(btnNext, false);
    SetDefaultButton(btnCancel);
    FocusControl(btnCancel);
    ShowTableText(stcCurrentTask, IDS_CHECKING_DISK_SPACE);
    ShowTableText(btnCancel, IDS_CANCEL);
    SendMessageA(ControlWindow(prbPerCent), PBM_SETPOS, 0, 0);
    ShowControl(prbPerCent, false);
    ShowControl(grpPercent, true);
    WaitMilliseconds(500, true);
}

bool AskToLeave()
{
    char text[kTextCapacity];
    LoadTableString(IDS_CONFIRM_LEAVE, text);
    return ShowMessage(IDS_CONFIRM_LEAVE, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void FinishWizard()
{
    char closing[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoClosingMessage, closing);
    if (g_wizard.finishReached && closing[0] != '\0')
        ShowMessage(kNotATableString, closing, MB_OK | MB_ICONINFORMATION);
    g_wizard.exitCode = g_wizard.job.restartNeeded ? kExitRestartNeeded : kExitDone;
    if (g_wizard.job.restartNeeded)
        RestartOrRemind();
    CloseWizard();
}

// A page that is a frame of its own: the frame shown (every other page's
// frame hidden), the control that takes the focus, the Next button's text,
// and what the page prepares first.
struct PageRow {
    unsigned page;
    int frame;
    int focus;          // 0: the focus stays where it is
    int nextCaption;    // 0: Next keeps its text
    void (*prepare)();
};

const PageRow kPageRows[] = {
    {PageWelcome, grpWelcomePage, 0, 0, PrepareWelcomePage},
    {PageDestination, grpDestinationPage, 0, 0, EnablePrevious},
    {PageUserDetails, grpUserPage, edtUserName, 0, nullptr},
    {PageProgramGroup, grpGroupPage, edtGroupName, IDS_NEXT, nullptr},
    {PageOptions, grpOptionsPage, 0, IDS_NEXT, nullptr},
    {PageSummary, grpSummaryPage, 0, IDS_INSTALL, ShowSummary},
};

void ShowFramedPage(const PageRow& row)
{
    if (row.prepare != nullptr)
        row.prepare();
    if (row.nextCaption != 0)
        ShowTableText(btnNext, row.nextCaption);
    if (row.focus != 0)
        FocusControl(row.focus);
    for (const PageRow& other : kPageRows) {
        if (other.frame != row.frame)
            ShowControl(other.frame, false);
    }
    ShowControl(row.frame, true);
}

}  // namespace

bool FillPageDefaults()
{
    PageStart start = ChoosePageStart(g_wizard.model, ReadSystemFacts(g_wizard.osCode, g_wizard.installRoot));
    if (!ApplyStartAnswers(start))
        return false;
    g_wizard.choices = start.choices;
    g_wizard.optionsContent = start.optionsPageShown ? 1 : 0;
    char line[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoWelcomeText, line);
    SetControlText(Static4, line);
    ShowChoices(start);
    ComposeStartTexts();
    ListExistingGroups();
    return true;
}

void ShowPage()
{
    for (const PageRow& row : kPageRows) {
        if (row.page == g_wizard.page) {
            ShowFramedPage(row);
            return;
        }
    }
    if (g_wizard.page == PageInstalling)
        ShowInstallingPage();
    else if (g_wizard.page == PageFinish)
        ShowFinishPage();
}

int OnNextClicked()
{
    if (g_wizard.page >= PageFinish)
        return 1;
    g_wizard.page = NextPageNumber(g_wizard.page, g_wizard.optionsContent, g_wizard.model.setupKind);
    ShowPage();
    if (g_wizard.page == PageInstalling) {
        SaveAnswers();
        FillInstallJob(g_wizard.job);
        bool installed;
        auto installAndOpenHelp = [] {
            int done = RunInstall(g_wizard.job);
            if (done)
                OpenHelpAndReadme(g_wizard.job);
            return done;
        };
        if (!RunLongStep(installAndOpenHelp, installed))
            return 1;
        if (!installed) {
            CloseWizard();
            return 1;
        }
        g_wizard.page = PageFinish;
        ShowPage();
        EndWaitCursor();
    }
    return 1;
}

int OnPreviousClicked()
{
    if (g_wizard.page <= PageWelcome)
        return 1;
    g_wizard.page = PreviousPageNumber(g_wizard.page, g_wizard.optionsContent, g_wizard.model.setupKind);
    ShowPage();
    return 1;
}

int OnCancelClicked()
{
    switch (g_wizard.page) {
    case PageUnpacking: {
        DeleteUnpackedLogo(g_wizard.unpacking.tempFolder);
        g_wizard.cancel = 1;
        break;
    }
    case PageWelcome:
        CloseWizard();
        break;
    case PageInstalling:
        PumpOneMessage();
        if (AskToLeave()) {
            g_wizard.cancel = 1;
        } else {
            g_wizard.cancel = 0;
            WaitMilliseconds(10, true);
        }
        break;
    case PageFinish:
        FinishWizard();
        break;
    default:
        if (AskToLeave())
            CloseWizard();
        break;
    }
    return 1;
}

void RecordChoice(int controlId)
{
    InstallChoices& choices = g_wizard.choices;
    switch (controlId) {
    case edtUserName:
        GetControlText(controlId, choices.userName);
        break;
    case edtOrganization:
        GetControlText(controlId, choices.organization);
        break;
    case edtGroupName:
        GetControlText(controlId, choices.groupName);
        break;
    case chkShortcut:
        choices.desktopShortcut = IsControlChecked(chkShortcut);
        break;
    case chkBasalt:
    case chkMasm32:
        choices.basalt = IsControlChecked(chkBasalt);
        break;
    case radRebootNow:
    case radRebootLater:
        choices.restartNow = IsControlChecked(radRebootNow);
        break;
    default:
        for (int kind = 0; kind < kDocumentKindCount; ++kind) {
            if (kAssociationBoxes[kind] == controlId)
                choices.associations[kind] = IsControlChecked(controlId);
        }
        break;
    }
}

int OnBrowseClicked()
{
    BrowseForDestination();
    return 1;
}

int OnGroupCheckClicked()
{
    bool checked = IsControlChecked(chkProgramGroup);
    ShowControl(edtGroupName, checked);
    ShowControl(lstExistingGroups, checked);
    g_wizard.choices.programGroup = checked;
    if (checked)
        FocusControl(edtGroupName);
    return 1;
}

void OpenLink(HWND label, bool asEmail)
{
    char text[kTextCapacity] = "";
    char address[kTextCapacity];
    if (asEmail)
        CopyText(text, "mailto:");
    GetWindowTextA(label, address, sizeof address);
    AppendText(text, address);
    ShellExecuteA(GetParent(label), nullptr, text, nullptr, nullptr, SW_SHOWNORMAL);
}
