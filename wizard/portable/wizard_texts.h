#pragma once
// Texts that the wizard composes from the string table, the list file and
// the registry. Each is built in a fixed buffer and cut at its end.
#include <cstddef>

// The summary page: name, organization, folder and program group, each after
// its label and separated by empty lines.
struct SummaryParts {
    const char* nameLabel;          // IDS_SUMMARY_NAME
    const char* name;
    const char* organizationLabel;  // IDS_SUMMARY_ORGANIZATION
    const char* organization;
    const char* folderLabel;        // IDS_SUMMARY_FOLDER
    const char* folder;
    const char* groupLabel;         // IDS_SUMMARY_GROUP
    const char* group;              // the group name, or IDS_NONE
};
void ComposeSummary(char* buffer, std::size_t capacity, const SummaryParts& parts);

// What the registry says of an installed copy (empty texts when unreadable).
struct InstalledCopy {
    const char* name;
    const char* version;
    const char* language;
    const char* path;
};

// "<IDS_INSTALLED_FOUND> Name Version (Language) <IDS_INSTALLED_IN_FOLDER>Path"
void ComposeInstalledText(char* buffer, std::size_t capacity, const char* detected,
                          const char* isInstalled, const InstalledCopy& copy);
// Appends "<IDS_UNINSTALL_TO_INSTALL> Product Version (Language)?" to the installed text.
void AppendRemovalQuestion(char* buffer, std::size_t capacity, const char* question,
                           const char* product, const char* version, const char* language);

// Removes the first space of a text, moving the rest left by one.
void RemoveFirstSpace(char* text);

// The folder that a browsed folder stands for: its path, and the default
// folder name joined to it unless its last component already is that name.
void DestinationForBrowsedFolder(char* path, std::size_t capacity, const char* defaultFolderName);
