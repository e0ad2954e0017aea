#include "uninstaller/restart_run.h"

#include <windows.h>

#include <string>

#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "engine/self_registration.h"
#include "registration/portable/product_keys.h"
#include "registration/portable/uninstaller_contract.h"
#include "base/registry.h"
#include "uninstaller/portable/uninstall_plan.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

void RegisterListedLibraries(const char* restartKey, std::string* failures)
{
    char text[kTextCapacity];
    std::uint32_t count = 0;
    if (!ReadRegValue(kLocalMachine, restartKey, kRestartRegisters, text))
        return;
    if (!ReadRecordCount(text, &count)) {
        *failures += std::string("\r\n") + kRestartRegisters + " = ";
        *failures += text;
        return;
    }
    for (std::uint32_t n = 1; n <= count; ++n) {
        std::string name = kRestartRegisterPrefix + std::to_string(n);
        if (!ReadRegValue(kLocalMachine, restartKey, name.c_str(), text))
            continue;
        if (CheckFullPath(text) != PathProblem::None || !SelfRegister(text)) {
            *failures += "\r\n";
            *failures += text;
        }
    }
}

void DeleteProductRecord(const char* productKey)
{
    char key[kTextCapacity];
    ProductRecordKey(key, sizeof key, productKey, "", nullptr);
    DeleteRegTree(kLocalMachine, key);
    DeleteRegTree(kCurrentUser, key);
}

// Only an empty folder goes, and only a full path that is not a drive's root.
void DeleteEmptyFolder(const char* folder)
{
    if (folder[0] != '\0' && CheckFullPath(folder) == PathProblem::None)
        RemoveDirectoryA(folder);
}

}  // namespace

void RunRestartWork(const char* productKey)
{
    char restartKey[kTextCapacity];
    ProductRecordKey(restartKey, sizeof restartKey, productKey, "", kRestartSubkey);
    std::string failures;
    RegisterListedLibraries(restartKey, &failures);
    char value[kTextCapacity];
    if (ReadRegValue(kLocalMachine, restartKey, kRestartDeleteDir, value))
        DeleteEmptyFolder(value);
    bool deleteRecord = ReadRegValue(kLocalMachine, restartKey, kRestartDeleteKey, value) && lstrcmpA(value, "1") == 0;
    DeleteRegTree(kLocalMachine, restartKey);
    if (deleteRecord)
        DeleteProductRecord(productKey);
    char runOnce[kTextCapacity];
    CopyText(runOnce, kCurrentVersionKey);
    JoinPath(runOnce, "RunOnce");
    DeleteRegValue(kLocalMachine, runOnce, kRestartRunOnceValue);
    if (failures.empty())
        return;
    char message[kTextCapacity];
    LoadTableString(IDS_U_REGISTRATION_FAILED, message);
    ShowMessage(IDS_U_REGISTRATION_FAILED, (message + failures).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
