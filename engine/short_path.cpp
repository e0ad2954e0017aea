#include "engine/short_path.h"

#include <windows.h>

#include "base/portable/text_helpers.h"

void ToShortForm(char* path)
{
    char shortPath[kTextCapacity];
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (length > 0 && length < sizeof shortPath)
        CopyText(path, shortPath);
}
