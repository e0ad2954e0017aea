// What the install's journal promises, tried on the real programs: one
// wizard of the product at a time; a recovery that undoes only what is
// still the install's own, beside another product of the maker; libraries
// registered again as they were; and files in use that reach their own
// bytes at the restart.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "message_box_catcher.h"
#include "product_runs.h"
#include "test_environment.h"
#include "test_package.h"
#include "wizard/control_ids.h"
#include "wizard_session.h"

namespace {

const char kLibraryClass[] = "KestrelCore.Library";
const std::vector<std::string> kRunsOwnFiles = {"wizard-run-", "\\Temp\\"};

std::string SampleFile(const char* name)
{
    return ReadBytes(BuildFile((std::string("sample\\files\\") + name).c_str()));
}

// Every message box the wizard shows until its welcome page, answered OK:
// their texts in order.
std::vector<std::string> AnswerBoxesUntilTheWelcomePage(WizardSession& session)
{
    std::vector<std::string> texts;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 120000) {
        if (session.FindMainWindow() != nullptr && session.Text(btnCancel) == TableString(10031) &&
            session.IsShown(grpWelcomePage))
            break;
        MessageBoxSeen box = session.WaitForMessageBox(1000);
        if (box.box == nullptr)
            continue;
        texts.push_back(box.text);
        session.Answer(box, IDOK);
    }
    return texts;
}

// Finish on the finish page, the closing message and, when the install asks
// for a restart, Later and the reminder: every box answered OK.
void FinishLater(WizardSession& session)
{
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10035), 120000)) << "the finish page";
    if (session.IsShown(radRebootLater))
        session.Click(radRebootLater);
    session.Click(btnCancel);
    while (session.WaitForExit(3000) == STILL_ACTIVE) {
        MessageBoxSeen box = session.WaitForMessageBox(3000);
        if (box.box != nullptr)
            session.Answer(box, IDOK);
    }
}

// Killed during the install's program-group step: the registry, the
// libraries and their registration are done, and the journal stays.
void InstallKilledAtTheGroup()
{
    WizardSession session(SamplePackage());
    ASSERT_TRUE(session.Start());
    ASSERT_TRUE(ClickUpToInstall(session));
    ASSERT_TRUE(WaitUntil([&] { return session.Text(stcCurrentTask) == TableString(10024); }, 120000));
    session.Kill();
}

// The next start of the wizard undoes it; leaving from the welcome page
// ends the wizard. The texts of its messages, in order.
std::vector<std::string> RecoverAtTheNextStart()
{
    WizardSession session(SamplePackage());
    EXPECT_TRUE(session.Start());
    std::vector<std::string> texts = AnswerBoxesUntilTheWelcomePage(session);
    EXPECT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    session.Click(btnCancel);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    return texts;
}

// The test product of the same maker, installed through its pages.
void InstallTheOtherProduct()
{
    std::vector<PackagedFile> files = {{"<AppDir>", "Eina.txt", "the other product"}};
    WizardSession session(WriteTestPackage(files, HonestTotal(files)));
    ASSERT_TRUE(StartTestInstall(session));
    FinishLater(session);
}

// The other product's removal, by the real uninstaller from the build.
DWORD RemoveTheOtherProduct()
{
    WizardSession session("");
    if (!session.StartCommand(BuildFile("sample\\files\\KSUninst.exe") + " /S KestrelTest", kUninstallerClass))
        return STILL_ACTIVE;
    return session.WaitForExit();
}

bool LibraryIsRegistered()
{
    return ReadString(HKEY_CLASSES_ROOT, kLibraryClass, nullptr) == "Kestrel Core";
}

// As the library's own registration does it when a program installs it.
void Register(const std::string& library)
{
    HMODULE module = LoadLibraryA(library.c_str());
    ASSERT_NE(module, nullptr);
    auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(module, "DllRegisterServer"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(), S_OK);
    FreeLibrary(module);
}

