#include "tools/file_stamp.h"

#include <windows.h>

namespace {

uint64_t ToValue(const FILETIME& time)
{
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FILETIME ToFileTime(uint64_t value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

std::string SystemMessage(DWORD code)
{
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   sizeof text, nullptr);
    std::string message = text;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

bool QueryFileStamp(const std::string& path, EntryHeader& header, std::string& error)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        error = SystemMessage(GetLastError());
        return false;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = "not a regular file";
        return false;
    }
    header.attributes = data.dwFileAttributes;
    header.creationTime = ToValue(data.ftCreationTime);
    header.accessTime = ToValue(data.ftLastAccessTime);
    header.writeTime = ToValue(data.ftLastWriteTime);
    return true;
}

void ApplyFileStamp(const std::string& path, const EntryHeader& header)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        FILETIME creation = ToFileTime(header.creationTime);
        FILETIME access = ToFileTime(header.accessTime);
        FILETIME write = ToFileTime(header.writeTime);
        SetFileTime(file, &creation, &access, &write);
        CloseHandle(file);
    }
    if (header.attributes != kKeepAttributes)
        SetFileAttributesA(path.c_str(), header.attributes);
}

bool MakeFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

std::string JoinFilePath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/')
        return folder + name;
    return folder + "\\" + name;
}
