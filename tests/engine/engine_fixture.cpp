#include "engine_fixture.h"

#include <cstring>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/temp_cleanup.h"
#include "resources/string_ids.h"
#include "stand_in_main_window.h"
#include "wizard/wizard_state.h"

void EngineTest::SetUp()
{
    ResetWizardState();
    g_wizard.osCode = 5;
    CreateStandInMainWindow();
    ASSERT_TRUE(AllocateWorkBuffers());
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    root_ = std::string(base) + "InstalEngine";
    RemoveTree(root_);
    temp_ = root_ + "\\Temp";
    target_ = root_ + "\\Target";
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA(temp_.c_str(), nullptr);
    CreateDirectoryA(target_.c_str(), nullptr);
    CopyText(g_wizard.buffers.temp, temp_.c_str());
    g_wizard.model.files = CreateStringList(false);
}

void EngineTest::TearDown()
{
    CleanUpTemp();
    DestroyStandInMainWindow();
    RemoveTree(root_);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\InstalTests");
}

void EngineTest::AddFileLine(const std::string& line)
{
    StringListAdd(g_wizard.model.files, line.c_str());
    ++g_wizard.model.entryCount;
}

std::vector<std::string> EngineTest::FileLines() const
{
    std::vector<std::string> lines;
    int count = static_cast<int>(StringListSize(g_wizard.model.files));
    for (int i = 0; i < count; ++i) {
        char line[kTextCapacity];
        StringListGet(g_wizard.model.files, i, line);
        lines.push_back(line);
    }
    return lines;
}

void EngineTest::PutInTemp(const std::string& name, const std::string& bytes)
{
    WriteBytes(TempPath(name), bytes);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string TestLibraryPath(const char* name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    *std::strrchr(path, '\\') = '\0';
    return std::string(path) + "\\" + name;
}

std::string TestLibrary(const char* name)
{
    return ReadBytes(TestLibraryPath(name));
}

std::string LongForm(const std::string& path)
{
    char longPath[MAX_PATH];
    DWORD length = GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
    return length > 0 && length < sizeof longPath ? std::string(longPath) : path;
}

std::string ErrorText(const char* name, int stringId)
{
    std::string text = name != nullptr ? std::string(name) + ": " : std::string();
    return text + TableString(stringId) + " " + TableString(IDS_CANNOT_CONTINUE);
}
