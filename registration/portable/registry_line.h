#pragma once
// The list file's registry lines: "root,key,name@data", where the data
// starts with a path macro. This splits a line; expanding the macro is the
// Win32 layer's work.
#include <cstdint>

#include "base/portable/text_helpers.h"

struct RegistryLine {
    int32_t root;                      // a root code; 0 makes the line inert
    char key[kTextCapacity];
    char valueName[kTextCapacity];     // empty: the key's default value
    char data[kTextCapacity];          // still with its macro
};

// Each field ends at the next comma or the line's end (a missing field is
// empty); the third field ends at the third comma and the rest is ignored.
// Returns false when the third field has no "@": the line is skipped.
bool SplitRegistryLine(const char* line, RegistryLine& parsed);
