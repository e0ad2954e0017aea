#include "engine/list_reader.h"

#include <string>
#include <vector>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/portable/list_file.h"
#include "resources/string_ids.h"

namespace {

// The file's bytes; empty when it cannot be read, which the grammar then
// treats as a file that ends too early.
std::vector<unsigned char> ReadWholeFile(HANDLE file)
{
    std::vector<unsigned char> bytes;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE || high != 0)
        return bytes;
    bytes.resize(size);
    DWORD read = 0;
    if (size > 0 && !ReadFile(file, bytes.data(), size, &read, nullptr))
        read = 0;
    bytes.resize(read);
    return bytes;
}

StringList MakeList(const std::vector<std::string>& lines)
{
    StringList list = CreateStringList(false);
    for (const std::string& line : lines)
        StringListAdd(list, line.c_str());
    return list;
}

// Keeps what was read, in the order the file gives it, so the model is the
// same whether the file was complete or broke off.
void ApplyToModel(const ListFileContent& content, InstallModel& model)
{
    if (content.setupKindRead)
        model.setupKind = content.setupKind;
    if (!content.information.empty()) {
        model.information = MakeList(content.information);
        model.systemInstall = content.systemInstall;
    }
    model.progressTotal = content.progressTotal;
    model.entryCount = content.entryCount;
    if (content.entryCount == 0)
        return;
    model.files = MakeList(content.files);
    model.registry = MakeList(content.registry);
    model.groupItems = MakeList(content.groupItems);
    model.associations = MakeList(content.associations);
}

}  // namespace

int ReadListFile(HANDLE file, const char* listName, InstallModel& model, InstallView& view)
{
    std::vector<unsigned char> bytes = ReadWholeFile(file);
    CloseHandle(file);
    ListCursor cursor = {bytes.data(), bytes.size(), 0};
    ListFileContent content;
    ListFileResult result = ParseListFile(cursor, content);
    ApplyToModel(content, model);
    view.ShowListFile(content);
    if (result != ListFileResult::Complete)
        return ReportError(IDS_LIST_DAMAGED, listName, true);
    return 1;
}

void ReleaseInstallModel(InstallModel& model)
{
    ReleaseStringList(model.information);
    ReleaseStringList(model.files);
    ReleaseStringList(model.registry);
    ReleaseStringList(model.groupItems);
    ReleaseStringList(model.associations);
}
