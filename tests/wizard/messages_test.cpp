#include <gtest/gtest.h>

#include "base/messages.h"
#include "message_box_catcher.h"
#include "stand_in_main_window.h"
#include "wizard/wizard_state.h"

namespace {

class Messages : public testing::Test {
protected:
    void SetUp() override { CreateStandInMainWindow(); }
    void TearDown() override { DestroyStandInMainWindow(); }
};

TEST_F(Messages, CaptionIsTwoSpacesAndTheWizardName)
{
    MessageBoxCatcher catcher;
    ShowMessage(kNotATableString, "text", MB_OK | MB_ICONINFORMATION);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].caption, Ansi("  Assistent d'instal·lació"));
    EXPECT_EQ(catcher.boxes()[0].owner, g_wizard.mainWindow);
}

TEST_F(Messages, QuestionsDefaultToNo)
{
    MessageBoxCatcher catcher;
    EXPECT_EQ(ShowMessage(kNotATableString, "?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
    catcher.Answer(IDYES);
    EXPECT_EQ(ShowMessage(kNotATableString, "?", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDYES);
    ASSERT_EQ(catcher.boxes().size(), 2u);
    EXPECT_TRUE(catcher.boxes()[0].yesNo);
    EXPECT_EQ(catcher.boxes()[0].defaultButton, IDNO);
}

TEST_F(Messages, ErrorReportTexts)
{
    struct Case {
        int id;
        const char* name;
        bool cannotContinue;
        const char* shown;
    };
    const Case cases[] = {
        {10006, nullptr, false, "Cal el sistema Windows 95 o posterior per utilitzar aquest programa."},
        {10046, nullptr, false, "No hi ha prou espai lliure al disc per instal·lar aquest programari."},
        {10004, nullptr, true,
         "El fitxer de dades està fet malbé. L'Assistent d'instal·lació no pot continuar."},
        {10011, "C:\\Kestrel\\Bin", true,
         "C:\\Kestrel\\Bin: Error mentre es creava la carpeta. L'Assistent d'instal·lació no pot continuar."},
        {10005, "Setup.lst", true,
         "Setup.lst: El fitxer està fet malbé. L'Assistent d'instal·lació no pot continuar."},
    };
    for (const Case& c : cases) {
        MessageBoxCatcher catcher;
        EXPECT_EQ(ReportError(c.id, c.name, c.cannotContinue), 0);
        ASSERT_EQ(catcher.boxes().size(), 1u);
        EXPECT_EQ(catcher.boxes()[0].text, Ansi(c.shown)) << c.id;
        EXPECT_FALSE(catcher.boxes()[0].yesNo);
        EXPECT_EQ(catcher.boxes()[0].icon, LoadIconA(nullptr, IDI_HAND)) << "stop icon";
    }
}

TEST_F(Messages, ErrorReportClosesThePackage)
{
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    lstrcatA(path, "package-open.bin");
    g_wizard.unpacking.package = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(g_wizard.unpacking.package, INVALID_HANDLE_VALUE);
    MessageBoxCatcher catcher;
    ReportError(10004, nullptr, true);
    EXPECT_EQ(g_wizard.unpacking.package, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileAttributesA(path), INVALID_FILE_ATTRIBUTES) << "closing deleted the file";
}

TEST_F(Messages, WithoutAMainWindowTheBoxHasNoOwner)
{
    HWND saved = g_wizard.mainWindow;
    g_wizard.mainWindow = nullptr;
    MessageBoxCatcher catcher;
    ShowMessage(kNotATableString, "x", MB_OK);
    g_wizard.mainWindow = saved;
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].owner, nullptr);
}

}  // namespace
