#pragma once
// The form runtime's global state, one per process, from start-up to
// tear-down.
#include <windows.h>

#include "forms/object_record.h"

constexpr int kFormTableEntries = 201;     // the last entry always stays 0
constexpr int kScratchTextSize = 2048;
constexpr int kRecordTextLimit = 1534;     // characters of a string-table text
constexpr int kItemTextSize = 260;

// The first page block: loading buffers and the form table.
struct RuntimeBuffers {
    char ScratchText[kScratchTextSize];
    char ServicePackText[132];
    char ItemText[kItemTextSize];
    ObjectRecord* FormTable[kFormTableEntries];
};

// The second page block, read-only once filled at start-up.
struct StartupStrings {
    char CommandArgs[512];
    char StartDirectory[264];
    char ExeName[264];
    char ProjectTitle[1624];
};

struct WindowPair {
    HWND window;
    ObjectRecord* record;
};

struct RuntimeState {
    HINSTANCE Instance;
    int OsCode;
    RuntimeBuffers* buffers;
    StartupStrings* startup;
    int TwipsPerPixelX;
    int TwipsPerPixelY;
    int FontDpiDivisor;
    HFONT DefaultFont;
    WindowPair* WindowMap;          // ended by a pair whose window is 0
    SIZE_T WindowMapCount;          // pairs in use
    SIZE_T WindowMapCapacity;       // pairs the array holds
    ObjectRecord* CreatingRecord;
    HWND MainWindow;
    WNDPROC SystemMdiClientProc;
    WNDPROC SystemButtonProc;
    WNDPROC IpFieldProc;            // the field procedure shared by all IP-address fields
    LRESULT ModalResult;
    HACCEL Accelerators;
    HPEN LightPen;
    HPEN DarkPen;
    int PenUsers;
    HWND PreviousInstanceWindow;
    char MdiFrameClass[144];
    char WindowClass[141];
    char DialogClass[144];
};

extern RuntimeState g_runtime;

// Read access for the application.
const char* CommandArgs();
const char* StartDirectory();
const char* ExeName();
const char* ProjectTitle();
