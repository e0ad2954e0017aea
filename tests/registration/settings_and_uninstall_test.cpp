#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "registration/associations.h"
#include "registration/settings_and_uninstall.h"
#include "message_box_catcher.h"
#include "registry_dump.h"
#include "registration_fixture.h"
#include "test_environment.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

const char kProductKey[] = "SOFTWARE\\TWC Products\\Kestrel";
const char kRecordKey[] = "SOFTWARE\\TWC Products\\Kestrel\\Uninstall";
const char kSystemEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestrel";
const char kFileExts[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const char kSharedLibraries[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char kDestination[] = "C:\\Kestrel Test";
const char kProgram[] = "C:\\Kestrel Test\\bin\\Kestrel.exe";

void MakeFile(const std::string& path)
{
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

class SettingsAndUninstall : public testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA(kDestination, nullptr);
        CreateDirectoryA("C:\\Kestrel Test\\bin", nullptr);
        CreateDirectoryA("C:\\Kestrel Test\\HELP", nullptr);
        MakeFile(kProgram);
        MakeFile("C:\\Kestrel Test\\HELP\\name.ext");
        MakeFile("C:\\windows\\system32\\kshared.dll");
        g_wizard.installRoot = kLocalMachine;
        g_wizard.model.setupKind = 1;
        g_wizard.model.registry = {
            "80000002H,Software\\Acme,Dir@<AppDir>\\Bin",
            "80000000H,.abc,@<WinDir>",
            "80000001H,Software\\Acme,Plain@plain text",
            "80000001H,Software\\Acme,NoAt",
            "0,Software\\Acme,Inert@<WinDir>",
        };
        // What the copy step leaves for the records.
        g_wizard.job.recordedFiles = {
            "C:\\Kestrel Test\\bin,Kestrel.exe,10,0,0,0,1,0",
            "C:\\Kestrel Test\\bin,unlisted.txt,10,0,0,0,0,0",
            "C:\\Kestrel Test\\HELP,name.ext,10,0,0,0,1,0",
            "C:\\windows\\system32,kshared.dll,10,0,0,0,1,1",
        };
        g_wizard.model.groupItems = {"Editor,bin\\Kestrel.exe", "Help,HELP\\name.ext"};
        g_wizard.model.associations.clear();
        for (const char* extension : {".kpj", ".kwn", ".kmd", ".krc"})
            g_wizard.model.associations.push_back(std::string(extension) + ",Kind,<AppDir>\\bin\\Kestrel.exe");
        InstallChoices& choices = g_wizard.choices;
        CopyText(choices.destination, kDestination);
        CopyText(choices.userName, "Ada");
        CopyText(choices.organization, "Tallwood Labs");
        CopyText(choices.groupName, " Kestrel ");
        choices.programGroup = true;
        choices.basalt = true;
        choices.associations[KindProject] = true;
        choices.associations[KindModule] = true;
        WriteRegString(kCurrentUser, (std::string(kFileExts) + "\\.kpj\\UserChoice").c_str(), "Progid", "Other");
        RegCreateKeyA(HKEY_LOCAL_MACHINE, kSharedLibraries, &sharedLibraries_);
        RegCloseKey(sharedLibraries_);
    }
    void TearDown() override
    {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            RegDeleteTreeA(root, "SOFTWARE\\TWC Products");
            RegDeleteTreeA(root, "Software\\Acme");
            RegDeleteTreeA(root, kSystemEntry);
        }
        for (const char* key : {".abc", ".kpj", ".kwn", ".kmd", ".krc", "Kestrel.Project", "Kestrel.Window",
                                "Kestrel.Module", "Kestrel.Resource"}) {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
            RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kFileExts) + "\\" + key).c_str());
        }
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSharedLibraries, "C:\\windows\\system32\\kshared.dll");
    }

    static std::string Dump()
    {
        std::ostringstream out;
        DumpKey(out, HKEY_LOCAL_MACHINE, "HKLM", kProductKey);
        DumpKey(out, HKEY_LOCAL_MACHINE, "HKLM", "Software\\Acme");
        DumpKey(out, HKEY_LOCAL_MACHINE, "HKLM", kSystemEntry);
        DumpKey(out, HKEY_CURRENT_USER, "HKCU", kProductKey);
        for (const char* key : {".abc", ".kpj", "Kestrel.Project", ".kmd", "Kestrel.Module", ".kwn", ".krc"})
            DumpKey(out, HKEY_CLASSES_ROOT, "HKCR", key);
        for (const char* extension : {".kpj", ".kmd", ".kwn"})
            DumpKey(out, HKEY_CURRENT_USER, "HKCU", std::string(kFileExts) + "\\" + extension);
        char count[64];
        DWORD value = 0, size = sizeof value;
        RegGetValueA(HKEY_LOCAL_MACHINE, kSharedLibraries, "C:\\windows\\system32\\kshared.dll", RRF_RT_REG_DWORD,
                     nullptr, &value, &size);
        wsprintfA(count, "SharedDLLs C:\\windows\\system32\\kshared.dll=%lu\n", value);
        return out.str() + count;
    }

    static int BarPosition()
    {
        return static_cast<int>(SendMessageA(ControlWindow(prbPerCent), PBM_GETPOS, 0, 0));
    }

    RegistrationFixture fixture_;
    HKEY sharedLibraries_ = nullptr;
};

