#include "engine/destinations.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/journaled_changes.h"
#include "engine/path_macros.h"
#include "engine/portable/disk_space.h"
#include "engine/portable/file_line.h"
#include "engine/short_path.h"
#include "resources/string_ids.h"

namespace {

bool Exists(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

// Creates the prefix of the path that ends before "end" when nothing of that
// name exists yet. An undo removes what the journal names, however high above
// the product's folder it lies, and nothing that was there before.
bool EnsureLevel(const char* path, std::size_t end, Journal& journal, char* failedLevel)
{
    char prefix[kTextCapacity];
    CopyText(prefix, path);
    if (end < sizeof prefix)
        prefix[end] = '\0';
    if (Exists(prefix))
        return true;
    if (NoteNewFolder(journal, prefix) && CreateDirectoryA(prefix, nullptr))
        return true;
    CopyText(failedLevel, prefix);
    return false;
}

bool IsHelpFile(const char* name)
{
    std::size_t length = std::strlen(name);
    return length >= 4 && lstrcmpiA(name + length - 4, ".chm") == 0;
}

void RememberHelpFile(const FileLineFields& fields, char* helpFile)
{
    CopyText(helpFile, fields.folder);
    JoinPath(helpFile, fields.name);
}

// A target over 259 characters would be cut, and the wrong file looked for:
// every line is measured before the first folder is made. 0 when all fit.
int CheckTargetLengths(const std::vector<std::string>& files, const char* destination)
{
    for (const std::string& fileLine : files) {
        char line[2 * kTextCapacity];
        CopyText(line, fileLine.c_str(), sizeof line);
        ExpandPathMacro(line, destination, sizeof line);
        // The whole line must fit too: cut, it would lose the file's flags.
        bool lineFits = std::strlen(line) < kTextCapacity;
        char* name = std::strchr(line, ',');
        if (name == nullptr)
            continue;
        *name++ = '\0';
        if (char* rest = std::strchr(name, ','))
            *rest = '\0';
        if (name[0] != '\0' && (!lineFits || std::strlen(line) + 1 + std::strlen(name) >= kTextCapacity)) {
            char path[2 * kTextCapacity];
            CopyText(path, line, sizeof path);
            JoinPath(path, name, sizeof path);
            return ReportError(IDS_PATH_TOO_LONG, path, true);
        }
    }
    return 1;
}

// Each target folder once: the journal's undo touches only files in them.
bool NoteTargetFolder(Journal& journal, const char* folder, std::vector<std::string>& noted)
{
    for (const std::string& known : noted) {
        if (lstrcmpiA(known.c_str(), folder) == 0)
            return true;
    }
    noted.push_back(folder);
    return NoteDestination(journal, folder);
}

}  // namespace

int CheckDiskSpace(const InstallJob& job)
{
    const char* destination = job.choices.destination;
    char root[4] = {destination[0], destination[0] ? destination[1] : '\0', '\\', '\0'};
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return 1;
    if (HasRoomForInstall(sectorsPerCluster, bytesPerSector, freeClusters, job.model->progressTotal))
        return 1;
    return ReportError(IDS_NO_DISK_SPACE, nullptr, false);
}

int CreateFolderChain(const char* path, Journal& journal, char* failedLevel)
{
    std::size_t length = std::strlen(path);
    for (std::size_t i = 3; i < length; ++i) {
        if (path[i] == '\\' && !EnsureLevel(path, i, journal, failedLevel))
            return 0;
    }
    return EnsureLevel(path, length, journal, failedLevel) ? 1 : 0;
}

int PrepareDestinations(InstallJob& job)
{
    char destination[kTextCapacity];
    CopyText(destination, job.choices.destination);
    ToShortForm(destination);
    if (GetFileAttributesA(destination) == INVALID_FILE_ATTRIBUTES)
        job.view->ShowTask(IDS_CREATING_FOLDERS);
    if (!CheckTargetLengths(job.model->files, job.choices.destination))
        return 0;
    job.targetLines.clear();
    std::vector<std::string> notedFolders;
    for (const std::string& fileLine : job.model->files) {
        char line[kTextCapacity];
        CopyText(line, fileLine.c_str());
        ExpandPathMacro(line, job.choices.destination);
        job.targetLines.push_back(line);

        FileLineFields fields;
        SplitFileLine(line, fields);
        if (fields.name[0] == '\0')
            continue;
        if (IsHelpFile(fields.name))
            RememberHelpFile(fields, job.helpFile);
        if (!NoteTargetFolder(job.journal, fields.folder, notedFolders))
            return ReportError(IDS_JOURNAL_FAILED, job.journal.path, true);
        char failedLevel[kTextCapacity];
        if (!CreateFolderChain(fields.folder, job.journal, failedLevel))
            return ReportError(IDS_FOLDER_FAILED, failedLevel, true);
    }
    return 1;
}
