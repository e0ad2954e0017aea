// Installs and removals ended from outside at many points, as a crash, the
// task manager or a power cut ends them, and a session that ends during the
// copy: the next start leaves the machine as it was before, or complete.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/portable/exit_codes.h"
#include "message_box_catcher.h"
#include "product_runs.h"
#include "test_environment.h"
#include "uninstaller/uninstaller_ids.h"
#include "wizard/control_ids.h"
#include "wizard_session.h"

namespace {

const char* const kUnpackedNames[] = {"AppLogo.bmp", "Kestrel.exe", "KestrelCore.dll", "Hola.kst", "Finestra.kst",
                                      "KestrelSans.ttf", "Llegiume.txt", "Kestrel.chm"};
const char kOlderBytes[] = "Kestrel 0.9, written over by the install";
// What no undo takes back: the font, which other programs may already use.
const std::vector<std::string> kKeptByUndo = {"KestrelSans.ttf", "Kestrel Sans", "\\Temp\\", "wizard-run-",
                                              "[HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]"};

std::string OlderProgram()
{
    return Destination() + "\\Kestrel.exe";
}

// The user's own files under the names the install's helpers would take.
const char* const kUsersFiles[] = {"~Kestrel.exe", "~Kept\\Kestrel.exe", "Kestrel.tmp"};

void PutTheUsersFiles()
{
    CreateDirectoryA((Destination() + "\\~Kept").c_str(), nullptr);
    for (const char* name : kUsersFiles)
        WriteBytes(Destination() + "\\" + name, std::string("the user's ") + name);
}

std::string JournalPath()
{
    return WindowsFolder() + "\\Kestrel.jnl";
}

// How many records the journal marks undone so far; it is read as the
// running wizard shares it.
std::size_t UndoneMarks()
{
    std::string text = ReadBytes(JournalPath(), FILE_SHARE_READ | FILE_SHARE_WRITE);
    std::size_t marks = 0;
    for (std::size_t at = text.find("\nundone\t"); at != std::string::npos; at = text.find("\nundone\t", at + 1))
        ++marks;
    return marks;
}

std::string PackageFilesInTemp()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string left;
    for (const char* name : kUnpackedNames) {
        if (Exists(std::string(temp) + name))
            left += std::string(name) + " ";
    }
    return left;
}

class InterruptedInstall : public Uninstaller {
protected:
    void SetUp() override
    {
        Uninstaller::SetUp();
        DeleteFileA(JournalPath().c_str());
        PutTheOlderProgramBack();
        before_ = Snapshot();
    }

    // An older version's program, which the install replaces.
    void PutTheOlderProgramBack()
    {
        CreateDirectoryA(Destination().c_str(), nullptr);
        WriteBytes(OlderProgram(), kOlderBytes);
        PutTheUsersFiles();
    }

