#include "forms/string_list.h"

namespace {

struct StringListTable {
    int count;
    StringList lists[kMaxStringLists];
};

StringListTable g_stringLists;

}  // namespace

StringList CreateStringList(bool sorted)
{
    if (g_stringLists.count >= kMaxStringLists)
        return reinterpret_cast<StringList>(-1);
    HWND list = CreateWindowExA(0, "LISTBOX", nullptr, sorted ? LBS_SORT : 0,
                                -1000, -1000, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (list == nullptr)
        return nullptr;
    g_stringLists.lists[g_stringLists.count++] = list;
    return list;
}

int DestroyStringList(StringList list)
{
    for (int i = 0; i < g_stringLists.count; ++i) {
        if (g_stringLists.lists[i] != list)
            continue;
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        DestroyWindow(list);
        for (int j = i + 1; j < g_stringLists.count; ++j)
            g_stringLists.lists[j - 1] = g_stringLists.lists[j];
        --g_stringLists.count;
        return 1;
    }
    return 0;
}

void DestroyAllStringLists()
{
    while (g_stringLists.count > 0)
        DestroyStringList(g_stringLists.lists[g_stringLists.count - 1]);
}

int StringListCount()
{
    return g_stringLists.count;
}

void ReleaseStringList(StringList& list)
{
    if (list != nullptr)
        DestroyStringList(list);
    list = nullptr;
}

LRESULT StringListAdd(StringList list, const char* text)
{
    return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

LRESULT StringListInsert(StringList list, int index, const char* text)
{
    return SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(text));
}

LRESULT StringListGet(StringList list, int index, char* buffer)
{
    LRESULT length = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(buffer));
    if (length == LB_ERR)
        buffer[0] = '\0';
    return length;
}

LRESULT StringListLength(StringList list, int index)
{
    return SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
}

LRESULT StringListSize(StringList list)
{
    return SendMessageA(list, LB_GETCOUNT, 0, 0);
}

LRESULT StringListDelete(StringList list, int index)
{
    return SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

LRESULT StringListClear(StringList list)
{
    return SendMessageA(list, LB_RESETCONTENT, 0, 0);
}

LRESULT StringListFind(StringList list, const char* text, bool exact)
{
    if (list == nullptr)
        return LB_ERR;
    return SendMessageA(list, exact ? LB_FINDSTRINGEXACT : LB_FINDSTRING,
                        static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}
