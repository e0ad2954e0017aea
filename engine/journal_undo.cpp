#include "engine/journal_undo.h"

#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/file_presence.h"
#include "base/portable/text_helpers.h"
#include "base/program_manager.h"
#include "base/registry.h"
#include "engine/journal_places.h"
#include "engine/program_group_deletion.h"
#include "engine/restart_delete.h"
#include "engine/restart_rename.h"
#include "engine/self_registration.h"

namespace {

enum class Step {
    Done,        // put right (or nothing was left to do): marked undone
    LeftAlone,   // not the install's to undo any more: marked undone, counted
    Waits,       // could not be put right now: tried again at the next start
    Marked,      // marked undone before its change was made
    NoChange,    // the record names no change of the machine
};

// What the undo knows of the whole journal while it walks it backwards.
struct Undo {
    Journal& journal;
    InstallView* view;
    int osCode;
    std::map<std::string, FileStamp> written;    // by path key: the last "written" note
    std::map<std::string, std::string> kept;     // by path key: where the original waits
    std::map<std::string, bool> registered;      // path keys of the libraries that ran their registration
    std::map<std::string, std::vector<std::string>> itemTitles;   // by upper-case group name
    JournalPlaces places;
    bool otherUser;                              // the user's own keys are not this user's
    UndoResult result;
};

std::string Upper(const std::string& text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// Records name a file in long or short form (the registration uses the
// short form of its folder): the maps know each file by its long form. A
// file that is gone is known by its folder's long form and its name.
std::string PathKey(const std::string& path)
{
    char longForm[MAX_PATH];
    DWORD length = GetLongPathNameA(path.c_str(), longForm, sizeof longForm);
    if (length > 0 && length < sizeof longForm)
        return Upper(longForm);
    std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return Upper(path);
    length = GetLongPathNameA(path.substr(0, slash).c_str(), longForm, sizeof longForm);
    if (length == 0 || length >= sizeof longForm)
        return Upper(path);
    return Upper(std::string(longForm) + path.substr(slash));
}

bool Exists(const std::string& path)
{
    return PathExists(path.c_str());
}

bool DeleteNamedFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

// A file still holds what the install wrote when no "written" note says
// otherwise (the note is lost with a crash before the next flush). Another
// install's copy of the same file, written in its place since, is another
// file on the volume even with the same size and time.
bool StillAsWritten(const Undo& undo, const std::string& path)
{
    auto note = undo.written.find(PathKey(path));
    FileStamp stamp;
    if (note == undo.written.end() || !ReadFileStamp(path.c_str(), stamp))
        return true;
    bool sameIdentity = note->second.identity == 0 || stamp.identity == 0 || stamp.identity == note->second.identity;
    return stamp.size == note->second.size && stamp.time == note->second.time && sameIdentity;
}

// A new file that a running program holds (the uninstaller undoing an
// install holds its own) cannot be deleted, but it can be moved: into the
// temp folder, where it is deleted at the next start.
bool MoveOutOfTheWay(const std::string& path, int osCode)
{
    char folder[MAX_PATH];
    char moved[MAX_PATH];
    if (GetTempPathA(sizeof folder, folder) == 0 || GetTempFileNameA(folder, "old", 0, moved) == 0)
        return false;
    DeleteFileA(moved);
    if (!MoveFileA(path.c_str(), moved))
        return false;
    ScheduleDeleteAtRestart(moved, osCode);
    return true;
}

bool IsHeldByThisRunsCopy(const Journal& journal, const std::string& path)
{
    return lstrcmpiA(path.c_str(), journal.copySource) == 0 || lstrcmpiA(path.c_str(), journal.copyTarget) == 0;
}

bool RemoveFile(const std::string& path, int osCode)
{
    return DeleteNamedFile(path) || !Exists(path) || MoveOutOfTheWay(path, osCode);
}

Step UndoNewFile(Undo& undo, const std::string& path)
{
    if (!HoldsPath(undo.places, path) || !StillAsWritten(undo, path))
        return Step::LeftAlone;
    // Noted as replaced, but never moved aside: what is there is the original.
    auto kept = undo.kept.find(PathKey(path));
    if (kept != undo.kept.end() && !Exists(kept->second))
        return Step::Done;
    if (!Exists(path))
        return Step::Done;
    if (!DeleteNamedFile(path) && !MoveOutOfTheWay(path, undo.osCode) && !IsHeldByThisRunsCopy(undo.journal, path)) {
        undo.result.waiting.push_back(path);
        return Step::Waits;
    }
    if (undo.view != nullptr)
        undo.view->Pause(10, true);
    return Step::Done;
}

void RegisterAgain(const std::string& path)
{
    OleInitialize(nullptr);
    SelfRegister(path.c_str());
    OleUninitialize();
}

// The kept file takes its place again; while it is missing it either was
// never moved or is back already. When the new file can neither be deleted
// nor moved, the kept one takes its place at the next start.
void DropKeptFile(const std::string& kept)
{
    DeleteNamedFile(kept);
    RemoveDirectoryA(kept.substr(0, kept.find_last_of('\\')).c_str());
}

// A file that another program has written over since supersedes the
// original, as a completed install's would: the kept copy is dropped.
Step PutBack(Undo& undo, const std::string& path, const std::string& kept)
{
    if (!Exists(kept))
        return Step::Done;
    if (!HoldsPath(undo.places, path))
        return Step::LeftAlone;
    if (Exists(path) && !StillAsWritten(undo, path)) {
        DropKeptFile(kept);
        return Step::LeftAlone;
    }
    if (!RemoveFile(path, undo.osCode)) {
        ScheduleRenameAtRestart(kept.c_str(), path.c_str(), undo.osCode);
        return Step::Done;
    }
    if (!MoveFileA(kept.c_str(), path.c_str())) {
        undo.result.waiting.push_back(path);
        return Step::Waits;
    }
    if (undo.registered.count(PathKey(path)) != 0)
        RegisterAgain(path);
    return Step::Done;
}

RootCode ParseRoot(const std::string& text)
{
    RootCode root = static_cast<RootCode>(std::strtoul(text.c_str(), nullptr, 10));
    return IsRootCode(root) ? root : 0;
}

bool IsOthersKey(const Undo& undo, RootCode root)
{
    return root == 0 || (root == kCurrentUser && undo.otherUser);
}

// The value as it is now: false when it is absent.
bool ReadValue(RootCode root, const std::string& key, const std::string& name, DWORD& type, std::string& data)
{
    HKEY opened;
    if (RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    bool found = RegQueryValueExA(opened, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    data.assign(size, '\0');
    if (found && size > 0)
        found = RegQueryValueExA(opened, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) ==
                ERROR_SUCCESS;
    data.resize(size);
    RegCloseKey(opened);
    return found;
}

// Whether the value holds what the record notes at that field: the type
// ("-" when absent) and the data in hex after it.
bool HoldsNoted(const JournalRecord& record, RootCode root, std::size_t typeField)
{
    DWORD type = 0;
    std::string data;
    bool present = ReadValue(root, record.fields[1], record.fields[2], type, data);
    if (record.fields[typeField] == "-")
        return !present;
    std::string expected;
    return present && BytesFromHex(record.fields[typeField + 1], expected) && data == expected &&
           type == static_cast<DWORD>(std::strtoul(record.fields[typeField].c_str(), nullptr, 10));
}

// A value still as the install left it: what it wrote, or absent when it
// deleted it. Records of older journals name no new data and always match.
bool StillAsLeft(const JournalRecord& record, RootCode root)
{
    return record.fields.size() < 7 || HoldsNoted(record, root, 5);
}

void WriteOldValue(RootCode root, const std::string& key, const std::string& name, DWORD type,
                   const std::string& data)
{
    HKEY opened;
    if (RegCreateKeyExA(RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kWriteAccess, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(opened);
}

// A value that holds its old data already was put back by an undo that was
// stopped before its mark.
Step RestoreValue(const Undo& undo, const JournalRecord& record)
{
    RootCode root = ParseRoot(record.fields[0]);
    if (IsOthersKey(undo, root))
        return Step::LeftAlone;
    if (HoldsNoted(record, root, 3))
        return Step::Done;
    if (!StillAsLeft(record, root))
        return Step::LeftAlone;
    const std::string& key = record.fields[1];
    const std::string& name = record.fields[2];
    if (record.fields[3] == "-") {
        DeleteRegValue(root, key.c_str(), name.c_str());
        return Step::Done;
    }
    std::string data;
    if (BytesFromHex(record.fields[4], data))
        WriteOldValue(root, key, name, static_cast<DWORD>(std::strtoul(record.fields[3].c_str(), nullptr, 10)), data);
    return Step::Done;
}

// True when no value lies anywhere in the key's tree.
bool TreeHoldsNoValue(HKEY key)
{
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS ||
        values > 0)
        return false;
    char name[256];
    for (DWORD index = 0; index < subkeys; ++index) {
        DWORD length = sizeof name;
        HKEY subkey;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            RegOpenKeyExA(key, name, 0, KEY_READ, &subkey) != ERROR_SUCCESS)
            return false;
        bool empty = TreeHoldsNoValue(subkey);
        RegCloseKey(subkey);
        if (!empty)
            return false;
    }
    return true;
}

// Below a key the install made, the branches that hold no value are the
// install's own (their values went with their records): they go, and the
// branches that others filled since stay.
void DeleteEmptyBranches(RootCode root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::string> names;
    char name[256];
    DWORD length = sizeof name;
    for (DWORD index = 0; RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, length = sizeof name)
        names.push_back(name);
    RegCloseKey(key);
    for (const std::string& branch : names) {
        std::string branchPath = path + "\\" + branch;
        HKEY subkey;
        if (RegOpenKeyExA(RootKey(root), branchPath.c_str(), 0, KEY_READ, &subkey) != ERROR_SUCCESS)
            continue;
        bool empty = TreeHoldsNoValue(subkey);
        RegCloseKey(subkey);
        if (empty)
            DeleteRegTree(root, branchPath.c_str());
        else
            DeleteEmptyBranches(root, branchPath);
    }
}

// The install's own values went with their records: a key that still holds
// any is someone else's too now (another product of the maker, say).
Step DeleteNewKey(const Undo& undo, const JournalRecord& record)
{
    RootCode root = ParseRoot(record.fields[0]);
    if (IsOthersKey(undo, root))
        return Step::LeftAlone;
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), record.fields[1].c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return Step::Done;
    bool empty = TreeHoldsNoValue(key);
    RegCloseKey(key);
    if (!empty) {
        DeleteEmptyBranches(root, record.fields[1]);
        return Step::LeftAlone;
    }
    DeleteRegTree(root, record.fields[1].c_str());
    return Step::Done;
}

// The install raised the count by one; others may have moved it since.
void LowerSharedCount(const JournalRecord& record)
{
    RootCode root = ParseRoot(record.fields[0]);
    DWORD type = 0;
    std::string data;
    if (root == 0 || !ReadValue(root, record.fields[1], record.fields[2], type, data) || type != REG_DWORD ||
        data.size() != sizeof(DWORD))
        return;
    DWORD count = 0;
    std::memcpy(&count, data.data(), sizeof count);
    if (count <= 1)
        DeleteRegValue(root, record.fields[1].c_str(), record.fields[2].c_str());
    else
        WriteRegNumber(root, record.fields[1].c_str(), record.fields[2].c_str(), count - 1);
}

Step Unregister(const Undo& undo, const std::string& path)
{
    if (!HoldsPath(undo.places, path) || !StillAsWritten(undo, path))
        return Step::LeftAlone;
    if (Exists(path)) {
        OleInitialize(nullptr);
        SelfUnregister(path.c_str());
        OleUninitialize();
    }
    return Step::Done;
}

// The group goes only while it holds nothing but the install's own items:
// a group of that name that another program has filled since stays whole.
Step DeleteNewGroup(const Undo& undo, const std::string& name)
{
    std::string folder;
    if (!FindProgramGroupFolder(name.c_str(), folder))
        return Step::Done;
    auto titles = undo.itemTitles.find(Upper(name));
    const std::vector<std::string> none;
    const std::vector<std::string>& own = titles != undo.itemTitles.end() ? titles->second : none;
    if (!GroupHoldsOnly(folder, own))
        return Step::LeftAlone;
    if (DeleteProgramManagerGroup(name.c_str()) != ProgramManagerAnswer::Accepted)
        RemoveGroupLinks(folder, own);
    return Step::Done;
}

bool MarkUndone(Undo& undo, const JournalRecord& record)
{
    return AppendToJournal(undo.journal, JournalRecord{JournalKind::Undone, {std::to_string(record.number)}});
}

Step UndoRecord(Undo& undo, const JournalRecord& record)
{
    const std::vector<std::string>& fields = record.fields;
    switch (record.kind) {
    case JournalKind::Folder:
        // Only an empty folder goes: whatever another program put in it stays.
        RemoveDirectoryA(fields[0].c_str());
        return Step::Done;
    case JournalKind::File:
        return UndoNewFile(undo, fields[0]);
    case JournalKind::Replaced:
        return PutBack(undo, fields[0], fields[1]);
    case JournalKind::Key:
        return DeleteNewKey(undo, record);
    case JournalKind::Value:
        return RestoreValue(undo, record);
    case JournalKind::Count:
        // Marked first: a count lowered twice would free a library that
        // others still use; one left too high only keeps it longer.
        if (MarkUndone(undo, record))
            LowerSharedCount(record);
        return Step::Marked;
    case JournalKind::Registered:
        return Unregister(undo, fields[0]);
    case JournalKind::Rename:
        CancelRenameAtRestart(fields[0].c_str(), fields[1].c_str());
        if (RemoveFile(fields[0], undo.osCode))
            return Step::Done;
        undo.result.waiting.push_back(fields[0]);
        return Step::Waits;
    case JournalKind::Group:
        return DeleteNewGroup(undo, fields[0]);
    default:
        return Step::NoChange;
    }
}

void LearnFromRecords(Undo& undo, const std::vector<JournalRecord>& records)
{
    for (const JournalRecord& record : records) {
        const std::vector<std::string>& fields = record.fields;
        if (record.kind == JournalKind::Written)
            undo.written[PathKey(fields[0])] =
                FileStamp{std::strtoull(fields[1].c_str(), nullptr, 10), std::strtoull(fields[2].c_str(), nullptr, 10),
                          fields.size() > 3 ? std::strtoull(fields[3].c_str(), nullptr, 10) : 0};
        else if (record.kind == JournalKind::Replaced)
            undo.kept[PathKey(fields[0])] = fields[1];
        else if (record.kind == JournalKind::Registered)
            undo.registered[PathKey(fields[0])] = true;
        else if (record.kind == JournalKind::Item)
            undo.itemTitles[Upper(fields[0])].push_back(fields[1]);
        else if (record.kind == JournalKind::User)
            undo.otherUser = Upper(fields[0]) != Upper(CurrentUserName());
    }
}

}  // namespace

UndoResult UndoRecords(const JournalContents& contents, Journal& journal, InstallView* view, int osCode)
{
    Undo undo{journal, view, osCode, {}, {}, {}, {}, CollectPlaces(contents.records), false, {}};
    LearnFromRecords(undo, contents.records);
    for (auto record = contents.records.rbegin(); record != contents.records.rend(); ++record) {
        if (contents.undone.count(record->number) != 0)
            continue;
        Step step = UndoRecord(undo, *record);
        if (step == Step::LeftAlone)
            ++undo.result.leftAlone;
        if (step == Step::Done || step == Step::LeftAlone)
            MarkUndone(undo, *record);
    }
    return undo.result;
}

void DropKeptFiles(const std::vector<JournalRecord>& records)
{
    for (const JournalRecord& record : records) {
        if (record.kind == JournalKind::Replaced)
            DropKeptFile(record.fields[1]);
    }
}
