#pragma once
// The runtime's string lists: each list is a hidden top-level list box, and
// every operation is one list-box message.
#include <windows.h>

using StringList = HWND;

constexpr int kMaxStringLists = 64;

// The new list's window; (StringList)-1 when 64 lists exist already, or
// nullptr when the window cannot be made.
StringList CreateStringList(bool sorted);
// 1, or 0 when the window is not a registered list.
int DestroyStringList(StringList list);
// Destroys the list when there is one, and forgets it.
void ReleaseStringList(StringList& list);
// Destroys every list still registered (the runtime's tear-down).
void DestroyAllStringLists();
int StringListCount();

LRESULT StringListAdd(StringList list, const char* text);
LRESULT StringListInsert(StringList list, int index, const char* text);
// Copies line i into the buffer (at least 260 bytes); empty when there is no line i.
LRESULT StringListGet(StringList list, int index, char* buffer);
LRESULT StringListLength(StringList list, int index);
LRESULT StringListSize(StringList list);
LRESULT StringListDelete(StringList list, int index);
LRESULT StringListClear(StringList list);
// Index of the first line equal to the text (exact) or beginning with it,
// without regard to case; -1 when there is none.
LRESULT StringListFind(StringList list, const char* text, bool exact);
