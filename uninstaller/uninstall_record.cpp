#include "uninstaller/uninstall_record.h"

#include <windows.h>

#include <cctype>

#include "base/portable/text_helpers.h"
#include "registration/portable/product_keys.h"

namespace {

// Longer texts cannot be a name, count or path of the record: they are left out.
constexpr DWORD kValueCapacity = 1024;

std::string Lowered(const char* text)
{
    std::string lowered = text;
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

bool ReadAllValues(HKEY root, const char* subkey, std::map<std::string, std::string>* values)
{
    HKEY key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    for (DWORD index = 0;; ++index) {
        char name[kValueCapacity];
        char data[kValueCapacity + 1];
        DWORD nameLength = sizeof name;
        DWORD dataSize = kValueCapacity;
        DWORD type = 0;
        LONG result = RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        data[dataSize < kValueCapacity ? dataSize : kValueCapacity] = '\0';
        (*values)[Lowered(name)] = data;
    }
    RegCloseKey(key);
    return true;
}

const char* LookUpValue(const void* context, const char* name)
{
    const auto* values = static_cast<const std::map<std::string, std::string>*>(context);
    auto found = values->find(Lowered(name));
    return found != values->end() ? found->second.c_str() : nullptr;
}

}  // namespace

bool ReadUninstallRecord(const char* productKey, UninstallRecord* record)
{
    char subkey[kTextCapacity];
    ProductRecordKey(subkey, sizeof subkey, productKey, "", "Uninstall");
    for (RootCode root : {kLocalMachine, kCurrentUser}) {
        record->values.clear();
        if (ReadAllValues(RootKey(root), subkey, &record->values) && !record->values.empty()) {
            record->root = root;
            record->productKey = productKey;
            return true;
        }
    }
    return false;
}

RecordSource RecordValues(const UninstallRecord& record)
{
    return RecordSource{LookUpValue, &record.values};
}