class JournalPromise : public Uninstaller {
protected:
    void SetUp() override
    {
        Uninstaller::SetUp();
        RemoveTestProduct();
        DeleteFileA((WindowsFolder() + "\\Kestrel.jnl").c_str());
        DeleteFileA((WindowsFolder() + "\\KestrelTest.jnl").c_str());
    }
};

// A second wizard of the product, started while one runs, says so and ends
// without touching anything; the first then goes on, or is left, as usual.
TEST_F(JournalPromise, ASecondWizardOfTheProductRefusesAndTheFirstGoesOn)
{
    for (bool install : {false, true}) {
        SCOPED_TRACE(install ? "the first installs" : "the first is left from its welcome page");
        std::set<std::string> before = Snapshot();
        WizardSession first(SamplePackage());
        ASSERT_TRUE(first.Start());
        ASSERT_TRUE(first.WaitForMainWindow() && first.WaitForText(btnCancel, TableString(10031)));
        std::set<std::string> whileTheFirstRuns = Snapshot();
        {
            WizardSession second(SamplePackage());
            ASSERT_TRUE(second.Start());
            MessageBoxSeen refused = second.WaitForMessageBox();
            EXPECT_EQ(refused.text, TableString(10074));
            second.Answer(refused, IDOK);
            EXPECT_EQ(second.WaitForExit(), kExitAnotherRun);
        }
        std::vector<std::string> differences = Differences(whileTheFirstRuns, Snapshot(), {"wizard-run-"});
        EXPECT_TRUE(differences.empty()) << "the second wizard changed:\n" << Listed(differences);
        if (!install) {
            first.Click(btnCancel);
            EXPECT_EQ(first.WaitForExit(), kExitCancelled);
            differences = Differences(before, Snapshot(), kRunsOwnFiles);
            EXPECT_TRUE(differences.empty()) << Listed(differences);
            continue;
        }
        ASSERT_TRUE(ClickUpToInstall(first));
        FinishLater(first);
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kUninstallRecord, "Version"), "1.0");
    }
    // A later wizard, whose user declines to remove the installation, leaves
    // the installed product as it was: its uninstaller above all.
    std::set<std::string> installed = Snapshot();
    std::string uninstaller = ReadBytes(UninstallerPath());
    WizardSession later(SamplePackage());
    ASSERT_TRUE(later.Start());
    MessageBoxSeen question = later.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    later.Answer(question, IDNO);
    EXPECT_EQ(later.WaitForExit(), kExitCancelled);
    std::vector<std::string> differences = Differences(installed, Snapshot(), kRunsOwnFiles);
    EXPECT_TRUE(differences.empty()) << Listed(differences);
    EXPECT_EQ(ReadBytes(UninstallerPath()), uninstaller);
    EXPECT_EQ(RunSilently("/S Kestrel"), 0u);
}

// Months may pass before the next start undoes an interrupted install:
// another product of the maker may have been installed (and removed) since.
// Its records, its share of a library and its uninstaller stay.
TEST_F(JournalPromise, ARecoveryLeavesAnotherProductOfTheMaker)
{
    const std::string otherRecord = "SOFTWARE\\TWC Products\\KestrelTest\\Uninstall";
    for (bool removed : {true, false}) {
        SCOPED_TRACE(removed ? "installed and removed since" : "installed since");
        std::set<std::string> before = Snapshot();
        InstallKilledAtTheGroup();
        const std::string library = ShortPath(Destination()) + "\\KestrelCore.dll";   // as the wizard counts it
        ASSERT_EQ(ReadCount(library), 1u) << "the interrupted install's own count";
        // The other product brings an uninstaller of its own (the stand-in).
        InstallTheOtherProduct();
        ASSERT_EQ(ReadString(HKEY_LOCAL_MACHINE, otherRecord.c_str(), "Version"), "1.0");
        const std::string othersUninstaller = ReadBytes(UninstallerPath());
        if (removed) {
            ASSERT_EQ(RemoveTheOtherProduct(), 0u);
        } else {
            DWORD shared = 2;   // the other product counts the library too
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSharedLibraries, library.c_str(), REG_DWORD, &shared, sizeof shared);
        }

        std::vector<std::string> told = RecoverAtTheNextStart();
        ASSERT_FALSE(told.empty());
        EXPECT_EQ(told[0], TableString(10071));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProductRecord)) << "the interrupted install's own records go";
        EXPECT_TRUE(ReadBytes(UninstallerPath()) == othersUninstaller) << "the uninstaller the other product wrote";
        if (removed) {
            std::vector<std::string> differences = Differences(before, Snapshot(), kIntendedLeftovers);
            EXPECT_TRUE(differences.empty()) << Listed(differences);
            continue;
        }
        EXPECT_EQ(ReadCount(library), 1u) << "the other product's share of the library";
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, otherRecord.c_str(), "Version"), "1.0") << "its records";
        EXPECT_EQ(RemoveTheOtherProduct(), 0u) << "and it can still be removed";
        EXPECT_FALSE(Exists(TestProductDestination()));
    }
}

