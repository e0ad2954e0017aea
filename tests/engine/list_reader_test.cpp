#include <gtest/gtest.h>

#include <string>

#include "engine/list_reader.h"
#include "engine/portable/list_file.h"
#include "message_box_catcher.h"
#include "stand_in_main_window.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/form_install_view.h"
#include "wizard/wizard_state.h"

namespace {

class ListReader : public testing::Test {
protected:
    void SetUp() override
    {
        ResetWizardState();
        CreateStandInMainWindow();
        GetTempPathA(MAX_PATH, path_);
        lstrcatA(path_, "Setup.lst");
    }
    void TearDown() override
    {
        DestroyStandInMainWindow();
        DeleteFileA(path_);
    }

    HANDLE Open(const std::string& bytes)
    {
        HANDLE file = CreateFileA(path_, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        return CreateFileA(path_, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    char path_[MAX_PATH];
};

const char kListFile[] =
    "Kind=2\r\nTitle= Kestrel 2.0\r\nName=Kestrel\r\nVersion=2.0\r\nFolder=Kestrel\r\n"
    "System=0\r\nReserved=\r\nWelcome=Hello\r\nLanguage=Catala\r\nKey=Kestrel2\r\n"
    "Total=1000\r\nEntries=2\r\n"
    "F=<AppDir>,Kestrel.exe,600,,,1,1,0\r\nF=<AppDir>\\Bin,Lib.dll,400,1,0,0,1,1\r\n"
    "Registry=1\r\nR=80000002H,Software\\Acme,Dir@<AppDir>\\Bin\r\n"
    "Group=2\r\nI=Kestrel,Kestrel.exe\r\nI=Llegiume,Llegiume.txt\r\n"
    "Assoc=0\r\n"
    "Shortcut=<AppDir>\\Kestrel.exe\r\nClosing=\r\nDisplay=Kestrel 2.0\r\n";

TEST_F(ListReader, FillsTheInstallModelAndTheCaption)
{
    ASSERT_EQ(ReadListFile(Open(kListFile), "Setup.lst", g_wizard.model, FormInstallView()), 1);
    const InstallModel& model = g_wizard.model;
    EXPECT_EQ(model.setupKind, 2);
    EXPECT_EQ(model.progressTotal, 1000u);
    EXPECT_EQ(model.entryCount, 2);
    EXPECT_EQ(model.information.size(), 11u);
    EXPECT_EQ(model.information[InfoProductKey], "Kestrel2");
    EXPECT_EQ(model.information[InfoUninstallName], "Kestrel 2.0");
    EXPECT_EQ(model.information[InfoClosingMessage], "");
    EXPECT_EQ(model.files.size(), 2u);
    EXPECT_EQ(model.files[1], "<AppDir>\\Bin,Lib.dll,400,1,0,0,1,1");
    EXPECT_EQ(model.registry.size(), 1u);
    EXPECT_EQ(model.groupItems.size(), 2u);
    EXPECT_EQ(model.associations.size(), 0u);

    char caption[260];
    GetWindowTextA(g_wizard.mainWindow, caption, sizeof caption);
    EXPECT_STREQ(caption, "  Kestrel 2.0") << "one space before a value that starts with one";
    EXPECT_FALSE(IsWindowVisible(ControlWindow(grpPackage))) << "setup kind 2 hides the toolset";
}

TEST_F(ListReader, TheFileIsClosedAfterReading)
{
    ASSERT_EQ(ReadListFile(Open(kListFile), "Setup.lst", g_wizard.model, FormInstallView()), 1);
    EXPECT_TRUE(DeleteFileA(path_)) << "nothing holds the file open";
}

TEST_F(ListReader, DamageIsReportedOnceWithTheListName)
{
    const std::string damaged[] = {
        std::string(kListFile).substr(0, sizeof kListFile - 3),        // no final line end
        std::string(kListFile).replace(std::string(kListFile).find("Entries=2"), 9, "Entries=0"),
        std::string(kListFile).replace(std::string(kListFile).find("Entries=2"), 9, "Entries=9"),
        std::string(kListFile).replace(std::string(kListFile).find("Assoc=0"), 7, "Assoc 0"),
        "Kind=1\r\nTitle=" + std::string(300, 'x') + "\r\n",
        "",
    };
    for (const std::string& bytes : damaged) {
        MessageBoxCatcher catcher;
        EXPECT_EQ(ReadListFile(Open(bytes), "Setup.lst", g_wizard.model, FormInstallView()), 0);
        ASSERT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes()[0].text,
                  Ansi("Setup.lst: El fitxer està fet malbé. L'Assistent d'instal·lació no pot continuar."));
        EXPECT_TRUE(DeleteFileA(path_)) << "the list file is closed after a failure";
    }
}

}  // namespace