    // The next start tells the user, undoes the interrupted install and
    // offers its pages again; leaving from the welcome page ends it. A kill
    // after the install completed (its journal gone) leaves it complete: it
    // is removed, and the older program put back, for the next point.
    void ExpectRecoveredAtTheNextStart(const std::string& point)
    {
        SCOPED_TRACE(point);
        if (!Exists(JournalPath())) {
            EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version"), "1.0") << "complete";
            ASSERT_EQ(RunSilently("/S Kestrel"), 0u);
            PutTheOlderProgramBack();
            ExpectTheMachineAsBefore();
            return;
        }
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        MessageBoxSeen told = session.WaitForMessageBox();
        ASSERT_NE(told.box, nullptr) << "no message about the interrupted install";
        EXPECT_EQ(told.text, TableString(10071));
        session.Answer(told, IDOK);
        ASSERT_NE(session.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
        session.Click(btnCancel);
        EXPECT_EQ(session.WaitForExit(), kExitCancelled);
        ExpectTheMachineAsBefore();
    }

    void ExpectTheMachineAsBefore()
    {
        std::vector<std::string> differences = Differences(before_, Snapshot(), kKeptByUndo);
        EXPECT_TRUE(differences.empty()) << Listed(differences);
        EXPECT_EQ(ReadBytes(OlderProgram()), kOlderBytes) << "the replaced file, byte for byte";
        ExpectTheUsersFiles();
        EXPECT_EQ(PackageFilesInTemp(), "");
        EXPECT_FALSE(Exists(JournalPath()));
    }

    void ExpectTheUsersFiles()
    {
        for (const char* name : kUsersFiles)
            EXPECT_EQ(ReadBytes(Destination() + "\\" + name), std::string("the user's ") + name);
    }

    std::set<std::string> before_;
};

TEST_F(InterruptedInstall, KilledAnywhereItIsUndoneAtTheNextStartAndCanThenBeCompleted)
{
    // How long the install takes here, from the Install click to the finish
    // page; the completed install is then removed and the older program put back.
    DWORD installTime = 0;
    {
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ClickUpToInstall(session));
        DWORD clicked = GetTickCount();
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000));
        installTime = GetTickCount() - clicked;
        session.Kill();
    }
    EXPECT_FALSE(Exists(JournalPath())) << "a complete install leaves no journal";
    ASSERT_EQ(RunSilently("/S Kestrel"), 0u);
    PutTheOlderProgramBack();
    before_ = Snapshot();

    {
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        EXPECT_TRUE(WaitUntil([] { return PackageFilesInTemp().find("Kestrel.exe") != std::string::npos; }, 60000));
        session.Kill();
        ExpectRecoveredAtTheNextStart("while unpacking");
    }
    {
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ClickUpToInstall(session));
        EXPECT_TRUE(WaitUntil([] { return Exists(Destination() + "\\~Kept\\Kestrel.exe"); }, 60000));
        session.Kill();
        ExpectRecoveredAtTheNextStart("while the older program waits aside");
    }
    // Points on the install's own signs: the bar's position during the copy,
    // the status of each later step.
    struct SignPoint {
        const char* name;
        int bar;        // the copy's bar at least this far, or 0
        int task;       // or the status line showing this text
    };
    const SignPoint kSigns[] = {
        {"a quarter of the copy", 25, 0}, {"half the copy", 50, 0}, {"three quarters of the copy", 75, 0},
        {"the registry", 0, 10063},       {"the program group", 0, 10024}, {"the desktop link", 0, 10025},
    };
    for (const SignPoint& sign : kSigns) {
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ClickUpToInstall(session));
        EXPECT_TRUE(WaitUntil([&] {
            return sign.bar != 0 ? SendMessageA(session.Control(prbPerCent), PBM_GETPOS, 0, 0) >= sign.bar
                                 : session.Text(stcCurrentTask) == TableString(sign.task);
        }, 60000)) << sign.name;
        session.Kill();
        ExpectRecoveredAtTheNextStart(sign.name);
    }
    {
        // Started for the product instead, the uninstaller puts it right first.
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ClickUpToInstall(session));
        EXPECT_TRUE(WaitUntil([&] { return session.Text(stcCurrentTask) == TableString(10063); }, 60000));
        session.Kill();
        MessageBoxSeen told;
        EXPECT_EQ(RunSilently("/S Kestrel", &told), 0u) << "nothing is left to remove";
        EXPECT_EQ(told.text, TableString(IDS_U_INSTALL_WAS_INTERRUPTED));
        // Its own file, which the install replaced, is put back at the next start.
        ASSERT_TRUE(RestartTheSystem());
        ExpectTheMachineAsBefore();
    }
    // And points spread evenly over the install's time.
    constexpr int kPoints = 14;
    for (int point = 0; point < kPoints; ++point) {
        DWORD delay = installTime * point / kPoints;
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ClickUpToInstall(session));
        Sleep(delay);   // chooses the kill's point in the install; nothing is waited for
        session.Kill();
        ExpectRecoveredAtTheNextStart(std::to_string(delay) + " ms after Install of " + std::to_string(installTime));
    }
    // The recovery itself killed inside its undo, just after the undo has
    // marked so many records done: the next start finishes it.
    int landedInside = 0;
    for (std::size_t marks : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{8}}) {
        WizardSession crashed(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(crashed.Start());
        ASSERT_TRUE(ClickUpToInstall(crashed));
        ASSERT_TRUE(WaitUntil([&] { return crashed.Text(stcCurrentTask) == TableString(10024); }, 60000));
        crashed.Kill();
        WizardSession recovering(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(recovering.Start());
        MessageBoxSeen told = recovering.WaitForMessageBox();
        ASSERT_NE(told.box, nullptr);
        recovering.Answer(told, IDOK);
        while (UndoneMarks() < marks && Exists(JournalPath()))
            Sleep(1);
        recovering.Kill();
        if (UndoneMarks() > 0 && Exists(JournalPath()))
            ++landedInside;
        ExpectRecoveredAtTheNextStart("the recovery killed after " + std::to_string(marks) + " undone records");
    }
    EXPECT_GT(landedInside, 0) << "no kill came inside the undo";

    InstallSample();
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version"), "1.0");
    ExpectTheUsersFiles();
    AskedRemoval removal = RemoveAsTheSystemDoes(UninstallString());
    EXPECT_EQ(removal.exitCode, 0u);
    // The older program was replaced, so the removal takes it; the user's
    // files keep the folder.
    ExpectTheUsersFiles();
    std::vector<std::string> differences = Differences(before_, Snapshot(), kIntendedLeftovers);
    std::vector<std::string> expected = {"- " + OlderProgram()};
    EXPECT_EQ(std::set<std::string>(differences.begin(), differences.end()),
              std::set<std::string>(expected.begin(), expected.end()))
        << Listed(differences);
}

// The session's end asked from outside during the copy, as logging off asks
// every window: Yes rolls the install back before the answer, No goes on.
TEST_F(InterruptedInstall, LoggingOffDuringTheCopyWaitsForTheUsersAnswer)
{
    for (bool agree : {true, false}) {
        SCOPED_TRACE(agree ? "Yes" : "No");
        WizardSession session(BuildFile("sample\\_Data.001"));
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ClickUpToInstall(session));
        ASSERT_TRUE(WaitUntil([&] { return SendMessageA(session.Control(prbPerCent), PBM_GETPOS, 0, 0) >= 10; },
                              60000));
        DWORD_PTR answer = 0xDEAD;
        std::thread loggingOff([&] {
            SendMessageTimeoutA(session.main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 120000, &answer);
        });
        MessageBoxSeen question = session.WaitForMessageBox();
        EXPECT_EQ(question.text, TableString(10032));
        session.Answer(question, agree ? IDYES : IDNO);
        if (agree) {
            MessageBoxSeen cancelled = session.WaitForMessageBox();
            EXPECT_EQ(cancelled.text, TableString(10064));
            session.Answer(cancelled, IDOK);
        }
        loggingOff.join();
        if (agree) {
            EXPECT_NE(answer, 0u) << "the session may end";
            ExpectTheMachineAsBefore();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(session.main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 30000, &ignored);
            EXPECT_EQ(session.WaitForExit(), kExitCancelled);
            continue;
        }
        EXPECT_EQ(answer, 0u) << "the session's end is refused";
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the install goes on to the end";
        session.Click(btnCancel);
        MessageBoxSeen closing = session.WaitForMessageBox();
        ASSERT_NE(closing.box, nullptr);
        session.Answer(closing, IDOK);
        EXPECT_EQ(session.WaitForExit(), kExitDone);
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version"), "1.0");
    }
}

