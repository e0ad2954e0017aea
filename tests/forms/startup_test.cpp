#include <gtest/gtest.h>

#include <string>

#include "forms/portable/command_line.h"
#include "base/portable/os_code.h"
#include "forms/runtime_fonts.h"
#include "forms/window_procedures.h"
#include "runtime_fixture.h"

namespace {

class StartUp : public RuntimeTest {};

TEST_F(StartUp, StartUpStringsAreFilledAndReadOnly)
{
    EXPECT_STREQ(ExeName(), "Instal.exe");
    EXPECT_STREQ(ProjectTitle(), "Projecte visual Kestrel");
    char directory[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, directory);
    EXPECT_STREQ(StartDirectory(), directory);
    char expected[512];
    CommandArguments(GetCommandLineA(), expected, sizeof expected);
    EXPECT_STREQ(CommandArgs(), expected);

    MEMORY_BASIC_INFORMATION page = {};
    ASSERT_NE(VirtualQuery(g_runtime.startup, &page, sizeof page), 0u);
    EXPECT_EQ(page.Protect, static_cast<DWORD>(PAGE_READONLY));
    EXPECT_TRUE(IsBadWritePtr(const_cast<char*>(CommandArgs()), 1)) << "a write to the start-up strings faults";
    EXPECT_TRUE(IsBadWritePtr(const_cast<char*>(ProjectTitle()), 1));
    ASSERT_NE(VirtualQuery(g_runtime.buffers, &page, sizeof page), 0u);
    EXPECT_EQ(page.Protect, static_cast<DWORD>(PAGE_READWRITE));
}

TEST_F(StartUp, OsCodeMatchesTheSystem)
{
    OSVERSIONINFOA version = {sizeof version};
    GetVersionExA(&version);
    ASSERT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT)) << "the tests run as the NT family";
    // NT 4 is 3, 2000 is 4, XP and Server 2003 are 5, anything later 6.
    int expected = version.dwMajorVersion >= 6   ? 6
                   : version.dwMajorVersion == 5 ? (version.dwMinorVersion == 0 ? 4 : 5)
                                                 : 3;
    char servicePack[132];
    EXPECT_EQ(OsCode(servicePack), expected);
    EXPECT_STREQ(servicePack, version.szCSDVersion);
    EXPECT_GE(OsCode(nullptr), OsWindowsNT4);
}

// Worked out by hand for the usual screen settings: 1440 twips an inch, the
// font divisor scaled from 72 at 96 dots per inch, and an 8-point default
// font at the screen's own resolution.
struct ScreenCase {
    int dpi;
    int twipsPerPixel;
    int fontDivisor;
    int defaultFontHeight;
};

const ScreenCase kScreens[] = {
    {96, 15, 72, -11},
    {120, 12, 90, -13},
    {144, 10, 108, -16},
};

TEST_F(StartUp, ScreenFactorsAndDefaultFont)
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const ScreenCase* expected = nullptr;
    for (const ScreenCase& c : kScreens)
        expected = c.dpi == dpi ? &c : expected;
    ASSERT_NE(expected, nullptr) << "run at 96, 120 or 144 dots per inch, not " << dpi;
    EXPECT_EQ(g_runtime.TwipsPerPixelX, expected->twipsPerPixel);
    EXPECT_EQ(g_runtime.TwipsPerPixelY, expected->twipsPerPixel);
    EXPECT_EQ(g_runtime.FontDpiDivisor, expected->fontDivisor);
    LOGFONTA font = {};
    ASSERT_NE(GetObjectA(g_runtime.DefaultFont, sizeof font, &font), 0);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfHeight, expected->defaultFontHeight);
}

TEST_F(StartUp, FontRuleGivesBoldAndFlags)
{
    HFONT made = CreateRuntimeFont(nullptr, 9, true, true, true, false, "Arial", true);
    LOGFONTA font = {};
    ASSERT_NE(GetObjectA(made, sizeof font, &font), 0);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_FALSE(font.lfStrikeOut);
    EXPECT_EQ(font.lfHeight, -12) << "9 points at 96 dpi";
    DeleteObject(made);
}

TEST_F(StartUp, SevenClassesRegisteredAndUnregisteredAtTearDown)
{
    const char* names[] = {"KSRUNMDIWINDOWInstal", "KSRUNMDICHILDWINDOW", "KSRUNWINDOWInstal",
                           "KSRUNDIALOGBOXInstal", "KSMDICLIENT", "KSGROUP", "KSPICTURE"};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA info = {sizeof info};
    for (const char* name : names)
        EXPECT_TRUE(GetClassInfoExA(instance, name, &info)) << name;
    ASSERT_TRUE(GetClassInfoExA(instance, "KSGROUP", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(info.lpfnWndProc, RuntimeWindowProc);
    ASSERT_TRUE(GetClassInfoExA(instance, "KSRUNWINDOWInstal", &info));
    EXPECT_EQ(info.cbWndExtra, 32);
    EXPECT_EQ(info.hCursor, nullptr);
    EXPECT_EQ(info.hbrBackground, nullptr);

    TearDownRuntime();
    for (const char* name : names)
        EXPECT_FALSE(GetClassInfoExA(instance, name, &info)) << name;
    StartRuntime(instance, "Instal", "Instal.exe", nullptr, KindWindowForm);
    EXPECT_STREQ(ProjectTitle(), "");
}

TEST_F(StartUp, FindsARunningCopyByItsMainClass)
{
    EXPECT_EQ(g_runtime.PreviousInstanceWindow, nullptr);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA twin = {};
    twin.lpfnWndProc = DefWindowProcA;
    twin.hInstance = instance;
    twin.lpszClassName = "KSRUNWINDOWTwin";
    ASSERT_TRUE(RegisterClassA(&twin));
    HWND running = CreateWindowExA(0, "KSRUNWINDOWTwin", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   instance, nullptr);
    ASSERT_NE(running, nullptr);
    TearDownRuntime();
    StartRuntime(instance, "Twin", "Twin.exe", nullptr, KindWindowForm);
    EXPECT_EQ(g_runtime.PreviousInstanceWindow, running);
    TearDownRuntime();
    StartRuntime(instance, "Twin", "Twin.exe", nullptr, KindMdiFrame);
    EXPECT_EQ(g_runtime.PreviousInstanceWindow, nullptr) << "another main form kind, another class";
    DestroyWindow(running);
    UnregisterClassA("KSRUNWINDOWTwin", instance);
}

}  // namespace
