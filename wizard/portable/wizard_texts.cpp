#include "wizard/portable/wizard_texts.h"

#include <cstring>

#include "base/portable/characters.h"
#include "base/portable/text_helpers.h"

namespace {

const char kEmptyLine[] = "\r\n\r\n";

void AppendSpaced(char* buffer, std::size_t capacity, const char* text)
{
    AppendChar(buffer, ' ', capacity);
    AppendText(buffer, text, capacity);
}

void AppendProduct(char* buffer, std::size_t capacity, const char* name, const char* version,
                   const char* language)
{
    AppendSpaced(buffer, capacity, name);
    AppendSpaced(buffer, capacity, version);
    AppendText(buffer, " (", capacity);
    AppendText(buffer, language, capacity);
    AppendChar(buffer, ')', capacity);
}

}  // namespace

void ComposeSummary(char* buffer, std::size_t capacity, const SummaryParts& parts)
{
    CopyText(buffer, parts.nameLabel, capacity);
    AppendText(buffer, parts.name, capacity);
    AppendText(buffer, kEmptyLine, capacity);
    AppendText(buffer, parts.organizationLabel, capacity);
    AppendText(buffer, parts.organization, capacity);
    AppendText(buffer, kEmptyLine, capacity);
    AppendText(buffer, parts.folderLabel, capacity);
    AppendText(buffer, parts.folder, capacity);
    AppendText(buffer, kEmptyLine, capacity);
    AppendText(buffer, parts.groupLabel, capacity);
    AppendText(buffer, parts.group, capacity);
}

void ComposeInstalledText(char* buffer, std::size_t capacity, const char* detected,
                          const char* isInstalled, const InstalledCopy& copy)
{
    CopyText(buffer, detected, capacity);
    AppendProduct(buffer, capacity, copy.name, copy.version, copy.language);
    AppendChar(buffer, ' ', capacity);
    AppendText(buffer, isInstalled, capacity);
    AppendText(buffer, copy.path, capacity);
}

void AppendRemovalQuestion(char* buffer, std::size_t capacity, const char* question,
                           const char* product, const char* version, const char* language)
{
    AppendText(buffer, question, capacity);
    AppendProduct(buffer, capacity, product, version, language);
    AppendChar(buffer, '?', capacity);
}

void RemoveFirstSpace(char* text)
{
    char* space = std::strchr(text, ' ');
    if (space != nullptr)
        std::memmove(space, space + 1, std::strlen(space + 1) + 1);
}

void DestinationForBrowsedFolder(char* path, std::size_t capacity, const char* defaultFolderName)
{
    const char* separator = std::strrchr(path, '\\');
    const char* lastComponent = separator != nullptr ? separator + 1 : path;
    if (EqualNoCase(lastComponent, defaultFolderName))
        return;
    JoinPath(path, defaultFolderName, capacity);
}
