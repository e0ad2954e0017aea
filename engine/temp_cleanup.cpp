#include "engine/temp_cleanup.h"

#include <windows.h>

#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "engine/portable/file_line.h"

namespace {

void DeleteUnpackedFiles(const char* temp, const std::vector<std::string>& files)
{
    for (const std::string& line : files) {
        char path[kTextCapacity];
        FileLineFields fields;
        SplitFileLine(line.c_str(), fields);
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

void CleanUpTemp(const char* temp, const InstallModel& model)
{
    // Without a known temp folder a bare name would point into the current
    // folder, so nothing is deleted then.
    if (temp != nullptr && temp[0] != '\0') {
        DeleteUnpackedLogo(temp);
        DeleteUnpackedFiles(temp, model.files);
    }
}
