#include "engine/journal_undo.h"

#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/portable/text_helpers.h"
#include "base/registry.h"
#include "engine/program_group_deletion.h"
#include "engine/restart_delete.h"
#include "engine/restart_rename.h"
#include "engine/self_registration.h"
#include "forms/runtime_startup.h"

namespace {

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DeleteNamedFile(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

// A new file that a running program holds (the uninstaller undoing an
// install holds its own) cannot be deleted, but it can be moved: into the
// temp folder, where it is deleted at the next start.
bool MoveOutOfTheWay(const std::string& path)
{
    char folder[MAX_PATH];
    char moved[MAX_PATH];
    if (GetTempPathA(sizeof folder, folder) == 0 || GetTempFileNameA(folder, "old", 0, moved) == 0)
        return false;
    DeleteFileA(moved);
    if (!MoveFileA(path.c_str(), moved))
        return false;
    ScheduleDeleteAtRestart(moved, OsCode(nullptr));
    return true;
}

// The kept file takes its place again; while it is missing it either was
// never moved or is back already. When the new file can neither be deleted
// nor moved, the kept one takes its place at the next start.
void PutBack(const std::string& path, const std::string& kept)
{
    if (!Exists(kept))
        return;
    if (!DeleteNamedFile(path) && Exists(path) && !MoveOutOfTheWay(path)) {
        ScheduleRenameAtRestart(kept.c_str(), path.c_str(), OsCode(nullptr));
        return;
    }
    MoveFileA(kept.c_str(), path.c_str());
}

RootCode ParseRoot(const std::string& text)
{
    RootCode root = static_cast<RootCode>(std::strtoul(text.c_str(), nullptr, 10));
    return IsRootCode(root) ? root : 0;
}

void RestoreValue(const JournalRecord& record)
{
    RootCode root = ParseRoot(record.fields[0]);
    const std::string& key = record.fields[1];
    const std::string& name = record.fields[2];
    if (root == 0)
        return;
    if (record.fields[3] == "-") {
        HKEY opened;
        if (RegOpenKeyExA(RootKey(root), key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(opened, name.c_str());
        RegCloseKey(opened);
        return;
    }
    std::string data;
    if (!BytesFromHex(record.fields[4], data))
        return;
    DWORD type = static_cast<DWORD>(std::strtoul(record.fields[3].c_str(), nullptr, 10));
    HKEY opened;
    if (RegCreateKeyExA(RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kWriteAccess, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(opened);
}

void UndoRecord(const JournalRecord& record, InstallView* view)
{
    const std::vector<std::string>& fields = record.fields;
    switch (record.kind) {
    case JournalKind::Folder:
        RemoveDirectoryA(fields[0].c_str());
        break;
    case JournalKind::File:
        if (DeleteNamedFile(fields[0]) && view != nullptr)
            view->Pause(10, true);
        break;
    case JournalKind::Replaced:
        PutBack(fields[0], fields[1]);
        break;
    case JournalKind::Key:
        if (ParseRoot(fields[0]) != 0)
            DeleteRegTree(ParseRoot(fields[0]), fields[1].c_str());
        break;
    case JournalKind::Value:
        RestoreValue(record);
        break;
    case JournalKind::Registered:
        if (Exists(fields[0])) {
            OleInitialize(nullptr);
            SelfUnregister(fields[0].c_str());
            OleUninitialize();
        }
        break;
    case JournalKind::Rename:
        CancelRenameAtRestart(fields[0].c_str(), fields[1].c_str());
        DeleteNamedFile(fields[0]);
        break;
    case JournalKind::Group:
        DeleteProgramGroup(fields[0].c_str());
        break;
    case JournalKind::End:
        break;
    }
}

}  // namespace

void UndoRecords(const std::vector<JournalRecord>& records, InstallView* view)
{
    for (auto record = records.rbegin(); record != records.rend(); ++record)
        UndoRecord(*record, view);
}

void DropKeptFiles(const std::vector<JournalRecord>& records)
{
    for (const JournalRecord& record : records) {
        if (record.kind != JournalKind::Replaced)
            continue;
        const std::string& kept = record.fields[1];
        DeleteNamedFile(kept);
        std::string folder = kept.substr(0, kept.find_last_of('\\'));
        RemoveDirectoryA(folder.c_str());
    }
}
