#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "registration/desktop_shortcut.h"
#include "base/registry.h"
#include "registration/shell_link.h"
#include "registration_fixture.h"
#include "wizard/control_ids.h"
#include "wizard/wizard_state.h"

namespace {

const char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kRecordKey[] = "SOFTWARE\\TWC Products\\Kestrel\\Uninstall";

struct LinkContents {
    std::string target;
    std::string workingFolder;
    std::string icon;
    int iconIndex = -1;
    std::string description;
};

LinkContents ReadLink(const std::string& path)
{
    LinkContents contents;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        WCHAR widePath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
        if (file != nullptr && SUCCEEDED(file->Load(widePath, STGM_READ))) {
            char text[MAX_PATH] = "";
            link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
            contents.target = text;
            link->GetWorkingDirectory(text, MAX_PATH);
            contents.workingFolder = text;
            link->GetIconLocation(text, MAX_PATH, &contents.iconIndex);
            contents.icon = text;
            link->GetDescription(text, MAX_PATH);
            contents.description = text;
        }
        if (file != nullptr)
            file->Release();
        link->Release();
    }
    CoUninitialize();
    return contents;
}

class DesktopShortcut : public testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA("C:\\Kestrel", nullptr);
        CloseHandle(CreateFileA("C:\\Kestrel\\Kestrel.exe", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        CopyText(g_wizard.choices.destination, "C:\\Kestrel");
        g_wizard.choices.desktopShortcut = true;
    }
    void TearDown() override
    {
        for (const std::string& desktop : {Desktop(HKEY_CURRENT_USER, "Desktop"),
                                           Desktop(HKEY_LOCAL_MACHINE, "Common Desktop")})
            DeleteFileA((desktop + "\\Kestrel.lnk").c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TWC Products");
        RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TWC Products");
    }
    static std::string Desktop(HKEY root, const char* name) { return ReadValue(root, kShellFolders, name); }

    RegistrationFixture fixture_;
};

// The step as Install runs it, on a system of this code.
void CreateShortcutOn(int osCode)
{
    InstallJob& job = RegistrationFixture::Job();
    job.osCode = osCode;
    CreateDesktopShortcut(job);
}

TEST_F(DesktopShortcut, PerMachineGoesOnTheAllUsersDesktop)
{
    g_wizard.installRoot = kLocalMachine;
    CreateShortcutOn(5);
    std::string link = Desktop(HKEY_LOCAL_MACHINE, "Common Desktop") + "\\Kestrel.lnk";
    ASSERT_TRUE(Exists(link)) << link;
    EXPECT_FALSE(Exists(Desktop(HKEY_CURRENT_USER, "Desktop") + "\\Kestrel.lnk"));
    LinkContents contents = ReadLink(link);
    EXPECT_EQ(contents.target, "C:\\Kestrel\\Kestrel.exe");
    EXPECT_EQ(contents.workingFolder, "C:\\Kestrel");
    EXPECT_EQ(contents.icon, "C:\\Kestrel\\Kestrel.exe");
    EXPECT_EQ(contents.iconIndex, 0);
    EXPECT_EQ(contents.description, "Kestrel");
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecordKey, "Shortcut"), "1");
}

TEST_F(DesktopShortcut, PerUserAndWindows95GoOnTheUsersDesktop)
{
    struct Case { RootCode root; int osCode; HKEY recordRoot; };
    const Case cases[] = {{kCurrentUser, 5, HKEY_CURRENT_USER}, {kLocalMachine, 1, HKEY_LOCAL_MACHINE}};
    for (const Case& c : cases) {
        g_wizard.installRoot = c.root;
        CreateShortcutOn(c.osCode);
        std::string link = Desktop(HKEY_CURRENT_USER, "Desktop") + "\\Kestrel.lnk";
        ASSERT_TRUE(Exists(link)) << link << " os " << c.osCode;
        EXPECT_FALSE(Exists(Desktop(HKEY_LOCAL_MACHINE, "Common Desktop") + "\\Kestrel.lnk"));
        EXPECT_EQ(ReadLink(link).target, "C:\\Kestrel\\Kestrel.exe");
        EXPECT_EQ(ReadValue(c.recordRoot, kRecordKey, "Shortcut"), "1");
        DeleteFileA(link.c_str());
    }
}

TEST_F(DesktopShortcut, NoLinkWhenUncheckedOrForASystemInstall)
{
    g_wizard.installRoot = kCurrentUser;
    g_wizard.choices.desktopShortcut = false;
    CreateShortcutOn(5);
    g_wizard.choices.desktopShortcut = true;
    g_wizard.model.systemInstall = 1;
    CreateShortcutOn(5);
    EXPECT_FALSE(Exists(Desktop(HKEY_CURRENT_USER, "Desktop") + "\\Kestrel.lnk"));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRecordKey, "Shortcut"));
}

TEST_F(DesktopShortcut, UnreadableDesktopFolderMakesNoLinkAndNoRecord)
{
    g_wizard.installRoot = kLocalMachine;
    std::string common = Desktop(HKEY_LOCAL_MACHINE, "Common Desktop");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kShellFolders, "Common Desktop");
    CreateShortcutOn(5);
    WriteRegString(kLocalMachine, kShellFolders, "Common Desktop", common.c_str());
    EXPECT_FALSE(Exists(common + "\\Kestrel.lnk"));
    EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE, kRecordKey, "Shortcut"));
}

TEST(ShellLink, CutsTheTargetToItsFolderAndReportsFailures)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string link = std::string(temp) + "plain.lnk";
    char target[260] = "C:\\Kestrel\\Kestrel.exe";
    EXPECT_EQ(CreateShellLink(target, link.c_str(), nullptr), S_OK);
    EXPECT_STREQ(target, "C:\\Kestrel");
    EXPECT_EQ(ReadLink(link).description, "");
    DeleteFileA(link.c_str());

    char another[260] = "C:\\Kestrel\\Kestrel.exe";
    EXPECT_NE(CreateShellLink(another, "Q:\\no\\such\\folder\\x.lnk", "x"), S_OK);
}

}  // namespace
