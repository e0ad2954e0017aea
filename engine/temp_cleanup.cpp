#include "engine/temp_cleanup.h"

#include <windows.h>

#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "engine/list_reader.h"
#include "engine/portable/file_line.h"

namespace {

void DeleteUnpackedFiles(const char* temp, StringList files)
{
    int count = static_cast<int>(StringListSize(files));
    for (int i = 0; i < count; ++i) {
        char line[kTextCapacity];
        char path[kTextCapacity];
        StringListGet(files, i, line);
        FileLineFields fields;
        SplitFileLine(line, fields);
        if (fields.name[0] == '\0')
            continue;
        CopyText(path, temp);
        JoinPath(path, fields.name);
        SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path);
    }
}

}  // namespace

void DeleteUnpackedLogo(const char* temp)
{
    char path[kTextCapacity];
    CopyText(path, temp);
    JoinPath(path, kLogoName);
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

void CleanUpTemp(const char* temp, InstallModel& model, InstallJob& job)
{
    // Without a known temp folder a bare name would point into the current
    // folder, so nothing is deleted then.
    if (temp != nullptr && temp[0] != '\0') {
        DeleteUnpackedLogo(temp);
        if (model.files != nullptr)
            DeleteUnpackedFiles(temp, model.files);
    }
    ReleaseInstallModel(model);
    ReleaseJobLists(job);
}
