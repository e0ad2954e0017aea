#pragma once
// Templates: the form table, copying a template into an owned record tree,
// and resolving record strings into heap copies.
#include "forms/object_record.h"

// The first entry of the form table that holds 0; the caller writes a
// template address there. nullptr when only the terminating entry is left.
ObjectRecord** FirstFreeFormSlot();
// The first registered template whose Name equals the name, ignoring case.
ObjectRecord* FindFormTemplate(const char* name);

// A new, independent record tree for the form of the template block.
ObjectRecord* CopyTemplate(const ObjectRecord* formTemplate);

// Loads a string reference (identifier or address) and returns a new heap
// copy of the text (two spare zero bytes); its length goes to *length when
// asked for.
char* ResolveString(StringRef value, int* length);

// Frees the record's strings and, recursively, its Children arrays and the
// records in them; the record itself stays.
void FreeRecordContents(ObjectRecord* record);
