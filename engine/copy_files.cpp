#include "engine/copy_files.h"

#include <windows.h>

#include <cstring>

#include "base/file_presence.h"
#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/copy_progress.h"
#include "engine/copy_with_times.h"
#include "engine/file_version.h"
#include "engine/fonts.h"
#include "engine/free_name.h"
#include "engine/journaled_changes.h"
#include "engine/portable/file_line.h"
#include "engine/portable/file_rules.h"
#include "engine/restart_rename.h"
#include "engine/rollback.h"
#include "engine/self_registration.h"
#include "engine/short_path.h"
#include "resources/string_ids.h"

namespace {

// One file of the step: its fields and the two paths built from them.
struct FileCopy {
    FileLineFields fields;
    char source[kTextCapacity];      // in the temp folder, short form
    char target[kTextCapacity];      // long form: a moved or replaced file keeps its real name
    ULONGLONG done;                  // the step's byte count before this file
};

enum class Outcome {
    Installed,     // go on with the font step
    Protected,     // a protected library: straight to the second copy
    Failed,        // reported and rolled back
};

// FindFirstFileA: Windows 95 has no GetFileAttributesExA.
ULONGLONG FileSize(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);
    return (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

bool CountInstalled(InstallJob& job, const char* source)
{
    job.installedBytes += FileSize(source);
    return true;
}

// When both ways fail, a target that the system's copy left behind is
// deleted: it can only be partial.
bool CopyOrFallBack(InstallJob& job, const char* source, const char* target, ULONGLONG done)
{
    if (CopyWithTimes(job, source, target, done))
        return CountInstalled(job, source);
    bool existed = PathExists(target);
    if (CopyFileA(source, target, FALSE))
        return CountInstalled(job, source);
    if (!existed) {
        SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target);
    }
    return false;
}

void DeleteHelperFile(const char* path)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

// Copies the source beside the target under a temporary name that names
// nothing yet, noted as the run's own first. False after a failed note or
// copy, or a cancel during the copy; no partial copy is left.
bool CopyBeside(InstallJob& job, const char* source, const char* target, ULONGLONG done, char* temporary)
{
    char folder[kTextCapacity];
    CopyText(folder, target);
    char* backslash = std::strrchr(folder, '\\');
    if (backslash == nullptr)
        return false;
    *backslash = '\0';
    if (!FindFreeName(folder, backslash + 1, TemporaryCopyName, temporary) ||
        !NoteNewFile(job.journal, temporary) || !CopyOrFallBack(job, source, temporary, done))
        return false;
    if (*job.cancel) {
        DeleteHelperFile(temporary);
        return false;
    }
    return true;
}

// For a protected library that other programs use: the new bytes go beside
// it and replace it only when complete, so a failed copy keeps the old file
// whole. Like every protected library, it is no change an undo takes back.
// False when the old file stays.
bool ReplaceWhole(InstallJob& job, const char* source, const char* target, ULONGLONG done)
{
    char temporary[kTextCapacity];
    if (!CopyBeside(job, source, target, done, temporary))
        return false;
    SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
    if (MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteHelperFile(temporary);
    return false;
}

// Paths that are passed on to other programs go in short form.
void AddShortForm(std::vector<std::string>& list, const char* path)
{
    char shortPath[kTextCapacity];
    CopyText(shortPath, path);
    ToShortForm(shortPath);
    list.push_back(shortPath);
}

// Protected libraries and fonts serve other programs too: an undo never
// deletes them, so they are not noted as this run's own.
bool IsSharedWithOthers(const FileCopy& file)
{
    return ProtectedLibraryClass(file.fields.name, ProtectedTest::Wide) != NotProtected || IsFontFile(file.target);
}

// The new bytes go beside the target under a temporary name and take its
// name only when complete, so no file is ever half-written under its real
// name. A cancel during the copy leaves the target as it was. The target is
// absent here: new, or moved aside when replacing.
bool CopyIntoPlace(InstallJob& job, const FileCopy& file, bool replacing)
{
    char temporary[kTextCapacity];
    if (!CopyBeside(job, file.source, file.target, file.done, temporary))
        return *job.cancel != 0;
    bool shared = IsSharedWithOthers(file);
    if ((!shared && !NoteNewFile(job.journal, file.target)) || !MoveFileA(temporary, file.target)) {
        DeleteHelperFile(temporary);
        return false;
    }
    // A shared file new to the machine is no change an undo takes back.
    if (!shared || replacing)
        NoteWrittenFile(job.journal, file.target);
    job.placedFiles.push_back(file.target);
    return true;
}

Outcome ReportCopyFailure(InstallJob& job, const char* path)
{
    RollBack(job);
    const char* backslash = std::strrchr(path, '\\');
    ReportError(IDS_COPY_FAILED, backslash != nullptr ? backslash + 1 : path, true);
    return Outcome::Failed;
}

void Decide(InstallJob& job, const char* target, FileRule rule)
{
    job.fileDecisions.push_back({target, rule});
}

// The target is held by a running program: its replacement goes beside it
// under a temporary name and is moved over it at the next start.
Outcome ReplaceAtRestart(InstallJob& job, const FileCopy& file)
{
    char temporary[kTextCapacity];
    if (!FindFreeName(file.fields.folder, file.fields.name, TemporaryReplacementName, temporary) ||
        !NoteNewFile(job.journal, temporary) || !CopyOrFallBack(job, file.source, temporary, file.done))
        return ReportCopyFailure(job, file.target);
    // Cancelled, the copy deleted its partial bytes: nothing may be scheduled.
    if (*job.cancel)
        return Outcome::Installed;
    NoteWrittenFile(job.journal, temporary);
    // Unscheduled, the copy would never take the target's place: the file
    // cannot be installed, and no restart would complete it.
    if (!NoteRenameAtRestart(job.journal, temporary, file.target) ||
        !ScheduleRenameAtRestart(temporary, file.target, job.osCode)) {
        DeleteHelperFile(temporary);
        return ReportCopyFailure(job, file.target);
    }
    if (file.fields.selfRegister)
        AddShortForm(job.afterRestartRegistrations, file.target);
    job.restartNeeded = true;
    Decide(job, file.target, FileRule::ReplacedAtRestart);
    return Outcome::Installed;
}

FileRule ReplaceRule(const FileCopy& file)
{
    if (file.fields.replace != 0)
        return FileRule::ReplacedAlways;
    if (IsFontFile(file.fields.name))
        return FileRule::KeptFont;
    return IsNewerVersion(file.target, file.fields.versionHigh, file.fields.versionLow) ? FileRule::ReplacedNewer
                                                                                          : FileRule::KeptNotNewer;
}

Outcome ReplaceOrKeep(InstallJob& job, const FileCopy& file)
{
    FileRule rule = ReplaceRule(file);
    if (rule == FileRule::KeptFont || rule == FileRule::KeptNotNewer) {
        Decide(job, file.target, rule);
        return Outcome::Installed;
    }
    // A target that cannot be moved is held by a running program.
    if (!MoveAside(job.journal, file.target))
        return ReplaceAtRestart(job, file);
    if (!CopyIntoPlace(job, file, true))
        return ReportCopyFailure(job, file.target);
    Decide(job, file.target, rule);
    return Outcome::Installed;
}

Outcome UpdateExistingTarget(InstallJob& job, const FileCopy& file)
{
    switch (ProtectedLibraryClass(file.fields.name, ProtectedTest::Wide)) {
    case ProtectedRegisteredAgain:
        SelfRegister(file.target);
        Decide(job, file.target, FileRule::SystemRegisteredAgain);
        return Outcome::Protected;
    case ProtectedLeftAlone:
        Decide(job, file.target, FileRule::SystemLeftAlone);
        return Outcome::Protected;
    case ProtectedReplacedWhenNewer:
        if (!IsNewerVersion(file.target, file.fields.versionHigh, file.fields.versionLow))
            Decide(job, file.target, FileRule::SystemKeptNotNewer);
        else if (ReplaceWhole(job, file.source, file.target, file.done))
            Decide(job, file.target, FileRule::SystemReplacedNewer);
        else
            Decide(job, file.target, FileRule::SystemNotWritten);
        return Outcome::Protected;
    default:
        return ReplaceOrKeep(job, file);
    }
}

Outcome CopyNewTarget(InstallJob& job, const FileCopy& file)
{
    if (!CopyIntoPlace(job, file, false))
        return ReportCopyFailure(job, file.target);
    Decide(job, file.target, FileRule::CopiedNew);
    if (ProtectedLibraryClass(file.fields.name, ProtectedTest::Narrow) == ProtectedRegisteredAgain &&
        NoteRegistration(job.journal, file.target))
        SelfRegister(file.target);
    return Outcome::Installed;
}

// The second copy of a product library, in the system folder. A new one is
// the run's own; one that is there already gives way only to a newer
// version and is moved aside, so that an undo puts it back; one held by a
// running program stays. False when the one moved aside has no successor:
// the install cannot complete without it.
bool CopyToSystemDirectory(InstallJob& job, const FileCopy& file)
{
    char systemCopy[kTextCapacity];
    GetSystemDirectoryA(systemCopy, sizeof systemCopy);
    JoinPath(systemCopy, file.fields.name);
    bool existed = PathExists(systemCopy);
    char temporary[kTextCapacity];
    if ((existed && !IsNewerVersion(systemCopy, file.fields.versionHigh, file.fields.versionLow)) ||
        !CopyBeside(job, file.source, systemCopy, file.done, temporary))
        return true;
    if (existed ? !MoveAside(job.journal, systemCopy) : !NoteNewFile(job.journal, systemCopy)) {
        DeleteHelperFile(temporary);
        return true;
    }
    if (!MoveFileA(temporary, systemCopy)) {
        DeleteHelperFile(temporary);
        return !existed;
    }
    NoteWrittenFile(job.journal, systemCopy);
    Decide(job, systemCopy, FileRule::SecondCopyInSystem);
    return true;
}

void PreparePaths(const InstallJob& job, FileCopy& file)
{
    CopyText(file.source, job.tempFolder);
    JoinPath(file.source, file.fields.name);
    CopyText(file.target, file.fields.folder);
    JoinPath(file.target, file.fields.name);
    job.view->ShowFile(file.target);
    ToShortForm(file.source);
}

}  // namespace

int CopyFiles(InstallJob& job)
{
    ULONGLONG done = 0;
    for (const std::string& line : job.targetLines) {
        FileCopy file;
        SplitFileLine(line.c_str(), file.fields);
        file.done = done;
        PreparePaths(job, file);
        if (!PathExists(file.source)) {
            RollBack(job);
            return ReportError(IDS_FILE_NOT_FOUND, file.fields.name, true);
        }
        // Protected libraries and fonts belong to the system: the
        // uninstaller's records leave them out.
        bool recorded = ProtectedLibraryClass(file.fields.name, ProtectedTest::Wide) == NotProtected;

        Outcome outcome = PathExists(file.target) ? UpdateExistingTarget(job, file) : CopyNewTarget(job, file);
        if (outcome == Outcome::Failed)
            return 0;
        bool font = outcome == Outcome::Installed && InstallFont(file.fields.name, job.osCode);
        if (font)
            recorded = false;
        else if (IsInstalledTwice(file.fields.name) && !CopyToSystemDirectory(job, file)) {
            ReportCopyFailure(job, file.target);
            return 0;
        }

        if (recorded)
            job.recordedFiles.push_back(line);
        DeleteFileA(file.source);
        done += file.fields.size;
        ShowCopyProgress(*job.view, done, job.model->progressTotal, true);
        if (*job.cancel) {
            RollBack(job);
            return 0;
        }
    }
    job.view->ShowFile("");
    return 1;
}
