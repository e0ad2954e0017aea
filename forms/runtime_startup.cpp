#include "forms/runtime_startup.h"

#include "forms/portable/command_line.h"
#include "base/system_version.h"
#include "forms/portable/screen_metrics.h"
#include "forms/portable/object_kinds.h"
#include "forms/runtime_fonts.h"
#include "forms/runtime_memory.h"
#include "forms/runtime_state.h"
#include "forms/window_procedures.h"

namespace {

constexpr int kFormWindowExtraBytes = 32;
constexpr SIZE_T kFirstWindowMapCapacity = 1024 / 8;   // 1,024 bytes of 32-bit pairs

template <typename Block>
Block* AllocatePages()
{
    return static_cast<Block*>(VirtualAlloc(nullptr, sizeof(Block), MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
}

void FillStartupStrings(const char* exeName, const char* projectTitle)
{
    StartupStrings* strings = g_runtime.startup;
    if (projectTitle != nullptr)
        lstrcpynA(strings->ProjectTitle, projectTitle, sizeof strings->ProjectTitle);
    lstrcpynA(strings->ExeName, exeName, sizeof strings->ExeName);
    CommandArguments(GetCommandLineA(), strings->CommandArgs, sizeof strings->CommandArgs);
    GetCurrentDirectoryA(MAX_PATH, strings->StartDirectory);
    DWORD previous = 0;
    VirtualProtect(strings, sizeof *strings, PAGE_READONLY, &previous);
}

void DetectOsCode()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    g_runtime.OsCode = SystemOsCode();
    if (!GetVersionExA(&version))
        return;
    lstrcpynA(g_runtime.buffers->ServicePackText, version.szCSDVersion,
              sizeof g_runtime.buffers->ServicePackText);
}

void MeasureScreen()
{
    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    g_runtime.TwipsPerPixelX = TwipsPerPixel(dpiX);
    g_runtime.TwipsPerPixelY = TwipsPerPixel(dpiY);
    g_runtime.FontDpiDivisor = FontDpiDivisorFor(dpiY);
}

void AllocateWindowMap()
{
    g_runtime.WindowMap = static_cast<WindowPair*>(GlobalAlloc(GPTR, kFirstWindowMapCapacity * sizeof(WindowPair)));
    g_runtime.WindowMapCapacity = g_runtime.WindowMap != nullptr ? kFirstWindowMapCapacity : 0;
    g_runtime.WindowMapCount = 0;
}

void RegisterFormClass(const char* name)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = RuntimeWindowProc;
    windowClass.cbWndExtra = kFormWindowExtraBytes;
    windowClass.hInstance = g_runtime.Instance;
    windowClass.lpszClassName = name;
    RegisterClassExA(&windowClass);
}

// The prefix followed by as much of the application name as the buffer holds.
template <int size>
void NameClass(char (&buffer)[size], const char* prefix, const char* applicationName)
{
    lstrcpynA(buffer, prefix, size);
    int used = lstrlenA(buffer);
    lstrcpynA(buffer + used, applicationName, size - used);
}

void RegisterFormClasses(const char* applicationName)
{
    NameClass(g_runtime.MdiFrameClass, kMdiFrameClassPrefix, applicationName);
    NameClass(g_runtime.WindowClass, kWindowClassPrefix, applicationName);
    NameClass(g_runtime.DialogClass, kDialogClassPrefix, applicationName);
    RegisterFormClass(g_runtime.MdiFrameClass);
    RegisterFormClass(kMdiChildClass);
    RegisterFormClass(g_runtime.WindowClass);
    RegisterFormClass(g_runtime.DialogClass);
}

void RegisterMdiClientClass()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // The system class is the runtime's name without its "KS" prefix.
    if (!GetClassInfoExA(nullptr, kMdiClientClass + 2, &windowClass))
        return;
    g_runtime.SystemMdiClientProc = windowClass.lpfnWndProc;
    windowClass.style |= CS_DBLCLKS;
    windowClass.lpfnWndProc = RuntimeMdiClientProc;
    windowClass.cbWndExtra = kFormWindowExtraBytes;
    windowClass.hInstance = g_runtime.Instance;
    windowClass.lpszClassName = kMdiClientClass;
    RegisterClassExA(&windowClass);
}

void RegisterContainerClasses()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExA(nullptr, "BUTTON", &windowClass))
        return;
    g_runtime.SystemButtonProc = windowClass.lpfnWndProc;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = RuntimeWindowProc;
    windowClass.hInstance = g_runtime.Instance;
    windowClass.lpszMenuName = nullptr;
    windowClass.hIconSm = nullptr;
    windowClass.lpszClassName = kGroupClass;
    RegisterClassExA(&windowClass);

    windowClass.hIcon = nullptr;
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = kPictureClass;
    RegisterClassExA(&windowClass);
}

BOOL CALLBACK MatchMainClass(HWND window, LPARAM mainClass)
{
    char className[260];
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, reinterpret_cast<const char*>(mainClass)) != 0)
        return TRUE;
    g_runtime.PreviousInstanceWindow = window;
    return FALSE;
}

void FindPreviousInstance(int mainFormKind)
{
    const char* mainClass = mainFormKind == KindDialogForm ? g_runtime.DialogClass
                          : mainFormKind == KindMdiFrame   ? g_runtime.MdiFrameClass
                                                           : g_runtime.WindowClass;
    EnumWindows(MatchMainClass, reinterpret_cast<LPARAM>(mainClass));
}

}  // namespace

void StartRuntime(HINSTANCE instance, const char* applicationName, const char* exeName,
                  const char* projectTitle, int mainFormKind)
{
    g_runtime = RuntimeState{};
    g_runtime.buffers = AllocatePages<RuntimeBuffers>();
    g_runtime.startup = AllocatePages<StartupStrings>();
    FillStartupStrings(exeName, projectTitle);
    DetectOsCode();
    g_runtime.Instance = instance;
    MeasureScreen();
    g_runtime.DefaultFont = CreateRuntimeFont(nullptr, 8, false, false, false, false, "MS Sans Serif", false);
    AllocateWindowMap();
    RegisterFormClasses(applicationName);
    RegisterMdiClientClass();
    RegisterContainerClasses();
    FindPreviousInstance(mainFormKind);
}

int OsCode(char* servicePackText)
{
    if (servicePackText != nullptr)
        lstrcpyA(servicePackText, g_runtime.buffers->ServicePackText);
    return g_runtime.OsCode;
}
