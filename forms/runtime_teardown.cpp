#include "forms/form_lifecycle.h"

#include "forms/form_templates.h"
#include "forms/runtime_memory.h"
#include "forms/runtime_state.h"
#include "forms/window_procedures.h"

void TearDownRuntime()
{
    if (g_runtime.DefaultFont != nullptr)
        DeleteObject(g_runtime.DefaultFont);
    if (g_runtime.WindowMap != nullptr)
        GlobalFree(g_runtime.WindowMap);
    if (g_runtime.buffers != nullptr)
        VirtualFree(g_runtime.buffers, 0, MEM_RELEASE);
    if (g_runtime.startup != nullptr)
        VirtualFree(g_runtime.startup, 0, MEM_RELEASE);
    HINSTANCE instance = g_runtime.Instance;
    UnregisterClassA(kMdiClientClass, instance);
    UnregisterClassA(g_runtime.DialogClass, instance);
    UnregisterClassA(kGroupClass, instance);
    UnregisterClassA(kPictureClass, instance);
    UnregisterClassA(g_runtime.WindowClass, instance);
    UnregisterClassA(kMdiChildClass, instance);
    UnregisterClassA(g_runtime.MdiFrameClass, instance);
    g_runtime.DefaultFont = nullptr;
    g_runtime.WindowMap = nullptr;
    g_runtime.WindowMapCount = 0;
    g_runtime.WindowMapCapacity = 0;
    g_runtime.buffers = nullptr;
    g_runtime.startup = nullptr;
}

void EmergencyTearDown()
{
    // Every form record owns its controls' records, so freeing the forms'
    // trees frees everything the map points to, each block once.
    for (SIZE_T i = 0; i < g_runtime.WindowMapCount; ++i) {
        ObjectRecord* record = g_runtime.WindowMap[i].record;
        if (record == nullptr || !IsFormKind(record->Kind))
            continue;
        FreeRecordContents(record);
        FreeBlock(record);
    }
    g_runtime.WindowMapCount = 0;
    g_runtime.MainWindow = nullptr;
    TearDownRuntime();
}

LONG WINAPI RuntimeExceptionFilter(EXCEPTION_POINTERS*)
{
    EmergencyTearDown();
    return EXCEPTION_CONTINUE_SEARCH;
}