// A library with the register flag that was there before, registered, is
// registered after the undo with its original bytes: the same version that
// the install kept, and an older one that it replaced.
TEST_F(JournalPromise, LibrariesThatWereThereAreRegisteredAgainAfterTheUndo)
{
    const std::string library = Destination() + "\\KestrelCore.dll";
    const struct {
        const char* name;
        std::string bytes;
    } kLibraries[] = {{"the same version, kept", SampleFile("KestrelCore.dll")},
                      {"an older version, replaced", LibraryOfVersion09(SampleFile("KestrelCore.dll"))}};
    for (const auto& before : kLibraries) {
        SCOPED_TRACE(before.name);
        CreateDirectoryA(Destination().c_str(), nullptr);
        WriteBytes(library, before.bytes);
        Register(library);
        ASSERT_TRUE(LibraryIsRegistered());
        InstallKilledAtTheGroup();
        RecoverAtTheNextStart();
        EXPECT_TRUE(LibraryIsRegistered());
        EXPECT_TRUE(ReadBytes(library) == before.bytes) << "the original bytes";
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kLibraryClass);
        DeleteTree(Destination());
    }
}

// Two files in use with the same base name both wait for the restart, each
// under a name of its own beside the user's files of the helper names, and
// each reaches its own bytes.
TEST_F(JournalPromise, TwoFilesInUseWithOneBaseNameEachReachTheirBytesAtTheRestart)
{
    CreateDirectoryA(Destination().c_str(), nullptr);
    CreateDirectoryA((Destination() + "\\~Kept").c_str(), nullptr);
    const char* const kUsersFiles[] = {"~Kestrel.exe", "~Kept\\Kestrel.exe", "Kestrel.tmp"};
    for (const char* name : kUsersFiles)
        WriteBytes(Destination() + "\\" + name, std::string("the user's ") + name);
    std::vector<HANDLE> held;
    for (const char* name : {"Kestrel.exe", "Kestrel.chm"}) {
        std::string path = Destination() + "\\" + name;
        WriteBytes(path, "in use");
        held.push_back(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(held.back(), INVALID_HANDLE_VALUE);
    }
    {
        WizardSession session(SamplePackage());
        ASSERT_TRUE(session.Start());
        ASSERT_TRUE(ClickUpToInstall(session));
        ASSERT_TRUE(session.WaitForShown(radRebootLater, true, 120000)) << "the finish page offers the restart";
        FinishLater(session);
    }
    for (HANDLE file : held)
        CloseHandle(file);
    ASSERT_TRUE(RestartTheSystem());

    EXPECT_TRUE(ReadBytes(Destination() + "\\Kestrel.exe") == SampleFile("Kestrel.exe"));
    EXPECT_TRUE(ReadBytes(Destination() + "\\Kestrel.chm") == SampleFile("Kestrel.chm"));
    for (const char* name : kUsersFiles)
        EXPECT_EQ(ReadBytes(Destination() + "\\" + name), std::string("the user's ") + name);
    EXPECT_EQ(RunSilently("/S Kestrel"), 0u);
}

}  // namespace
