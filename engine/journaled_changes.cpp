#include "engine/journaled_changes.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/portable/text_helpers.h"
#include "engine/free_name.h"
#include "engine/portable/file_rules.h"

namespace {

const char kKeptFolderName[] = "~Kept";

bool Note(Journal& journal, JournalKind kind, std::vector<std::string> fields)
{
    return AppendToJournal(journal, JournalRecord{kind, std::move(fields)});
}

std::string RootText(RootCode root)
{
    return std::to_string(root);
}

// The highest level of the key path that does not exist, or "" when it does.
std::string HighestMissingKey(RootCode root, const std::string& subkey)
{
    for (std::size_t end = subkey.find('\\'); ; end = subkey.find('\\', end + 1)) {
        std::string level = subkey.substr(0, end);
        if (!level.empty() && !RegKeyExists(root, level.c_str()))
            return level;
        if (end == std::string::npos)
            return "";
    }
}

// What the install is about to leave in a value: its type and data, or
// nothing when it deletes the value.
struct NewValue {
    std::string type;      // "-" when the value goes
    std::string data;
};

NewValue StringValue(const char* text)
{
    return NewValue{std::to_string(REG_SZ), HexFromBytes(std::string(text, std::strlen(text) + 1))};
}

NewValue NumberValue(DWORD number)
{
    return NewValue{std::to_string(REG_DWORD), HexFromBytes(std::string(reinterpret_cast<const char*>(&number),
                                                                         sizeof number))};
}

bool NoteOldValue(Journal& journal, RootCode root, HKEY key, const std::string& subkey, const std::string& name,
                  const NewValue& change)
{
    DWORD type = 0;
    DWORD size = 0;
    if (key == nullptr ||
        RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return Note(journal, JournalKind::Value, {RootText(root), subkey, name, "-", "", change.type, change.data});
    std::string data(size, '\0');
    if (size > 0 && RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
                        ERROR_SUCCESS)
        return false;
    data.resize(size);
    return Note(journal, JournalKind::Value,
                {RootText(root), subkey, name, std::to_string(type), HexFromBytes(data), change.type, change.data});
}

// Every value of the key and of its subkeys, for a tree about to be deleted.
bool NoteTree(Journal& journal, RootCode root, const std::string& subkey)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return true;
    bool noted = true;
    char name[16384];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        noted = noted && NoteOldValue(journal, root, key, subkey, name, NewValue{"-", ""});
    }
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        noted = noted && NoteTree(journal, root, subkey + "\\" + name);
    }
    RegCloseKey(key);
    return noted;
}

}  // namespace

bool NoteNewFolder(Journal& journal, const char* path)
{
    return Note(journal, JournalKind::Folder, {path});
}

bool NoteNewFile(Journal& journal, const char* path)
{
    return Note(journal, JournalKind::File, {path});
}

void NoteWrittenFile(Journal& journal, const char* path)
{
    FileStamp stamp;
    if (ReadFileStamp(path, stamp))
        AppendToJournalUnflushed(journal, JournalRecord{JournalKind::Written,
                                                        {path, std::to_string(stamp.size), std::to_string(stamp.time),
                                                         std::to_string(stamp.identity)}});
}

bool NoteDestination(Journal& journal, const char* folder)
{
    return Note(journal, JournalKind::Destination, {folder});
}

bool NoteRegistration(Journal& journal, const char* path)
{
    return Note(journal, JournalKind::Registered, {path});
}

bool NoteRenameAtRestart(Journal& journal, const char* temporaryPath, const char* target)
{
    return Note(journal, JournalKind::Rename, {temporaryPath, target});
}

bool NoteProgramGroup(Journal& journal, const char* name, const std::vector<std::string>& itemTitles)
{
    for (const std::string& title : itemTitles)
        AppendToJournalUnflushed(journal, JournalRecord{JournalKind::Item, {name, title}});
    return Note(journal, JournalKind::Group, {name});
}

namespace {

// The key when it is missing, then the value's old data and the new.
bool NoteValueChange(Journal& journal, RootCode root, const char* subkey, const char* valueName,
                     const NewValue& change)
{
    if (!IsJournalOpen(journal))
        return true;
    std::string name = valueName != nullptr ? valueName : "";
    std::string missing = HighestMissingKey(root, subkey);
    if (!missing.empty())
        return Note(journal, JournalKind::Key, {RootText(root), missing}) &&
               NoteOldValue(journal, root, nullptr, subkey, name, change);
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    bool noted = NoteOldValue(journal, root, key, subkey, name, change);
    RegCloseKey(key);
    return noted;
}

}  // namespace

bool NoteSharedCount(Journal& journal, RootCode root, const char* subkey, const char* valueName)
{
    return Note(journal, JournalKind::Count, {RootText(root), subkey, valueName});
}

bool MoveAside(Journal& journal, const char* path)
{
    if (!IsJournalOpen(journal)) {
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        return DeleteFileA(path) != 0;
    }
    std::string file(path);
    std::size_t backslash = file.find_last_of('\\');
    if (backslash == std::string::npos)
        return false;
    std::string folder = file.substr(0, backslash + 1) + kKeptFolderName;
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!NoteNewFolder(journal, folder.c_str()) || !CreateDirectoryA(folder.c_str(), nullptr))
            return false;
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    // A file in "~Kept" that is there already (the user's own, or one an
    // earlier run left) keeps its name: this one takes a free name beside it.
    char kept[kTextCapacity];
    if (!FindFreeName(folder.c_str(), path + backslash + 1, NumberedName, kept) ||
        !Note(journal, JournalKind::Replaced, {file, kept}))
        return false;
    return MoveFileA(path, kept) != 0;
}

int WriteJournaledString(Journal& journal, RootCode root, const char* subkey, const char* valueName, const char* text)
{
    if (!NoteValueChange(journal, root, subkey, valueName, StringValue(text)))
        return 0;
    return WriteRegString(root, subkey, valueName, text);
}

int WriteJournaledNumber(Journal& journal, RootCode root, const char* subkey, const char* valueName, DWORD number)
{
    if (!NoteValueChange(journal, root, subkey, valueName, NumberValue(number)))
        return 0;
    return WriteRegNumber(root, subkey, valueName, number);
}

int DeleteJournaledTree(Journal& journal, RootCode root, const char* subkey)
{
    if (IsJournalOpen(journal) && !NoteTree(journal, root, subkey))
        return 0;
    return DeleteRegTree(root, subkey);
}
