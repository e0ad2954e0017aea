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

// Keeps what was read, in the order the file gives it, so the model is the
// same whether the file was complete or broke off.
void ApplyToModel(const ListFileContent& content, InstallModel& model)
{
    if (content.setupKindRead)
        model.setupKind = content.setupKind;
    if (!content.information.empty()) {
        model.information = content.information;
        model.systemInstall = content.systemInstall;
    }
    model.progressTotal = content.progressTotal;
    model.entryCount = content.entryCount;
    if (content.entryCount == 0)
        return;
    model.files = content.files;
    model.registry = content.registry;
    model.groupItems = content.groupItems;
    model.associations = content.associations;
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
