#include "engine/temp_folder.h"

#include <windows.h>

#include <cstring>

#include "base/portable/text_helpers.h"

void GetTempFolder(char* buffer)
{
    DWORD length = GetTempPathA(static_cast<DWORD>(kTextCapacity), buffer);
    if (length < 3 || length >= kTextCapacity)
        CopyText(buffer, "C:\\Temp");
    GetShortPathNameA(buffer, buffer, static_cast<DWORD>(kTextCapacity));
    std::size_t end = std::strlen(buffer);
    if (end > 0 && buffer[end - 1] == '\\')
        buffer[end - 1] = '\0';
}
