// The product's folders, deepest first and only when empty, then the
// registry data, last, so that an interrupted removal can be run again.
#include "uninstaller/removal.h"

#include <windows.h>

#include "base/portable/text_helpers.h"
#include "base/run_log.h"
#include "registration/portable/product_keys.h"
#include "registration/portable/uninstaller_contract.h"
#include "base/registry.h"
#include "uninstaller/uninstall_window.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

bool KeyHasSubkeys(RootCode root, const char* subkey, bool* hasSubkeys)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0;
    LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr);
    RegCloseKey(key);
    *hasSubkeys = subkeys != 0;
    return result == ERROR_SUCCESS;
}

}  // namespace

void RemoveFolders(const UninstallPlan& plan, RemovalOutcome* outcome)
{
    ShowStatus(IDS_U_REMOVING_FOLDERS);
    for (const std::string& folder : plan.folders) {
        DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
        bool kept = !RemoveDirectoryA(folder.c_str()) && GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
        LogLine((kept ? "Folder kept (not empty): " : "Folder removed: ") + folder);
        if (kept && folder == plan.folder)
            outcome->keptFolders.push_back(folder);
    }
}

void RemoveRegistryData(const UninstallRecord& record, RemovalOutcome* outcome)
{
    ShowStatus(IDS_U_UPDATING_REGISTRY);
    char key[kTextCapacity];
    ProductRecordKey(key, sizeof key, record.productKey.c_str(), "", nullptr);
    DeleteRegTree(record.root, key);
    outcome->recordLeft = RegKeyExists(record.root, key);
    LogLine((outcome->recordLeft ? "Registry key left: " : "Registry key removed: ") + std::string(key));
    char entry[kTextCapacity];
    ComposeSystemUninstallKey(entry, record.productKey.c_str());
    DeleteRegTree(record.root, entry);
    LogLine(std::string("Registry key removed: ") + entry);
    bool othersLeft = true;
    if (KeyHasSubkeys(record.root, kProductsKey, &othersLeft) && !othersLeft)
        RegDeleteKeyA(RootKey(record.root), kProductsKey);
}
