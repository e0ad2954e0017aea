#include <windows.h>
#include <shlobj.h>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/portable/install_model.h"
#include "engine/portable/list_file.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/pages.h"
#include "wizard/portable/wizard_texts.h"
#include "wizard/wizard_state.h"

namespace {

constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_STATUSTEXT
                              | BIF_BROWSEFORCOMPUTER;

void CentreOverMainWindow(HWND browser)
{
    RECT main, own;
    GetWindowRect(g_wizard.mainWindow, &main);
    GetWindowRect(browser, &own);
    int x = main.left + ((main.right - main.left) / 2 - (own.right - own.left) / 2);
    int y = main.top + ((main.bottom - main.top) / 2 - (own.bottom - own.top) / 2);
    SetWindowPos(browser, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void SetBrowserCaption(HWND browser)
{
    char caption[kTextCapacity] = " ";
    char title[kTextCapacity];
    LoadTableString(IDS_CHOOSE_FOLDER, title);
    AppendText(caption, title);
    SetWindowTextA(browser, caption);
}

// Selects the parent of the shown destination first, so the tree opens
// there even when the destination itself does not exist yet.
void SelectShownDestination(HWND browser)
{
    const char* folder = g_wizard.choices.destination;
    char parent[kTextCapacity];
    CopyText(parent, folder);
    char* separator = strrchr(parent, '\\');
    if (separator != nullptr) {
        *separator = '\0';
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(parent));
    }
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder));
}

// A chosen folder gets the list file's folder name below it.
void AddDefaultFolder(char* path, std::size_t capacity)
{
    char name[kTextCapacity];
    GetInformationLine(g_wizard.model, InfoDefaultFolder, name);
    DestinationForBrowsedFolder(path, capacity, name);
}

void ShowFolderToBeUsed(HWND browser, LPITEMIDLIST selection)
{
    char path[kTextCapacity] = "";
    SHGetPathFromIDListA(selection, path);
    AddDefaultFolder(path, sizeof path);
    SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    SendMessageA(browser, BFFM_ENABLEOK, 0, TRUE);
}

int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM value, LPARAM)
{
    switch (message) {
    case BFFM_INITIALIZED:
        CentreOverMainWindow(browser);
        SetBrowserCaption(browser);
        SelectShownDestination(browser);
        break;
    case BFFM_SELCHANGED:
        ShowFolderToBeUsed(browser, reinterpret_cast<LPITEMIDLIST>(value));
        break;
    default:
        break;
    }
    return 0;
}

// Runs the browser once; false when the user cancelled.
bool BrowseOnce(char* destination)
{
    LPITEMIDLIST drives = nullptr;
    SHGetSpecialFolderLocation(g_wizard.mainWindow, CSIDL_DRIVES, &drives);
    BROWSEINFOA browse = {};
    browse.hwndOwner = g_wizard.mainWindow;
    browse.pidlRoot = drives;
    browse.pszDisplayName = destination;
    browse.ulFlags = kBrowseFlags;
    browse.lpfn = BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(g_wizard.mainWindow);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (drives != nullptr)
        CoTaskMemFree(drives);
    if (chosen == nullptr)
        return false;
    SHGetPathFromIDListA(chosen, destination);
    CoTaskMemFree(chosen);
    AddDefaultFolder(destination, kTextCapacity);
    return true;
}

bool UseExistingFolder()
{
    char text[kTextCapacity];
    LoadTableString(IDS_FOLDER_EXISTS, text);
    return ShowMessage(IDS_FOLDER_EXISTS, text, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

void BrowseForDestination()
{
    char destination[kTextCapacity];
    do {
        if (!BrowseOnce(destination))
            return;
    } while (GetFileAttributesA(destination) != INVALID_FILE_ATTRIBUTES && !UseExistingFolder());
    CopyText(g_wizard.choices.destination, destination);
    SetControlText(stcDestDir, destination);
}
