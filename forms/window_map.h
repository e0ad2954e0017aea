#pragma once
// The window map: one (window, record) pair for every window the runtime
// made from a record, in insertion order, ended by a pair whose window is 0.
#include "forms/object_record.h"

// Returns false when the map cannot grow.
bool AddWindowPair(HWND window, ObjectRecord* record);
ObjectRecord* FindRecord(HWND window);
// Removes the window's pair and frees the record's strings and its whole
// child tree (never the record itself). 1, or -1 when the window has no pair.
int RemoveWindowPair(HWND window);
// Removes the window's pair only: the record and what it owns stay.
void UnmapWindow(HWND window);
