#include "wizard_wine_settings.h"

#include <windows.h>

namespace {

const char kWizardDefaults[] = "Software\\Wine\\AppDefaults\\Instal.exe";

std::string KeyPath(const std::string& subkey)
{
    return subkey.empty() ? kWizardDefaults : std::string(kWizardDefaults) + "\\" + subkey;
}

}  // namespace

WizardWineSettings::~WizardWineSettings()
{
    for (const auto& [subkey, name] : made_)
        RegDeleteKeyValueA(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), name.c_str());
}

bool WizardWineSettings::ReportVersion(const char* version)
{
    return Set("", "Version", version);
}

bool WizardWineSettings::SearchLikeWindows(const char* library)
{
    return Set("DllOverrides", library, "native,builtin");
}

bool WizardWineSettings::Set(const char* subkey, const char* name, const char* value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(subkey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                 static_cast<DWORD>(lstrlenA(value) + 1));
    RegCloseKey(key);
    made_.emplace_back(subkey, name);
    return result == ERROR_SUCCESS;
}