TEST_F(SettingsAndUninstall, WritesTheGoldenValues)
{
    g_wizard.job.installedBytes = 5000 * 1024 + 1;   // the programs list shows 5001 KB
    UpdateRegistry(RegistrationFixture::Job());
    std::string dump = Dump();
    const std::string today = "\"" + Today() + "\"";
    if (std::size_t at = dump.find(today); at != std::string::npos)
        dump.replace(at, today.size(), "\"<Today>\"");
    EXPECT_EQ(dump, GoldenText("tests/registration/golden/settings_and_uninstall.txt", dump));
}

TEST_F(SettingsAndUninstall, StatusBarAndCancelButton)
{
    UpdateRegistry(RegistrationFixture::Job());
    char text[260];
    GetWindowTextA(ControlWindow(stcCurrentTask), text, sizeof text);
    EXPECT_EQ(std::string(text), TableString(10063));
    GetWindowTextA(ControlWindow(stcFile), text, sizeof text);
    EXPECT_EQ(std::string(text), TableString(10068));
    EXPECT_FALSE(IsWindowEnabled(ControlWindow(btnCancel)));
    EXPECT_FALSE(IsWindowVisible(ControlWindow(stcFile)));
    EXPECT_FALSE(IsWindowVisible(ControlWindow(prbPerCent)));
    EXPECT_EQ(BarPosition(), 100);
}

TEST_F(SettingsAndUninstall, WithoutAGroupNoGroupValuesAndTheBarStopsShort)
{
    g_wizard.choices.programGroup = false;
    UpdateRegistry(RegistrationFixture::Job());
    for (const char* name : {"Group", "Item1", "Items"})
        EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE, kRecordKey, name)) << name;
    EXPECT_EQ(BarPosition(), 9 * 100 / 11) << "the group items still count in the total";
}

