// Runs of the wizard that end before anything is installed.
#include <set>

#include <windows.h>
#include <shlobj.h>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "screenshot.h"
#include "test_environment.h"
#include "test_package.h"
#include "wizard/control_ids.h"

namespace {

std::string Sentence()
{
    return " " + TableString(10009);
}

TEST_F(EndToEnd, AMissingPackageIsReportedAndTheWizardEnds)
{
    WizardSession session("");
    ASSERT_TRUE(session.Start());
    MessageBoxSeen box = session.WaitForMessageBox();
    ASSERT_NE(box.box, nullptr);
    EXPECT_EQ(box.caption, WizardCaption());
    EXPECT_EQ(box.text, TableString(10026) + Sentence());
    session.SaveScreenshot(box.box, "e2e-missing-package");
    session.Answer(box, IDOK);
    EXPECT_EQ(session.WaitForExit(), kExitFailed);
}

TEST_F(EndToEnd, DamagedPackagesAreReportedAndTheWizardEnds)
{
    std::string whole = ReadBytes(SamplePackage());
    ASSERT_GT(whole.size(), 100u);
    struct Case { const char* what; std::string bytes; };
    const Case cases[] = {
        {"one byte", "E"},
        {"magic the wrong way round", std::string("\x41\x45\x00\x02", 4) + whole.substr(4)},
        {"selector 4", whole.substr(0, 3) + "\x04" + whole.substr(4)},
        {"cut in the middle", whole.substr(0, whole.size() / 2)},
    };
    for (const Case& c : cases) {
        WizardSession session(WritePackage("damaged.001", c.bytes));
        ASSERT_TRUE(session.Start());
        MessageBoxSeen box = session.WaitForMessageBox();
        ASSERT_NE(box.box, nullptr) << c.what;
        EXPECT_EQ(box.text, TableString(10004) + Sentence()) << c.what;
        session.Answer(box, IDOK);
        EXPECT_EQ(session.WaitForExit(), kExitFailed) << c.what;
        EXPECT_EQ(PackageFilesLeftInTemp(), "") << c.what;
    }
}

// A wrong command line ends the run with its own code before anything is
// changed; in a run that asked for silence, without a box.
TEST_F(EndToEnd, TheCommandLineIsShownOrRefused)
{
    struct Case { std::string arguments; std::string box; DWORD exitCode; };
    const Case cases[] = {
        {"/?", TableString(10081), kExitDone},
        {"/Bogus", "/Bogus: " + TableString(10077), kExitBadCommandLine},
        {"/VERYSILENT /Bogus", "", kExitBadCommandLine},
        {"/DIR=Kestrel", "/Dir=Kestrel: " + TableString(10078), kExitBadCommandLine},
        {"/LOADINF=C:\\nowhere.inf", "C:\\nowhere.inf: " + TableString(10079), kExitBadCommandLine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        WizardSession session(SamplePackage());
        ASSERT_TRUE(session.Start(c.arguments));
        if (!c.box.empty()) {
            MessageBoxSeen box = session.WaitForMessageBox();
            EXPECT_EQ(box.text, c.box);
            session.Answer(box, IDOK);
        }
        EXPECT_EQ(session.WaitForExit(), c.exitCode);
        EXPECT_EQ(PackageFilesLeftInTemp(), "");
    }
}

TEST_F(EndToEnd, QuittingOnTheWelcomePage)
{
    WizardSession session(SamplePackage());
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    EXPECT_TRUE(session.IsShown(btnNext));
    EXPECT_EQ(session.Text(btnNext), TableString(10045));
    EXPECT_EQ(session.Text(Static1).rfind(TableString(10066), 0), 0u);
    session.SaveScreenshot("e2e-welcome");
    session.Click(btnCancel);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
}

TEST_F(EndToEnd, CancelAnsweredNoThenYes)
{
    WizardSession session(SamplePackage());
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForShown(grpDestinationPage, true));
    EXPECT_EQ(session.Text(Static5), "Kestrel " + TableString(10027));
    session.SaveScreenshot("e2e-destination");

    session.Click(btnCancel);
    MessageBoxSeen question = session.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    EXPECT_EQ(question.text, TableString(10032));
    EXPECT_EQ(question.owner, session.main());
    session.SaveScreenshot(question.box, "e2e-leave-question");
    session.Answer(question, IDNO);
    EXPECT_EQ(session.WaitForExit(1000), static_cast<DWORD>(STILL_ACTIVE)) << "No keeps the wizard";
    EXPECT_TRUE(session.IsShown(grpDestinationPage));

    session.Click(btnCancel);
    question = session.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    session.Answer(question, IDYES);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
}

// The product's main window, as a running Kestrel shows it: setup kind 0
// does not look for it, the others stop.
TEST_F(EndToEnd, OnlySetupKindsWithOptionsStopForTheRunningProduct)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kKestrelFrameClass;
    RegisterClassA(&windowClass);
    HWND running = CreateWindowExA(0, kKestrelFrameClass, "Kestrel", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
    ASSERT_NE(running, nullptr);
    std::vector<PackagedFile> files = {{"<AppDir>", "a.txt", "a"}};
    for (int kind : {0, 1}) {
        SCOPED_TRACE(kind);
        WizardSession session(WriteTestPackage(files, HonestTotal(files), kind));
        ASSERT_TRUE(session.Start());
        ASSERT_NE(session.WaitForMainWindow(), nullptr);
        if (kind != 0) {
            MessageBoxSeen box = session.WaitForMessageBox();
            EXPECT_EQ(box.text, TableString(10030));
            session.Answer(box, IDOK);
            EXPECT_EQ(session.WaitForExit(), kExitProductRunning) << "a tool can try again later";
            continue;
        }
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
        session.Click(btnNext);
        EXPECT_TRUE(session.WaitForShown(grpDestinationPage, true)) << "the pages go on";
        session.Click(btnCancel);
        MessageBoxSeen leave = session.WaitForMessageBox();
        ASSERT_NE(leave.box, nullptr);
        session.Answer(leave, IDYES);
        EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    }
    DestroyWindow(running);
}

// The logo entry is only a carrier: one that is no bitmap shows nothing and
// says nothing. The sample's logo, in the same run, shows that the capture
// would see a picture.
TEST_F(EndToEnd, ALogoThatIsNoBitmapLeavesThePictureEmptyWithoutAMessage)
{
    std::vector<PackagedFile> files = {{"<AppDir>", "Llegiume.txt", "hola"}};
    for (bool bitmap : {true, false}) {
        std::string logo = bitmap ? SampleLogo() : std::string("GIF89a, not a bitmap");
        WizardSession session(WriteTestPackage(files, HonestTotal(files), 1, logo));
        ASSERT_TRUE(session.Start());
        ASSERT_NE(session.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031))) << bitmap;
        EXPECT_EQ(session.WaitForMessageBox(0).box, nullptr) << bitmap;
        // The link labels lie over the control's lowest third; the logo is centred above them.
        Capture shown = CaptureSettled(session.Control(imgLogo));
        auto aboveLabels = shown.pixels.begin() + static_cast<std::ptrdiff_t>(shown.width) * (shown.height * 2 / 3);
        std::size_t colours = std::set<uint32_t>(shown.pixels.begin(), aboveLabels).size();
        if (bitmap)
            EXPECT_GT(colours, 1u) << "the sample's logo shows";
        else
            EXPECT_EQ(colours, 1u) << "the picture is empty";
        session.Click(btnCancel);
        EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    }
}

