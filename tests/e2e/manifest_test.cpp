// Our windows are laid out in fixed pixels, so no program of ours may tell
// Windows that it scales itself: Windows then scales the finished window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "test_environment.h"
#include "wizard/control_ids.h"

namespace {

// The program's manifest resource (identifier 1), or "" when it has none.
std::string ManifestOf(const std::string& program)
{
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return "";
    std::string text;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (resource != nullptr) {
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        text.assign(bytes, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return text;
}

// The installer and uninstaller ask for the administrator's rights: without
// them newer systems would redirect their writes into the user's own store.
TEST(Manifests, NoProgramDeclaresDpiAwarenessAndTheInstallersAskForRights)
{
    struct Program { const char* path; const char* level; };
    for (const Program& program : {Program{"Instal.exe", "requireAdministrator"},
                                   Program{"sample\\files\\Kestrel.exe", "asInvoker"},
                                   Program{"sample\\files\\KSUninst.exe", "requireAdministrator"}}) {
        std::string path = BuildFile(program.path);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        std::string manifest = ManifestOf(path);
        EXPECT_EQ(manifest.find("dpiAware"), std::string::npos) << program.path;
        EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos) << program.path;
        EXPECT_NE(manifest.find(std::string("level=\"") + program.level + "\""), std::string::npos) << program.path;
    }
    EXPECT_NE(ManifestOf(BuildFile("Instal.exe")).find("Microsoft.Windows.Common-Controls"), std::string::npos)
        << "the common-controls dependency stays";
}

// Run once at the screen's usual 96 dots per inch and once at 144 (the
// high-DPI run sets it): the window keeps the template's pixel size.
TEST_F(EndToEnd, TheWizardKeepsItsPixelLayoutAtTheScreensResolution)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    WizardSession session(SamplePackage());
    ASSERT_TRUE(session.Start());
    ASSERT_NE(session.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
    RECT frame;
    GetWindowRect(session.main(), &frame);
    EXPECT_EQ(frame.right - frame.left, 504);
    EXPECT_EQ(frame.bottom - frame.top, 380);
    std::string prefix = "dpi-" + std::to_string(dpi);
    session.SaveScreenshot((prefix + "-welcome").c_str());
    for (int page : {grpDestinationPage, grpUserPage, grpGroupPage, grpOptionsPage}) {
        session.Click(btnNext);
        ASSERT_TRUE(session.WaitForShown(page, true));
        if (page == grpUserPage)
            session.Type(edtUserName, "Anna Puig");
    }
    session.SaveScreenshot((prefix + "-options").c_str());
    session.Click(btnCancel);
    MessageBoxSeen question = session.WaitForMessageBox();
    ASSERT_NE(question.box, nullptr);
    session.Answer(question, IDYES);
    EXPECT_EQ(session.WaitForExit(), kExitCancelled);
}

}  // namespace
