#include "forms/portable/object_kinds.h"

const char* ControlClassName(int kind)
{
    static const char* const kClassNames[] = {
        "STATIC",             // label
        "EDIT",               // text box
        "KSGROUP",            // group
        "BUTTON",             // push button
        "BUTTON",             // check box
        "BUTTON",             // option button
        "LISTBOX",
        "COMBOBOX",
        "KSPICTURE",
        "STATIC",             // image static
        "SCROLLBAR",          // horizontal
        "SCROLLBAR",          // vertical
        "RichEdit20A",
        "SysTreeView32",
        "SysListView32",
        "ToolbarWindow32",
        "msctls_statusbar32",
        "msctls_progress32",
        "msctls_trackbar32",
        "SysTabControl32",
        "msctls_updown32",
        "SysAnimate32",
        "SysIPAddress32",
        "ComboBoxEx32",
        "SysMonthCal32",
        "SysDateTimePick32",
        "msctls_hotkey32",
        "SysPager",
        "STATIC",             // image list: a hidden holder window
        "SysHeader32",
    };
    if (kind < kFirstControlKind || kind > kLastKind)
        return nullptr;
    return kClassNames[kind - kFirstControlKind];
}

bool KindHasNoFont(int kind)
{
    switch (kind) {
    case KindImageStatic:
    case KindHScrollBar:
    case KindVScrollBar:
    case KindProgressBar:
    case KindTrackbar:
    case KindUpDown:
    case KindAnimation:
    case KindPager:
    case KindImageList:
        return true;
    default:
        return false;
    }
}
