#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "engine/journal_end.h"
#include "engine/list_reader.h"
#include "message_box_catcher.h"
#include "base/system_version.h"
#include "base/registry.h"
#include "stand_in_main_window.h"
#include "test_environment.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/install_driver.h"
#include "wizard/pages.h"
#include "wizard/portable/page_flow.h"
#include "wizard/wizard_state.h"

namespace {

const char* const kFiles[] = {"one.txt", "two.txt", "three.txt"};
const std::string kLongDestination = "C:\\" + std::string(247, 'k');

std::string Text(int id)
{
    char text[260];
    GetControlText(id, text);
    return text;
}

// As Install on the summary page does: the job from the pages, the install,
// and the finish page when it is complete.
int InstallAsThePagesDo()
{
    FillInstallJob(g_wizard.job);
    if (!RunInstall(g_wizard.job))
        return 0;
    g_wizard.page = PageFinish;
    ShowPage();
    return 1;
}

class InstallDriver : public testing::Test {
protected:
    void SetUp() override
    {
        ResetWizardState();
        g_wizard.installRoot = kCurrentUser;
        ASSERT_TRUE(AllocateWorkBuffers());
        CreateStandInMainWindow();
        ShowWindow(g_wizard.mainWindow, SW_SHOW);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        temp_ = std::string(temp) + "driver-temp";
        destination_ = std::string(temp) + "driver-destination";
        CreateDirectoryA(temp_.c_str(), nullptr);
        lstrcpyA(g_wizard.unpacking.tempFolder, temp_.c_str());
        CopyText(g_wizard.choices.destination, destination_.c_str());

        InstallModel& model = g_wizard.model;
        model.information = {"Kestrel", "1.0", "Kestrel", "0", "", "", "Catala", "KestrelDriverTest", "", "",
                             "Kestrel 1.0"};
        for (const char* name : kFiles) {
            std::ofstream(temp_ + "\\" + name, std::ios::binary) << std::string(20000, 'k');
            model.files.push_back(std::string("<AppDir>,") + name + ",20000,,,1,1,0");
        }
        model.progressTotal = 60000;
        model.entryCount = 3;
        model.setupKind = 1;
        g_wizard.page = PageInstalling;
        ASSERT_EQ(OpenJournal(g_wizard.job.journal, kTestProductKey), JournalOpening::Opened);
    }
    void TearDown() override
    {
        KillTimer(nullptr, timer_);
        UndoJournal(g_wizard.job.journal, nullptr, SystemOsCode());
        DestroyStandInMainWindow();
        FreeWorkBuffers();
        for (const char* name : kFiles) {
            DeleteFileA((temp_ + "\\" + name).c_str());
            DeleteFileA((destination_ + "\\" + name).c_str());
        }
        RemoveDirectoryA(temp_.c_str());
        RemoveDirectoryA(destination_.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TWC Products\\KestrelDriverTest");
    }

    bool Installed(const char* name) const
    {
        return GetFileAttributesA((destination_ + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // Presses Cancel from a timer, as a click would arrive during the
    // install's message dispatching, once the condition holds.
    void PressCancelWhen(bool (*condition)())
    {
        s_condition = condition;
        s_pressed = false;
        timer_ = SetTimer(nullptr, 0, 5, OnTimer);
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!s_pressed && s_condition()) {
            s_pressed = true;
            OnCancelClicked();
        }
    }

public:
    static bool (*s_condition)();
    static bool s_pressed;
    UINT_PTR timer_ = 0;
    std::string temp_;
    std::string destination_;
};

bool (*InstallDriver::s_condition)();
bool InstallDriver::s_pressed;
bool g_sawFileName;

bool CopyIsRunning()
{
    return !Text(stcFile).empty();
}

// The copy shows each file's name and clears the line when it is done.
bool CopyHasEnded()
{
    g_sawFileName = g_sawFileName || CopyIsRunning();
    return g_sawFileName && Text(stcFile).empty() && g_wizard.page == PageInstalling;
}

TEST_F(InstallDriver, CancelAnsweredNoLetsTheCopyGoOn)
{
    MessageBoxCatcher catcher;
    catcher.Answer(IDNO);
    PressCancelWhen(CopyIsRunning);
    EXPECT_EQ(InstallAsThePagesDo(), 1);
    EXPECT_TRUE(s_pressed);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, TableString(10032));
    EXPECT_EQ(g_wizard.cancel, 0);
    EXPECT_EQ(g_wizard.page, static_cast<unsigned>(PageFinish));
    for (const char* name : kFiles)
        EXPECT_TRUE(Installed(name)) << name;
}

TEST_F(InstallDriver, CancelAnsweredYesAfterTheCopyDoesNotStopTheInstall)
{
    g_sawFileName = false;
    MessageBoxCatcher catcher;
    catcher.Answer(IDYES);
    PressCancelWhen(CopyHasEnded);
    EXPECT_EQ(InstallAsThePagesDo(), 1);
    EXPECT_TRUE(s_pressed);
    EXPECT_EQ(g_wizard.cancel, 1) << "the flag is set but no longer looked at";
    EXPECT_EQ(g_wizard.page, static_cast<unsigned>(PageFinish));
    EXPECT_EQ(ReadRegValue(kCurrentUser, "SOFTWARE\\TWC Products\\KestrelDriverTest\\Uninstall", "Files", nullptr), 1)
        << "the registry step ran";
    for (const char* name : kFiles)
        EXPECT_TRUE(Installed(name)) << name;
}

TEST_F(InstallDriver, FailuresGiveTheirMessageAndStop)
{
    struct Case {
        const char* what;
        void (*prepare)(InstallDriver&);
        std::string message;
    };
    const std::string sentence = " " + TableString(10009);
    const Case cases[] = {
        {"a folder that cannot be made",
         [](InstallDriver&) { CopyText(g_wizard.choices.destination, "Q:\\Kestrel"); },
         "Q:\\Kestrel: " + TableString(10011) + sentence},
        // Its file lines, 270 characters once expanded, cannot be held whole.
        {"a destination of 250 characters",
         [](InstallDriver&) { CopyText(g_wizard.choices.destination, kLongDestination.c_str()); },
         kLongDestination + "\\one.txt: " + TableString(10070) + sentence},
        {"a file missing from the temp folder",
         [](InstallDriver& test) { DeleteFileA((test.temp_ + "\\two.txt").c_str()); },
         "two.txt: " + TableString(10012) + sentence},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        c.prepare(*this);
        MessageBoxCatcher catcher;
        EXPECT_EQ(InstallAsThePagesDo(), 0) << c.what;
        ASSERT_EQ(catcher.boxes().size(), 1u) << c.what;
        EXPECT_EQ(catcher.boxes()[0].text, c.message) << c.what;
        EXPECT_EQ(g_wizard.page, static_cast<unsigned>(PageInstalling)) << c.what;
        EXPECT_FALSE(Installed("one.txt")) << c.what << ": nothing stays installed";
    }
}

}  // namespace