TEST_F(SettingsAndUninstall, SetupKindDecidesToolsetAndAssociations)
{
    struct Case { int kind; bool toolset; bool associations; };
    const Case cases[] = {{0, true, false}, {2, false, true}};
    for (const Case& c : cases) {
        TearDown();
        g_wizard.model.setupKind = c.kind;
        UpdateRegistry(RegistrationFixture::Job());
        EXPECT_EQ(HasValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\TWC Products\\Kestrel\\Settings", "Basalt"), c.toolset)
            << "kind " << c.kind;
        EXPECT_EQ(HasValue(HKEY_LOCAL_MACHINE, kRecordKey, "Associations"), c.associations) << "kind " << c.kind;
        EXPECT_EQ(HasValue(HKEY_CLASSES_ROOT, ".kpj", nullptr), c.associations) << "kind " << c.kind;
    }
}

TEST_F(SettingsAndUninstall, PerUserInstallWritesUnderTheUser)
{
    g_wizard.installRoot = kCurrentUser;
    UpdateRegistry(RegistrationFixture::Job());
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, "Software\\Acme", "Dir"), "C:\\Kestrel Test\\Bin");
    EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE, "Software\\Acme", "Dir"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRecordKey, "Files"), "3");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSystemEntry, "UninstallString"), "C:\\windows\\KSUninst.exe Kestrel");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, (std::string(kFileExts) + "\\.kpj").c_str(), "Application"),
              "Kestrel.exe");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ".abc", nullptr), "C:\\windows") << "other roots as given";
}

TEST_F(SettingsAndUninstall, AssociationsAreNumberedInRegistrationOrder)
{
    struct Case { std::vector<int> checked; std::vector<std::string> associated; };
    const Case cases[] = {
        {{KindProject, KindWindow, KindModule, KindResource}, {".kpj", ".kwn", ".kmd", ".krc"}},
        {{}, {}},
        {{KindModule}, {".kmd"}},
    };
    for (const Case& c : cases) {
        TearDown();
        for (bool& chosen : g_wizard.choices.associations)
            chosen = false;
        for (int kind : c.checked)
            g_wizard.choices.associations[kind] = true;
        WriteAssociations(RegistrationFixture::Job());
        EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecordKey, "Associations"), std::to_string(c.associated.size()));
        for (std::size_t n = 0; n < c.associated.size(); ++n)
            EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRecordKey, ("Associate" + std::to_string(n + 1)).c_str()),
                      c.associated[n]);
        EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE, kRecordKey,
                              ("Associate" + std::to_string(c.associated.size() + 1)).c_str()));
        if (c.associated.size() == 4) {
            const char* const kinds[] = {"Project", "Window", "Module", "Resource"};
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, (std::string("Kestrel.") + kinds[i] + "\\DefaultIcon").c_str(),
                                    nullptr),
                          std::string(kProgram) + "," + std::to_string(i));
        }
    }
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "Kestrel.Module\\DefaultIcon", nullptr), std::string(kProgram) + ",2")
        << "the kind keeps its icon whatever its number";
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "Kestrel.Module\\shell\\open\\command", nullptr),
              "\"" + std::string(kProgram) + "\" \"%1\"")
        << "quoted, or the system would try the path's first word as a program";
}

}  // namespace

namespace {

TEST(ParseRegistryLine, ExpandsTheLeadingMacroOrSkipsTheLine)
{
    RegistrationFixture fixture;
    struct Case { const char* line; RootCode root; const char* data; };
    const Case cases[] = {
        {"80000002H,Software\\Acme,Dir@<AppDir>\\Bin", kLocalMachine, "C:\\Apps\\K\\Bin"},
        {"80000000H,.abc,@<windir>", kClassesRoot, "C:\\windows"},
        {"80000001H,Software\\Acme,X@plain text", 0, nullptr},
        {"80000001H,Software\\Acme,X@C:\\<AppDir>", 0, nullptr},
        {"80000001H,Software\\Acme,NoAt<AppDir>", 0, nullptr},
        {"0,Software\\Acme,X@<AppDir>", 0, "C:\\Apps\\K"},
    };
    for (const Case& c : cases) {
        RegistryLine parsed;
        EXPECT_EQ(ParseRegistryLine(c.line, "C:\\Apps\\K", parsed), c.root) << c.line;
        if (c.data != nullptr)
            EXPECT_STREQ(parsed.data, c.data) << c.line;
    }
}

}  // namespace
