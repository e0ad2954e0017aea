#include "test_environment.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

std::string Variable(const char* name)
{
    char value[MAX_PATH] = "";
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

// Unix paths reach a Wine program through the Z: drive.
std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

}  // namespace

std::string BuildFile(const char* name)
{
    std::string folder = Variable("INSTAL_BUILD");
    if (folder.empty()) {
        char module[MAX_PATH];
        GetModuleFileNameA(nullptr, module, sizeof module);
        folder = module;
        folder.erase(folder.find_last_of('\\'));
    }
    return WindowsPath(folder) + "\\" + name;
}

std::string ArtifactFolder()
{
    std::string folder = WindowsPath(Variable("INSTAL_ARTIFACTS"));
    if (folder.empty())
        folder = WindowsPath(Variable("TEMP"));
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string SourceFile(const char* relativePath)
{
    return WindowsPath(Variable("INSTAL_SOURCE") + "/" + relativePath);
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileSum SumFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {0, 0};
    std::string buffer(1 << 20, '\0');
    FileSum sum = {crc32(0, nullptr, 0), 0};
    DWORD read = 0;
    while (ReadFile(file, &buffer[0], static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
        sum.crc = crc32(sum.crc, reinterpret_cast<const Bytef*>(buffer.data()), read);
        sum.length += read;
    }
    CloseHandle(file);
    return sum;
}

std::string ReadBytes(const std::string& path, DWORD sharing)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot write " << path;
        return;
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(written, bytes.size()) << path;
}

void DeleteTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

HWND OwnedPopup(HWND owner)
{
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

std::string Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    wsprintfA(text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}
