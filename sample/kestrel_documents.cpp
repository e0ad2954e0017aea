#include "sample/kestrel_documents.h"

#include <windows.h>

DocumentRead ReadDocument(const std::string& path, std::string* bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return DocumentRead::Unreadable;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        CloseHandle(file);
        return DocumentRead::Unreadable;
    }
    if (high != 0 || size > kLargestDocument) {
        CloseHandle(file);
        return DocumentRead::TooLarge;
    }
    bytes->assign(size, '\0');
    DWORD read = 0;
    BOOL ok = size == 0 || ReadFile(file, &(*bytes)[0], size, &read, nullptr);
    CloseHandle(file);
    return ok && read == size ? DocumentRead::Read : DocumentRead::Unreadable;
}
