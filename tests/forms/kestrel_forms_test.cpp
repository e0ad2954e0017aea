// Kestrel's forms created in-process: the MDI frame with its documents, the
// About dialog run modally, and everything freed when the frame closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/messages.h"
#include "forms/form_lifecycle.h"
#include "forms/runtime_memory.h"
#include "forms/runtime_startup.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "message_box_catcher.h"
#include "sample/kestrel_frame.h"
#include "sample/kestrel_ids.h"
#include "screenshot.h"
#include "test_environment.h"
#include "test_forms.h"

namespace {

class KestrelForms : public testing::Test {
protected:
    void SetUp() override
    {
        StartRuntime(GetModuleHandleA(nullptr), "Kestrel", "Kestrel.exe", nullptr, KindMdiFrame);
        SetMessageContext({IDS_K_BOX_CAPTION, IDS_K_CANNOT_CONTINUE, FrameWindow, nullptr});
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "Projectes de prova";
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override
    {
        for (const std::string& path : written_)
            DeleteFileA(path.c_str());
        RemoveDirectoryA(folder_.c_str());
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        TearDownRuntime();
        SetMessageContext({});
    }
    std::string WriteDocument(const char* name, const std::string& bytes)
    {
        std::string path = folder_ + "\\" + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        written_.push_back(path);
        return path;
    }

    std::string folder_;
    std::vector<std::string> written_;
};

std::string Text(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<HWND> Documents(HWND client)
{
    std::vector<HWND> documents;
    for (HWND child = GetWindow(client, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        documents.push_back(child);
    return documents;
}

// The fonts and the brushes of their own that the runtime made for every
// window it knows (system colour brushes are the system's).
std::vector<HGDIOBJ> RuntimeGraphicObjects()
{
    std::vector<HGDIOBJ> objects;
    for (SIZE_T i = 0; i < g_runtime.WindowMapCount; ++i) {
        const ObjectRecord* record = g_runtime.WindowMap[i].record;
        if (record->Font != nullptr && record->Font != g_runtime.DefaultFont)
            objects.push_back(record->Font);
        if (record->BackBrush != nullptr && (record->BackColor & 0x80000000u) == 0)
            objects.push_back(record->BackBrush);
    }
    return objects;
}

TEST_F(KestrelForms, ClosingTheFrameWithTwoDocumentsFreesEverything)
{
    // A document that cannot be opened is reported in a box, which would
    // hold the test: it is answered and counted instead.
    MessageBoxCatcher catcher;
    // The name's accent in the ANSI code page (1252), as Windows passes it.
    std::string hola = WriteDocument("Hola m\xF3n.kst", "; Hola\nprogram Hola\n    print \"Hola!\"\nend\n");
    std::string finestra = WriteDocument("Finestra buida.ksw", "window Principal\r\n    size 320, 200\r\nend\r\n");
    LONG blocks = LiveRuntimeBlocks();

    HWND frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    char className[64] = "";
    GetClassNameA(frame, className, sizeof className);
    EXPECT_STREQ(className, "KSRUNMDIWINDOWKestrel") << "the class the wizard looks for";
    EXPECT_EQ(g_runtime.MainWindow, frame);
    HMENU menu = GetMenu(frame);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(GetMenuState(GetSubMenu(menu, 1), IDM_ABOUT, MF_BYCOMMAND) & MF_DISABLED, 0u);

    HWND first = OpenDocument(hola);
    HWND second = OpenDocument(finestra);
    ASSERT_TRUE(catcher.boxes().empty()) << catcher.boxes()[0].text;
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    HWND client = FindRecord(frame)->ClientWindow;
    EXPECT_EQ(Documents(client).size(), 2u);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)), second)
        << "the client window took the document as an MDI child";
    EXPECT_EQ(Text(first), hola);
    EXPECT_EQ(Text(GetDlgItem(first, txtDocument)), "; Hola\r\nprogram Hola\r\n    print \"Hola!\"\r\nend\r\n");
    EXPECT_EQ(Text(GetDlgItem(second, txtDocument)), "window Principal\r\n    size 320, 200\r\nend\r\n");
    RECT inside, text;
    GetClientRect(second, &inside);
    GetWindowRect(GetDlgItem(second, txtDocument), &text);
    EXPECT_EQ(text.right - text.left, inside.right) << "the text box fills its document";
    EXPECT_EQ(g_runtime.WindowMapCount, 5u) << "the frame and two documents with their text boxes";
    Pump();   // the documents' waiting paints
    SaveScreenshot(frame, "kestrel-forms-two-documents");

    std::vector<HGDIOBJ> objects = RuntimeGraphicObjects();
    EXPECT_GE(objects.size(), 4u) << "each document's font and white brush, and its text box's font";
    SendMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(FrameWindow(), nullptr);
    EXPECT_EQ(g_runtime.WindowMapCount, 0u);
    EXPECT_EQ(LiveRuntimeBlocks(), blocks) << "every record, array and string freed";
    for (HGDIOBJ object : objects)
        EXPECT_EQ(GetObjectType(object), 0u) << "font or brush left alive";
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the main form ends the loop";
}

struct AboutWatch {
    HWND frame;
    HWND about;
    bool frameDisabled;
    bool focusOnOk;
    int ticks;
    std::string caption;
} g_about;

// Polls for the About dialog from inside its modal loop until it has
// painted, then clicks its button; a dialog that never shows or paints
// within 10 seconds is destroyed, so the loop still ends.
void CALLBACK PressAboutOk(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND about = OwnedPopup(g_about.frame);
    bool shown = about != nullptr && LooksPainted(about);
    if (!shown && ++g_about.ticks < 400)
        return;
    KillTimer(nullptr, timer);
    if (!shown) {
        for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr;
             window = GetWindow(window, GW_HWNDNEXT)) {
            if (GetWindow(window, GW_OWNER) == g_about.frame)
                DestroyWindow(window);
        }
        return;
    }
    g_about.about = about;
    g_about.frameDisabled = !IsWindowEnabled(g_about.frame);
    g_about.caption = Text(about);
    g_about.focusOnOk = GetFocus() == GetDlgItem(about, btnAboutOk);
    SaveScreenshot(about, "kestrel-forms-about");
    SendMessageA(GetDlgItem(about, btnAboutOk), BM_CLICK, 0, 0);
}

TEST_F(KestrelForms, AboutRunsModallyOverTheFrameAndReturns)
{
    HWND frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    LONG blocks = LiveRuntimeBlocks();
    g_about = {frame, nullptr, false, false, 0, ""};
    SetTimer(nullptr, 0, 25, PressAboutOk);
    EXPECT_EQ(ShowAbout(), IDOK);
    ASSERT_NE(g_about.about, nullptr) << "the About dialog showed and painted";
    EXPECT_TRUE(g_about.frameDisabled) << "modal over the frame";
    EXPECT_TRUE(g_about.focusOnOk) << "the label hands the focus on to the button";
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(g_about.caption, TableString(IDS_K_ABOUT_CAPTION));
    EXPECT_FALSE(IsWindow(g_about.about));
    EXPECT_EQ(LiveRuntimeBlocks(), blocks);
    DestroyWindow(frame);
}

TEST_F(KestrelForms, AMissingDocumentIsReportedAndNothingOpens)
{
    HWND frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    MessageBoxCatcher catcher;
    std::string missing = folder_ + "\\No existeix.kst";
    EXPECT_EQ(OpenDocument(missing), nullptr);
    EXPECT_EQ(OpenDocument(folder_), nullptr) << "a folder is no document";
    ASSERT_EQ(catcher.boxes().size(), 2u);
    EXPECT_EQ(catcher.boxes()[0].text, TableString(IDS_K_CANNOT_OPEN) + "\r\n\r\n" + missing);
    EXPECT_EQ(catcher.boxes()[0].caption, " " + TableString(IDS_K_BOX_CAPTION));
    EXPECT_EQ(catcher.boxes()[0].owner, frame);
    EXPECT_EQ(Documents(FindRecord(frame)->ClientWindow).size(), 0u);
    DestroyWindow(frame);
}

}  // namespace
