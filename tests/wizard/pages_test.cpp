#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/list_reader.h"
#include "message_box_catcher.h"
#include "base/registry.h"
#include "screenshot.h"
#include "stand_in_main_window.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/pages.h"
#include "wizard/portable/page_flow.h"
#include "wizard/wizard_state.h"

namespace {

class Pages : public testing::Test {
protected:
    void SetUp() override
    {
        ResetWizardState();
        ASSERT_TRUE(AllocateWorkBuffers());
        g_wizard.installRoot = kCurrentUser;
        CreateStandInMainWindow();
        ShowWindow(g_wizard.mainWindow, SW_SHOW);
        SetControlText(Static12, TableString(10040).c_str());
        for (int box : {chkWindow, chkModule, chkResource})
            EnableControl(box, false);
        // Checked in the template, as on the real form.
        SendMessageA(ControlWindow(chkMasm32), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageA(ControlWindow(chkShortcut), BM_SETCHECK, BST_CHECKED, 0);
    }
    void TearDown() override
    {
        DestroyStandInMainWindow();
        FreeWorkBuffers();
        RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\TWC Products");
    }

    void Model(int setupKind, const char* systemInstall, const char* shortcut,
               const std::vector<const char*>& associations)
    {
        InstallModel& model = g_wizard.model;
        model.setupKind = setupKind;
        model.systemInstall = systemInstall[0] - '0';
        model.information = {"Kestrel", "2.0", "Kestrel", systemInstall, "", "Benvinguts", "Catala", "Kestrel",
                             shortcut, "", "Kestrel 2.0"};
        model.associations.assign(associations.begin(), associations.end());
    }

    static std::string Text(int id)
    {
        char text[1024];
        GetWindowTextA(ControlWindow(id), text, sizeof text);
        return text;
    }
    static bool Checked(int id) { return SendMessageA(ControlWindow(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static bool Enabled(int id) { return IsWindowEnabled(ControlWindow(id)) != FALSE; }
    static bool Shown(int id) { return (GetWindowLongA(ControlWindow(id), GWL_STYLE) & WS_VISIBLE) != 0; }
};

TEST_F(Pages, DefaultsOfAnOrdinaryInstall)
{
    Model(1, "0", "<AppDir>\\Kestrel.exe", {".ksp,Projecte Kestrel,<AppDir>\\Kestrel.exe"});
    FillPageDefaults();

    char programFiles[260];
    ASSERT_TRUE(ReadRegValue(kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                             programFiles));
    EXPECT_EQ(Text(stcDestDir), std::string(programFiles) + "\\Kestrel");
    EXPECT_EQ(Text(Static4), "Benvinguts");
    EXPECT_EQ(Text(Static5), "Kestrel " + TableString(10027));
    EXPECT_EQ(Text(Static7), TableString(10065) + " Kestrel " + TableString(10069));
    EXPECT_EQ(Text(Static12), TableString(10040) + " Kestrel 2.0 " + TableString(10069));
    EXPECT_EQ(Text(edtGroupName), "Kestrel 2.0");
    EXPECT_TRUE(Checked(chkProgramGroup));
    EXPECT_TRUE(Shown(edtGroupName));
    EXPECT_TRUE(g_wizard.choices.programGroup);
    EXPECT_EQ(g_wizard.optionsContent, 1);
    EXPECT_TRUE(Checked(chkShortcut)) << "the desktop shortcut is offered, checked";
    EXPECT_TRUE(Shown(grpShortcut));

    EXPECT_EQ(Text(grpAssociate), TableString(10016) + " Kestrel");
    EXPECT_TRUE(Checked(chkProject));
    EXPECT_EQ(Text(chkProject), "Projecte Kestrel");
    for (int box : {chkWindow, chkModule, chkResource}) {
        EXPECT_FALSE(Checked(box));
        EXPECT_FALSE(Enabled(box));
        EXPECT_EQ(Text(box), "");
    }
}

TEST_F(Pages, OnlyFourAssociationsAreOffered)
{
    Model(1, "0", "x", {".a,A,p", ".b,B,p", ".c,C,p", ".d,D,p", ".e,E,p"});
    FillPageDefaults();
    const int boxes[] = {chkProject, chkWindow, chkModule, chkResource};
    const char* captions[] = {"A", "B", "C", "D"};
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(Checked(boxes[k]));
        EXPECT_TRUE(Enabled(boxes[k]));
        EXPECT_EQ(Text(boxes[k]), captions[k]);
    }
}

TEST_F(Pages, ASystemInstallGoesToTheSystemDirectoryWithoutShortcutOrGroup)
{
    Model(1, "1", "<AppDir>\\Kestrel.exe", {});
    FillPageDefaults();
    char system[260];
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_EQ(Text(stcDestDir), system);
    EXPECT_FALSE(Checked(chkShortcut));
    EXPECT_FALSE(Shown(grpShortcut));
    EXPECT_FALSE(Checked(chkProgramGroup));
    EXPECT_FALSE(Shown(edtGroupName));
    EXPECT_FALSE(g_wizard.choices.programGroup);
    EXPECT_EQ(g_wizard.optionsContent, 1) << "the options page is still shown";
    EXPECT_FALSE(Shown(grpAssociate));
}

TEST_F(Pages, NoShortcutTargetAndNoAssociationsEmptiesTheOptionsPage)
{
    Model(1, "0", "", {});
    FillPageDefaults();
    EXPECT_EQ(g_wizard.optionsContent, 0);
    EXPECT_FALSE(Shown(grpShortcut));
    EXPECT_FALSE(Checked(chkShortcut));
}

TEST_F(Pages, TheStoredToolsetChoiceSelectsOneOptionOnly)
{
    WriteRegString(kCurrentUser, "SOFTWARE\\TWC Products\\Kestrel\\Settings", "Basalt", "1");
    Model(1, "0", "x", {});
    FillPageDefaults();
    EXPECT_TRUE(Checked(chkBasalt));
    EXPECT_FALSE(Checked(chkMasm32));
}

TEST_F(Pages, SetupKind0SkipsTheOptionsPageBothWays)
{
    Model(0, "0", "x", {".a,A,p"});
    FillPageDefaults();
    g_wizard.page = PageWelcome;
    ShowPage();
    for (unsigned expected : {PageDestination, PageUserDetails, PageProgramGroup, PageSummary}) {
        OnNextClicked();
        EXPECT_EQ(g_wizard.page, expected);
    }
    EXPECT_FALSE(Shown(grpGroupPage));
    EXPECT_TRUE(Shown(grpSummaryPage));
    EXPECT_EQ(Text(btnNext), Ansi("&Instal·la"));
    OnPreviousClicked();
    EXPECT_EQ(g_wizard.page, static_cast<unsigned>(PageProgramGroup));
    EXPECT_FALSE(Shown(grpSummaryPage));
    EXPECT_TRUE(Shown(grpGroupPage));
    EXPECT_EQ(Text(btnNext), Ansi("S&egüent"));
}

TEST_F(Pages, TheSummaryShowsTheChoices)
{
    Model(1, "0", "x", {});
    FillPageDefaults();
    // What the form's procedure does as the user types.
    for (auto [box, text] : {std::pair{edtUserName, "Anna"}, std::pair{edtOrganization, ""}}) {
        SetControlText(box, text);
        RecordChoice(box);
    }
    CopyText(g_wizard.choices.destination, "D:\\Eines\\Kestrel");
    g_wizard.page = PageSummary;
    ShowPage();
    EXPECT_EQ(Text(edtSummary), Ansi(" Nom:\t\t\tAnna\r\n\r\n Empresa:\t\t\r\n\r\n Carpeta:\t\t\tD:\\Eines\\Kestrel"
                                "\r\n\r\n Grup de programes:\tKestrel 2.0"));
    SendMessageA(ControlWindow(chkProgramGroup), BM_SETCHECK, BST_UNCHECKED, 0);
    OnGroupCheckClicked();
    EXPECT_FALSE(g_wizard.choices.programGroup);
    EXPECT_FALSE(Shown(edtGroupName));
    ShowPage();
    EXPECT_EQ(Text(edtSummary).substr(Text(edtSummary).rfind('\t') + 1), "Cap");
}

TEST_F(Pages, CancelAsksOnlyBetweenWelcomeAndInstall)
{
    Model(1, "0", "x", {});
    FillPageDefaults();
    g_wizard.page = PageUserDetails;
    {
        MessageBoxCatcher catcher;
        catcher.Answer(IDNO);
        OnCancelClicked();
        ASSERT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes()[0].text, TableString(10032));
        EXPECT_EQ(catcher.boxes()[0].defaultButton, IDNO);
        EXPECT_TRUE(IsWindow(g_wizard.mainWindow)) << "No leaves everything as it was";
    }
    g_wizard.page = PageInstalling;
    {
        MessageBoxCatcher catcher;
        catcher.Answer(IDYES);
        OnCancelClicked();
        EXPECT_EQ(g_wizard.cancel, 1);
        catcher.Answer(IDNO);
        OnCancelClicked();
        EXPECT_EQ(g_wizard.cancel, 0);
        EXPECT_TRUE(IsWindow(g_wizard.mainWindow)) << "the install page is never closed here";
    }
    g_wizard.page = PageWelcome;
    {
        MessageBoxCatcher catcher;
        OnCancelClicked();
        EXPECT_TRUE(catcher.boxes().empty());
        EXPECT_FALSE(IsWindow(g_wizard.mainWindow)) << "the welcome page quits at once";
    }
}

TEST_F(Pages, TheScreenshotOfAPageIsSavedAsPng)
{
    Model(1, "0", "x", {});
    FillPageDefaults();
    g_wizard.page = PageWelcome;
    ShowPage();
    UpdateWindow(g_wizard.mainWindow);
    Capture capture = CaptureSettled(g_wizard.mainWindow);
    ASSERT_GT(capture.width, 0);
    bool varied = false;
    for (uint32_t pixel : capture.pixels)
        varied = varied || pixel != capture.pixels[0];
    EXPECT_TRUE(varied) << "the window was drawn";
    std::string path = SaveScreenshot(g_wizard.mainWindow, "stand-in-welcome");
    ASSERT_FALSE(path.empty());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char signature[8] = {};
    DWORD read = 0;
    ReadFile(file, signature, sizeof signature, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(signature, 4), "\x89PNG");
}

}  // namespace
