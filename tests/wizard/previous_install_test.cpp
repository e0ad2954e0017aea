#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "engine/list_reader.h"
#include "message_box_catcher.h"
#include "base/registry.h"
#include "stand_in_main_window.h"
#include "test_environment.h"
#include "wizard/previous_install.h"
#include "wizard/wizard_state.h"

namespace {

const char kRecordKey[] = "SOFTWARE\\TWC Products\\Kestrel";

class PreviousInstall : public testing::Test {
protected:
    void SetUp() override
    {
        ResetWizardState();
        g_wizard.installRoot = kCurrentUser;
        CreateStandInMainWindow();
        ShowWindow(g_wizard.mainWindow, SW_SHOW);
        g_wizard.model.information = {"Kestrel", "2.0", "Kestrel", "0", "", "Welcome", "Catal\xE0", "Kestrel",
                                 "", "", "Kestrel 2.0"};

        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        uninstaller_ = std::string(windows) + "\\KSUninst.exe";
        SetFileAttributesA(uninstaller_.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(CopyFileA(BuildFile("fake_uninstaller.exe").c_str(), uninstaller_.c_str(), FALSE));
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        log_ = std::string(temp) + "uninstaller.log";
        DeleteFileA(log_.c_str());
        SetEnvironmentVariableA("INSTAL_FAKE_LOG", log_.c_str());
        existingFolder_ = std::string(temp) + "Installed Kestrel";
        CreateDirectoryA(existingFolder_.c_str(), nullptr);
    }
    void TearDown() override
    {
        DestroyStandInMainWindow();
        for (const char* suffix : {"", "E", "Ev"})
            RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(kRecordKey) + suffix).c_str());
        RemoveDirectoryA(existingFolder_.c_str());
    }

    void Record(const char* suffix, const char* name, const std::string& path)
    {
        std::string key = std::string(kRecordKey) + suffix + "\\Uninstall";
        WriteRegString(kCurrentUser, key.c_str(), "Name", name);
        WriteRegString(kCurrentUser, key.c_str(), "Version", "1.0");
        WriteRegString(kCurrentUser, key.c_str(), "Language", "Catal\xE0");
        WriteRegString(kCurrentUser, key.c_str(), "Path", path.c_str());
    }
    static bool KeyExists(const std::string& key)
    {
        HKEY opened;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            return false;
        RegCloseKey(opened);
        return true;
    }
    std::string UninstallerLog() const
    {
        std::ifstream file(log_);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string uninstaller_;
    std::string log_;
    std::string existingFolder_;
};

TEST_F(PreviousInstall, NoRecordGoesOnSilently)
{
    MessageBoxCatcher catcher;
    EXPECT_EQ(CheckPreviousInstall(), 1);
    EXPECT_TRUE(catcher.boxes().empty());
}

TEST_F(PreviousInstall, AStaleRecordIsDeletedSilently)
{
    for (const char* suffix : {"", "E", "Ev"}) {
        Record("", suffix[0] == '\0' ? "Kestrel" : "Other", "C:\\No such folder");
        if (suffix[0] != '\0')
            Record(suffix, "Kestrel", "C:\\No such folder");
        MessageBoxCatcher catcher;
        EXPECT_EQ(CheckPreviousInstall(), 1) << suffix;
        EXPECT_TRUE(catcher.boxes().empty());
        EXPECT_FALSE(KeyExists(kRecordKey));
        EXPECT_FALSE(KeyExists(std::string(kRecordKey) + suffix)) << "the suffixed record goes too";
    }
}

TEST_F(PreviousInstall, DecliningTheRemovalClosesTheWizard)
{
    Record("", "Kes trel", existingFolder_);
    MessageBoxCatcher catcher;
    catcher.Answer(IDNO);
    EXPECT_EQ(CheckPreviousInstall(), 0);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    const CaughtMessageBox& box = catcher.boxes()[0];
    EXPECT_EQ(box.text, Ansi("L'Assistent d'instal·lació ha detectat que Kes trel 1.0 (Català) està instal·lat "
                             "en aquest sistema. La carpeta d'instal·lació és:\r\n\r\n")
                            + existingFolder_
                            + Ansi("\r\n\r\nVoleu desinstal·lar-lo per tal d'instal·lar Kestrel 2.0 (Català)?"));
    EXPECT_TRUE(box.yesNo);
    EXPECT_EQ(box.defaultButton, IDNO);
    EXPECT_TRUE(UninstallerLog().empty());
    EXPECT_TRUE(KeyExists(kRecordKey));
}

TEST_F(PreviousInstall, TheUninstallerRemovesTheCopy)
{
    struct Case { const char* suffix; const char* name; const char* exitCode; int result; const char* commandLine; };
    const Case cases[] = {
        {"", "KESTREL", "0", 1, " /S Kestrel"},
        {"E", "Kestrel", "0", 1, " /S KestrelE"},
        {"Ev", "kestrel", "3", 0, " /S KestrelEv"},
        {"", "Kestrel", "3010", 1, " /S Kestrel"},
    };
    for (const Case& c : cases) {
        if (c.suffix[0] != '\0')
            Record("", "Something else", existingFolder_);
        Record(c.suffix, c.name, existingFolder_);
        SetEnvironmentVariableA("INSTAL_FAKE_EXIT", c.exitCode);
        DeleteFileA(log_.c_str());
        MessageBoxCatcher catcher;
        catcher.Answer(IDYES);
        EXPECT_EQ(CheckPreviousInstall(), c.result) << c.suffix;
        EXPECT_EQ(UninstallerLog(), std::string(c.commandLine) + "\n");
        EXPECT_EQ(IsWindowVisible(g_wizard.mainWindow) != FALSE, c.result == 1)
            << "shown again only when the removal succeeded";
        TearDown();
        SetUp();
    }
}

}  // namespace