// Browse shows the chosen folder joined with the product's folder name; a
// folder that exists is used only after a Yes to 10029, and a No opens the
// browser again with the destination as it was.
TEST_F(EndToEnd, BrowsingToAnExistingFolderAsksFirst)
{
    const std::string shownFirst = TestProductDestination();
    std::vector<PackagedFile> files = {{"<AppDir>", "Llegiume.txt", "hola"}};
    WizardSession session(WriteTestPackage(files, HonestTotal(files)));
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    session.Click(btnNext);
    ASSERT_TRUE(session.WaitForText(stcDestDir, shownFirst));

    std::vector<std::string> made;
    for (int answer : {IDNO, IDYES}) {
        session.Click(btnBrowse);
        HWND browser = WaitForBrowser(session, shownFirst);
        ASSERT_NE(browser, nullptr) << "the browser opens on the destination";
        // Whatever folder comes next in the tree, joined with the product's name, made to exist.
        SelectNextFolder(browser);
        std::string chosen;
        ASSERT_TRUE(WaitUntil([&] {
            chosen = FolderToBeUsed(browser, kTestProductFolder);
            return !chosen.empty() && chosen != shownFirst;
        }, 10000));
        if (CreateDirectoryA(chosen.c_str(), nullptr))
            made.push_back(chosen);
        CloseBrowser(browser, IDOK);
        MessageBoxSeen question = session.WaitForMessageBox();
        EXPECT_EQ(question.text, TableString(10029));
        session.Answer(question, answer);
        if (answer == IDNO) {
            browser = WaitForBrowser(session, shownFirst);
            ASSERT_NE(browser, nullptr) << "No opens the browser again, on the old destination";
            CloseBrowser(browser, IDCANCEL);
            EXPECT_TRUE(session.WaitForText(stcDestDir, shownFirst)) << "and keeps it";
        } else {
            EXPECT_TRUE(session.WaitForText(stcDestDir, chosen)) << "Yes sets the folder";
        }
    }
    session.Click(btnCancel);
    MessageBoxSeen leave = session.WaitForMessageBox();
    session.Answer(leave, IDYES);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
    for (const std::string& folder : made)
        RemoveDirectoryA(folder.c_str());
}

}  // namespace
