// Entry point of the Windows test programs: the common controls are set up
// as the wizard sets them up, then every test runs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "wizard/wizard_state.h"

namespace {

// A run that asks for another system or screen must really have it: a
// setting that did not take would repeat the plain run and pass.
bool RunsInTheModeAskedFor()
{
    const char* version = std::getenv("INSTAL_WINDOWS_VERSION");
    if (version != nullptr && version[0] != '\0') {
        OSVERSIONINFOA info = {sizeof info};
        GetVersionExA(&info);
        DWORD minor = std::strcmp(version, "win98") == 0 ? 10 : 0;
        if (info.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS || info.dwMajorVersion != 4 || info.dwMinorVersion != minor) {
            std::fprintf(stderr, "asked for %s, the system reports platform %lu, version %lu.%lu\n", version,
                         info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
            return false;
        }
    }
    const char* dpi = std::getenv("INSTAL_DPI");
    if (dpi != nullptr && dpi[0] != '\0') {
        HDC screen = GetDC(nullptr);
        int reported = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        if (reported != std::atoi(dpi)) {
            std::fprintf(stderr, "asked for %s dots per inch, the screen reports %d\n", dpi, reported);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!RunsInTheModeAskedFor())
        return 3;
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0x1FFF};
    InitCommonControlsEx(&controls);
    ResetWizardState();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
