// Alt+F4 and the taskbar's Close reach the wizard as a close from outside:
// it is the page's Cancel, never a window that vanishes under a running step.
#include <shlobj.h>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "test_package.h"
#include "wizard/control_ids.h"
#include "test_environment.h"

namespace {

const char kRecord[] = "SOFTWARE\\TWC Products\\KestrelTest";

class OutsideClose : public EndToEnd {
protected:
    void SetUp() override { RemoveTestProduct(); }
    void TearDown() override
    {
        RemoveTestProduct();
        EndToEnd::TearDown();
    }
};

TEST_F(OutsideClose, DuringTheCopyYesRollsBackAndNoLetsItFinish)
{
    {
        WizardSession session(BigTestPackage());
        ASSERT_TRUE(StartTestInstall(session));
        CloseFromOutside(session);
        ASSERT_TRUE(AgreeToCancel(session));
        EXPECT_TRUE(EndsSoonAfterItsWindow(session));
        EXPECT_EQ(session.WaitForExit(), kExitCancelled);
        EXPECT_FALSE(Exists(TestProductDestination())) << "no file and no folder left behind";
    }
    {
        WizardSession session(BigTestPackage());
        ASSERT_TRUE(StartTestInstall(session));
        CloseFromOutside(session);
        MessageBoxSeen question = session.WaitForMessageBox();
        ASSERT_NE(question.box, nullptr);
        session.Answer(question, IDNO);
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
        session.Click(btnCancel);
        EXPECT_TRUE(EndsSoonAfterItsWindow(session));
        EXPECT_EQ(session.WaitForExit(), kExitDone);
        EXPECT_TRUE(Exists(TestProductDestination() + "\\Data\\Big.bin"));
        HKEY record;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRecord, 0, KEY_READ, &record), ERROR_SUCCESS)
            << "the uninstall record was written";
        RegCloseKey(record);
    }
}

TEST_F(OutsideClose, DuringTheRegistrationStepIsRefused)
{
    WizardSession session(BigTestPackage());
    ASSERT_TRUE(StartTestInstall(session));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(session.Control(btnCancel)); }, 120000));
    DWORD_PTR sessionMayEnd = TRUE;
    SendMessageTimeoutA(session.main(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &sessionMayEnd);
    EXPECT_EQ(sessionMayEnd, static_cast<DWORD_PTR>(FALSE)) << "logging off waits for the install";
    CloseFromOutside(session);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the install goes on";
    EXPECT_EQ(session.WaitForMessageBox(0).box, nullptr) << "no question was asked";
    session.Click(btnCancel);
    EXPECT_TRUE(EndsSoonAfterItsWindow(session));
    EXPECT_EQ(session.WaitForExit(), kExitDone);
}

TEST_F(OutsideClose, OnTheUserPageNoKeepsThePageAndYesCloses)
{
    WizardSession session(BigTestPackage());
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForShown(grpDestinationPage, true));
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForShown(grpUserPage, true));
    session.Type(edtUserName, "Anna Puig");

    CloseFromOutside(session);
    MessageBoxSeen question = session.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    EXPECT_EQ(question.text, TableString(10032));
    session.Answer(question, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(session.main()); }, 5000));
    EXPECT_TRUE(session.IsShown(grpUserPage));
    EXPECT_EQ(session.Text(edtUserName), "Anna Puig");

    CloseFromOutside(session);
    question = session.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    session.Answer(question, IDYES);
    EXPECT_TRUE(EndsSoonAfterItsWindow(session));
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
}

TEST_F(OutsideClose, DuringUnpackingEndsSilently)
{
    std::vector<PackagedFile> files;
    for (int i = 0; i < 40; ++i)
        files.push_back({"<AppDir>", "Part" + std::to_string(i) + ".bin", IncompressibleBytes(256 << 10)});
    WizardSession session(WriteTestPackage(files, HonestTotal(files)));
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_NE(session.Text(btnCancel), TableString(10031)) << "still unpacking";
    CloseFromOutside(session);
    EXPECT_TRUE(EndsSoonAfterItsWindow(session));
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    std::string left;
    for (const PackagedFile& file : files) {
        if (Exists(TempFolder() + file.name))
            left += file.name + " ";
    }
    EXPECT_EQ(left, "") << "nothing of the package in the temp folder";
}

}  // namespace
