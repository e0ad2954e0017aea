#include "forms/window_map.h"

#include "forms/form_templates.h"
#include "forms/portable/form_geometry.h"
#include "forms/runtime_state.h"

namespace {

bool MakeRoomForOnePair()
{
    SIZE_T capacity = WindowMapCapacityFor(g_runtime.WindowMapCount, g_runtime.WindowMapCapacity);
    if (capacity == g_runtime.WindowMapCapacity)
        return true;
    auto* grown = static_cast<WindowPair*>(GlobalAlloc(GPTR, capacity * sizeof(WindowPair)));
    if (grown == nullptr)
        return false;
    if (g_runtime.WindowMap != nullptr) {
        CopyMemory(grown, g_runtime.WindowMap, g_runtime.WindowMapCount * sizeof(WindowPair));
        GlobalFree(g_runtime.WindowMap);
    }
    g_runtime.WindowMap = grown;
    g_runtime.WindowMapCapacity = capacity;
    return true;
}

WindowPair* FindPair(HWND window)
{
    for (SIZE_T i = 0; i < g_runtime.WindowMapCount; ++i) {
        if (g_runtime.WindowMap[i].window == window)
            return &g_runtime.WindowMap[i];
    }
    return nullptr;
}

void DropPair(WindowPair* pair)
{
    WindowPair* end = g_runtime.WindowMap + g_runtime.WindowMapCount;
    MoveMemory(pair, pair + 1, (end - pair - 1) * sizeof(WindowPair));
    --g_runtime.WindowMapCount;
    g_runtime.WindowMap[g_runtime.WindowMapCount] = {};
}

}  // namespace

bool AddWindowPair(HWND window, ObjectRecord* record)
{
    if (!MakeRoomForOnePair())
        return false;
    g_runtime.WindowMap[g_runtime.WindowMapCount] = {window, record};
    ++g_runtime.WindowMapCount;
    return true;
}

ObjectRecord* FindRecord(HWND window)
{
    if (window == nullptr)
        return nullptr;
    WindowPair* pair = FindPair(window);
    return pair != nullptr ? pair->record : nullptr;
}

int RemoveWindowPair(HWND window)
{
    WindowPair* pair = window != nullptr ? FindPair(window) : nullptr;
    if (pair == nullptr)
        return -1;
    FreeRecordContents(pair->record);
    DropPair(pair);
    return 1;
}

void UnmapWindow(HWND window)
{
    WindowPair* pair = window != nullptr ? FindPair(window) : nullptr;
    if (pair != nullptr)
        DropPair(pair);
}
