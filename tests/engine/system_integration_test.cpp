#include <string>

#include "base/portable/text_helpers.h"
#include "engine/fonts.h"
#include "engine/self_registration.h"
#include "engine/shared_library_count.h"
#include "engine_fixture.h"
#include "base/registry.h"
#include "wizard/wizard_state.h"

namespace {

const char kSharedDlls[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string FontValue(const char* key)
{
    char value[kTextCapacity] = "<none>";
    ReadRegValue(kLocalMachine, key, kFontValue, value);
    return value;
}

// How often the test library at the path had its registration entry called.
DWORD RegistrationCount(const std::string& path)
{
    DWORD count = 0;
    DWORD size = sizeof count;
    RegGetValueA(HKEY_CURRENT_USER, "Software\\InstalTests\\SelfRegistered", LongForm(path).c_str(),
                 RRF_RT_REG_DWORD, nullptr, &count, &size);
    return count;
}

int g_fontChanges;
WNDPROC g_standInProc;

LRESULT CALLBACK CountFontChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_FONTCHANGE)
        ++g_fontChanges;
    return CallWindowProcA(g_standInProc, window, message, wParam, lParam);
}

class SystemIntegration : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        g_fontChanges = 0;
        g_standInProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            g_wizard.mainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountFontChanges)));
        DeleteRegValue(kLocalMachine, kNtFonts, kFontValue);
        DeleteRegValue(kLocalMachine, k9xFonts, kFontValue);
    }
    // A real TrueType font of the host, copied into the fonts folder.
    void CopyHostFont(const char* name)
    {
        ASSERT_TRUE(CopyFileA((std::string(kHostFonts) + name).c_str(), (FontsFolder() + "\\" + name).c_str(), FALSE))
            << name;
    }
};

TEST_F(SystemIntegration, FontsAreAddedAndRecordedUnderOneValueName)
{
    CopyHostFont("DejaVuSans.ttf");
    CopyHostFont("DejaVuSansMono.ttf");

    EXPECT_EQ(InstallFont("DejaVuSans.ttf", g_wizard.osCode), 1);
    EXPECT_EQ(FontValue(kNtFonts), "DejaVuSans.ttf");
    EXPECT_EQ(InstallFont("DejaVuSansMono.ttf", g_wizard.osCode), 1);
    EXPECT_EQ(FontValue(kNtFonts), "DejaVuSansMono.ttf") << "the second font overwrites the first";
    EXPECT_EQ(FontValue(k9xFonts), "<none>");
    EXPECT_EQ(g_fontChanges, 2) << "each added font is broadcast";
}

TEST_F(SystemIntegration, TheFontKeyFollowsTheWindowsFamily)
{
    CopyHostFont("DejaVuSans.ttf");
    g_wizard.osCode = 2;
    EXPECT_EQ(InstallFont("DejaVuSans.ttf", g_wizard.osCode), 1);
    EXPECT_EQ(FontValue(k9xFonts), "DejaVuSans.ttf");
    EXPECT_EQ(FontValue(kNtFonts), "<none>");
}

TEST_F(SystemIntegration, AFontThatCannotBeAddedIsStillAFontButUnrecorded)
{
    EXPECT_EQ(InstallFont("Absent.TTF", g_wizard.osCode), 1);
    EXPECT_EQ(InstallFont("absent.fon", g_wizard.osCode), 1);
    EXPECT_EQ(FontValue(kNtFonts), "<none>");
    EXPECT_EQ(g_fontChanges, 0);
    EXPECT_EQ(InstallFont("Readme.txt", g_wizard.osCode), 0);
    EXPECT_EQ(InstallFont("ttf", g_wizard.osCode), 0);
}

TEST_F(SystemIntegration, SelfRegistrationCallsTheEntryPointOnce)
{
    std::string library = TestLibraryPath("registers_ok.dll");
    EXPECT_EQ(SelfRegister(library.c_str()), 1);
    EXPECT_EQ(RegistrationCount(library), 1u);
    EXPECT_EQ(GetModuleHandleA(library.c_str()), nullptr) << "the library is freed again";
}

TEST_F(SystemIntegration, SelfRegistrationFailures)
{
    std::string failing = TestLibraryPath("registers_failing.dll");
    EXPECT_EQ(SelfRegister(failing.c_str()), 0) << "a failure code from the entry point";
    EXPECT_EQ(RegistrationCount(failing), 1u) << "it did run";

    std::string without = TestLibraryPath("without_registration.dll");
    EXPECT_EQ(SelfRegister(without.c_str()), 0);
    EXPECT_EQ(GetModuleHandleA(without.c_str()), nullptr) << "loaded and freed";

    WriteBytes(target_ + "\\NotALibrary.dll", "text");
    EXPECT_EQ(SelfRegister((target_ + "\\NotALibrary.dll").c_str()), 0);
    EXPECT_EQ(SelfRegister((target_ + "\\Missing.dll").c_str()), 0);
    EXPECT_TRUE(boxes_.boxes().empty()) << "nothing is shown";
}

TEST_F(SystemIntegration, SharedLibraryCountsGoUpByOne)
{
    const char path[] = "C:\\Kestrel\\KSDllGo.dll";
    const char other[] = "C:\\Kestrel\\KSDllGou.dll";
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSharedDlls);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSharedDlls);
    EXPECT_EQ(AddSharedLibraryReference(path), 1);
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_READ, &key), ERROR_SUCCESS)
        << "the key is never created";

    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD three = 3;
    RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&three), sizeof three);
    EXPECT_EQ(AddSharedLibraryReference(path), 1);
    EXPECT_EQ(AddSharedLibraryReference(other), 1);
    DWORD count = 0, size = sizeof count, type = 0;
    RegQueryValueExA(key, path, nullptr, &type, reinterpret_cast<BYTE*>(&count), &size);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    size = sizeof count;
    RegQueryValueExA(key, other, nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size);
    EXPECT_EQ(count, 1u) << "a missing count becomes 1";
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSharedDlls);
}

}  // namespace