// A removal ended from outside at points spread over its time finishes when
// it is run again, and the machine is as the round trip leaves it.
TEST_F(InterruptedInstall, ARemovalKilledAnywhereFinishesWhenRunAgain)
{
    InstallSample();
    DWORD started = GetTickCount();
    ASSERT_EQ(RunSilently("/S Kestrel"), 0u);
    DWORD removalTime = GetTickCount() - started;
    std::set<std::string> removed = Snapshot();

    constexpr int kPoints = 10;
    for (int point = 0; point < kPoints; ++point) {
        DWORD delay = removalTime * point / kPoints;
        SCOPED_TRACE(std::to_string(delay) + " ms into a removal of " + std::to_string(removalTime));
        InstallSample();
        {
            WizardSession session("");
            ASSERT_TRUE(session.StartCommand(UninstallerPath() + " /S Kestrel", kUninstallerClass));
            Sleep(delay);   // chooses the kill's point in the removal; nothing is waited for
            session.Kill();
        }
        // A kill that came after the removal's end leaves nothing to run again for.
        if (KeyExists(HKEY_LOCAL_MACHINE, kProductRecord))
            EXPECT_EQ(RunSilently("/S Kestrel"), 0u);
        std::vector<std::string> differences = Differences(removed, Snapshot(), kKeptByUndo);
        EXPECT_TRUE(differences.empty()) << Listed(differences);
    }
}

}  // namespace
