#include "e2e_fixture.h"

#include <windows.h>
#include <shellapi.h>

#include "test_environment.h"

namespace {

const char* const kUnpackedNames[] = {
    "Setup.lst", "AppLogo.bmp", "Kestrel.exe", "KestrelCore.dll", "Hola.kst", "Finestra.kst",
    "KestrelSans.ttf", "Llegiume.txt", "Kestrel.chm",
};

OSVERSIONINFOA WindowsVersion()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version;
}

}  // namespace

std::string TempFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    return temp;
}

std::string SamplePackage()
{
    return BuildFile("sample\\_Data.001");
}

std::string WritePackage(const std::string& name, const std::string& bytes)
{
    std::string path = TempFolder() + name;
    WriteBytes(path, bytes);
    return path;
}

std::string PackageFilesLeftInTemp()
{
    std::string left;
    for (const char* name : kUnpackedNames) {
        if (GetFileAttributesA((TempFolder() + name).c_str()) != INVALID_FILE_ATTRIBUTES)
            left += std::string(name) + " ";
    }
    return left;
}

std::string WizardCaption()
{
    return " " + TableString(10058);
}

bool OnWindows9x()
{
    return WindowsVersion().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool OnWindows95()
{
    OSVERSIONINFOA version = WindowsVersion();
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4
           && version.dwMinorVersion == 0;
}

HWND VisibleKestrelFrame()
{
    HWND frame = FindWindowA(kKestrelFrameClass, nullptr);
    return frame != nullptr && IsWindowVisible(frame) ? frame : nullptr;
}

bool OpenThroughTheShell(const std::string& path)
{
    HINSTANCE answer = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(answer) > 32;
}

bool CloseKestrel()
{
    for (HWND frame = nullptr; (frame = FindWindowExA(nullptr, frame, kKestrelFrameClass, nullptr)) != nullptr;)
        PostMessageA(frame, WM_CLOSE, 0, 0);
    return WaitUntil([] { return FindWindowA(kKestrelFrameClass, nullptr) == nullptr; }, 30000);
}
