// The installed sample product: documents opened through the shell, the
// desktop and group links, the About dialog, and the wizard refusing to run
// beside it.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "base/portable/exit_codes.h"
#include "e2e_fixture.h"
#include "screenshot.h"
#include "sample/kestrel_ids.h"
#include "wizard/control_ids.h"
#include "test_environment.h"

namespace {

const char kProductRecord[] = "SOFTWARE\\TWC Products\\Kestrel";
const char kSystemEntry[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestrel";

// WM_GETTEXT itself: GetWindowText does not read another process's controls.
std::string Text(HWND window)
{
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &length);
    return text;
}

int FrameCount()
{
    int count = 0;
    for (HWND frame = nullptr; (frame = FindWindowExA(nullptr, frame, kKestrelFrameClass, nullptr)) != nullptr;)
        ++count;
    return count;
}

HWND ClientOf(HWND frame)
{
    return FindWindowExA(frame, nullptr, "KSMDICLIENT", nullptr);
}

// The frame's document window whose caption is the path, or nullptr.
HWND DocumentWindow(HWND frame, const std::string& path)
{
    for (HWND child = GetWindow(ClientOf(frame), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Text(child) == path)
            return child;
    }
    return nullptr;
}

class KestrelProduct : public EndToEnd {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kProductRecord);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSystemEntry);
    }
    void TearDown() override
    {
        CloseKestrel();
        EndToEnd::TearDown();
    }

    // The wizard's install of the sample, every page left as offered.
    static void InstallSample()
    {
        WizardSession session(SamplePackage());
        ASSERT_TRUE(session.Start());
        ASSERT_NE(session.WaitForMainWindow(), nullptr);
        ASSERT_TRUE(session.WaitForText(btnCancel, TableString(10031)));
        ASSERT_TRUE(InstallThroughEveryPage(session)) << "every page, the finish page and its closing message";
        ASSERT_EQ(session.WaitForExit(), kExitDone);
    }
};

TEST_F(KestrelProduct, DocumentsLinksAboutAndTheRunningProductCheck)
{
    ASSERT_NO_FATAL_FAILURE(InstallSample());
    ASSERT_EQ(FindWindowA(kKestrelFrameClass, nullptr), nullptr);

    // Two documents in a folder whose name, like theirs, holds blanks.
    std::string folder = ShellFolder(CSIDL_PERSONAL) + "\\Projectes de Kestrel";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string first = folder + "\\Primer projecte.kst";
    std::string second = folder + "\\Segon projecte.kst";
    WriteBytes(first, "program Primer\r\n    print \"Hola\"\r\nend\r\n");
    WriteBytes(second, "program Segon\nend\n");

    // A program at the first blank of the installed path, where anyone could
    // have put one, is never what the document's open command starts.
    const std::string marker = folder + "\\stand-in ran.log";
    ASSERT_TRUE(CopyFileA(BuildFile("fake_uninstaller.exe").c_str(), "C:\\Program.exe", FALSE));
    SetEnvironmentVariableA("INSTAL_FAKE_LOG", marker.c_str());
    ASSERT_TRUE(OpenThroughTheShell(first));
    HWND frame = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (frame = VisibleKestrelFrame()) != nullptr && DocumentWindow(frame, first); },
                          60000))
        << "the installed Kestrel shows the document; the stand-in logged: " << ReadBytes(marker);
    EXPECT_FALSE(Exists(marker)) << ReadBytes(marker);
    DeleteFileA("C:\\Program.exe");
    SetEnvironmentVariableA("INSTAL_FAKE_LOG", nullptr);
    EXPECT_EQ(Text(GetDlgItem(DocumentWindow(frame, first), txtDocument)),
              "program Primer\r\n    print \"Hola\"\r\nend\r\n");

    ASSERT_TRUE(OpenThroughTheShell(second));
    ASSERT_TRUE(WaitUntil([&] { return DocumentWindow(frame, second) != nullptr; }, 60000))
        << "a second start hands its document to the running frame";
    EXPECT_EQ(Text(GetDlgItem(DocumentWindow(frame, second), txtDocument)), "program Segon\r\nend\r\n");
    EXPECT_EQ(FrameCount(), 1);
    EXPECT_TRUE(WaitUntil([&] { return LooksPainted(frame); }, 30000));
    SaveScreenshot(frame, "e2e-kestrel-two-documents");

    PostMessageA(frame, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = OwnedPopup(frame)) != nullptr; },
                          30000));
    EXPECT_EQ(Text(about), "Quant a Kestrel");
    EXPECT_FALSE(IsWindowEnabled(frame)) << "modal over the frame";
    EXPECT_TRUE(WaitUntil([&] { return LooksPainted(about); }, 30000)) << "the About dialog painted";
    SaveScreenshot(about, "e2e-kestrel-about");
    PostMessageA(GetDlgItem(about, btnAboutOk), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(frame); }, 30000));

    {
        WizardSession wizard(SamplePackage());
        ASSERT_TRUE(wizard.Start());
        MessageBoxSeen box = wizard.WaitForMessageBox();
        ASSERT_NE(box.box, nullptr);
        EXPECT_EQ(box.text, TableString(10030));
        wizard.Answer(box, IDOK);
        EXPECT_EQ(wizard.WaitForExit(), kExitProductRunning);
    }
    ASSERT_TRUE(CloseKestrel());

    std::string programs = Exists(ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Kestrel 1.0") ? ShellFolder(CSIDL_COMMON_PROGRAMS)
                                                                                    : ShellFolder(CSIDL_PROGRAMS);
    for (const std::string& link : {ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Kestrel.lnk",
                                    programs + "\\Kestrel 1.0\\Kestrel.lnk"}) {
        ASSERT_TRUE(OpenThroughTheShell(link)) << link;
        EXPECT_TRUE(WaitUntil([] { return VisibleKestrelFrame() != nullptr; }, 60000)) << link << " starts Kestrel";
        EXPECT_TRUE(CloseKestrel()) << link;
    }
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
