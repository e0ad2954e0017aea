#include "wizard/pages.h"

#include <shlobj.h>

#include "base/messages.h"
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
#include "wizard/completion.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/install_driver.h"
#include "wizard/portable/page_flow.h"
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

void HideOptionsShortcut()
{
    SetChecked(chkShortcut, false);
    ShowControl(grpShortcut, false);
}

void ChooseDefaultDestination()
{
    char* destination = g_wizard.buffers.destination;
    GetInformationLine(g_wizard.model, InfoDefaultFolder, destination);
    if (g_wizard.model.systemInstall != 0) {
        GetSystemDirectoryA(destination, static_cast<UINT>(kTextCapacity));
        HideOptionsShortcut();
        return;
    }
    char shortcutTarget[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoShortcutTarget, shortcutTarget);
    if (shortcutTarget[0] == '\0') {
        HideOptionsShortcut();
        g_wizard.optionsContent = 0;
    }
    g_wizard.createGroup = 1;
    ShowControl(edtGroupName, true);
    ShowControl(lstExistingGroups, true);
    SetChecked(chkProgramGroup, true);

    GetInformationLine(g_wizard.model, InfoDefaultFolder, g_wizard.buffers.defaultFolder);
    if (!ReadRegValue(kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                      destination)) {
        // Without the value, the system drive's usual folder stands in.
        GetWindowsDirectoryA(destination, static_cast<UINT>(kTextCapacity));
        destination[3] = '\0';
        AppendText(destination, "Program Files");
    }
    JoinPath(destination, g_wizard.buffers.defaultFolder);
}

void OfferAssociations()
{
    const std::vector<std::string>& associations = g_wizard.model.associations;
    int count = static_cast<int>(associations.size());
    if (count == 0) {
        ShowControl(grpAssociate, false);
        return;
    }
    g_wizard.optionsContent = 1;
    ComposeLabel(grpAssociate, IDS_UNCHECK_ASSOCIATIONS, {InfoProductName}, kNoString);
    for (int k = 0; k < count && k < 4; ++k) {
        char line[kTextCapacity];
        char field[kTextCapacity];
        CopyText(line, associations[k].c_str());
        SplitFirstField(line, field);
        SplitFirstField(line, field);
        int box = kAssociationBoxes[k];
        SetChecked(box, true);
        EnableControl(box, true);
        SetControlText(box, field);
    }
}

void ReadToolsetChoice()
{
    char productKey[kTextCapacity];
    char key[kTextCapacity];
    char value[kTextCapacity] = "0";
    GetInformationLine(g_wizard.model, InfoProductKey, productKey);
    ProductRecordKey(key, sizeof key, productKey, "", "Settings");
    if (!ReadRegValue(g_wizard.installRoot, key, "Basalt", value))
        CopyText(value, "0");
    bool basalt = ParseNumber(value) != 0;
    SetChecked(chkBasalt, basalt);
    // Only one of the two options may show as selected.
    if (basalt)
        SetChecked(chkMasm32, false);
}

void ReadUserDetails()
{
    const char* key = IsWindows9xFamily(g_wizard.osCode) ? "Software\\Microsoft\\Windows\\CurrentVersion"
                                      : "Software\\Microsoft\\Windows NT\\CurrentVersion";
    char value[kTextCapacity] = "";
    if (ReadRegValue(kLocalMachine, key, "RegisteredOwner", value))
        SetControlText(edtUserName, value);
    value[0] = '\0';
    if (ReadRegValue(kLocalMachine, key, "RegisteredOrganization", value))
        SetControlText(edtOrganization, value);
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

    char version[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoProductName, text);
    AppendChar(text, ' ');
    GetInformationLine(g_wizard.model, InfoVersion, version);
    AppendText(text, version);
    SetControlText(edtGroupName, text);

    GetControlText(Static12, text);
    char line[kTextCapacity];
    for (int index : {InfoProductName, InfoVersion}) {
        AppendChar(text, ' ');
        GetInformationLine(g_wizard.model, index, line);
        AppendText(text, line);
    }
    AppendTableText(Static12, IDS_ON_YOUR_COMPUTER, text);
}

void ShowSummary()
{
    char labels[4][kTextCapacity];
    char name[kTextCapacity], organization[kTextCapacity], folder[kTextCapacity], group[kTextCapacity];
    LoadTableString(IDS_SUMMARY_NAME, labels[0]);
    LoadTableString(IDS_SUMMARY_ORGANIZATION, labels[1]);
    LoadTableString(IDS_SUMMARY_FOLDER, labels[2]);
    LoadTableString(IDS_SUMMARY_GROUP, labels[3]);
    GetControlText(edtUserName, name);
    GetControlText(edtOrganization, organization);
    GetControlText(stcDestDir, folder);
    if (IsControlChecked(chkProgramGroup))
        GetControlText(edtGroupName, group);
    else
        LoadTableString(IDS_NONE, group);
    char* summary = g_wizard.buffers.scratchA;
    ComposeSummary(summary, kTextCapacity,
                   {labels[0], name, labels[1], organization, labels[2], folder, labels[3], group});
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
    return ShowMessage(text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void FinishWizard()
{
    char closing[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoClosingMessage, closing);
    if (g_wizard.finishReached && closing[0] != '\0')
        ShowMessage(closing, MB_OK | MB_ICONINFORMATION);
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

void FillPageDefaults()
{
    char line[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoWelcomeText, line);
    SetControlText(Static4, line);
    ChooseDefaultDestination();
    SetControlText(stcDestDir, g_wizard.buffers.destination);
    OfferAssociations();
    ReadToolsetChoice();
    ReadUserDetails();
    ComposeStartTexts();
    ListExistingGroups();
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
        FillInstallJob(g_wizard.job);
        BeginLongStep();
        bool installed = RunInstall(g_wizard.job) != 0;
        if (!EndLongStep())
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
    g_wizard.createGroup = checked ? 1 : 0;
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
