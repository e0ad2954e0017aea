#include "registration/restart_record.h"

#include "base/portable/product_files.h"
#include "base/portable/text_helpers.h"
#include "base/registry.h"
#include "engine/journaled_changes.h"
#include "engine/portable/list_file.h"
#include "registration/portable/number_text.h"
#include "registration/portable/product_keys.h"
#include "registration/portable/uninstaller_contract.h"

void WriteRestartData(InstallJob& job)
{
    const std::vector<std::string>& registrations = job.afterRestartRegistrations;
    if (registrations.empty())
        return;
    Journal& journal = job.journal;
    char productKey[kTextCapacity];
    char key[kTextCapacity];
    char number[40];
    GetInformationLine(*job.model, InfoProductKey, productKey);
    ProductRecordKey(key, sizeof key, productKey, "", kRestartSubkey);

    NumberToText(static_cast<int32_t>(registrations.size()), number, 1);
    WriteJournaledString(journal, kLocalMachine, key, kRestartRegisters, number);
    int32_t position = 0;
    for (const std::string& library : registrations) {
        char name[kTextCapacity];
        CopyText(name, kRestartRegisterPrefix);
        NumberToText(++position, number, 1);
        AppendText(name, number);
        WriteJournaledString(journal, kLocalMachine, key, name, library.c_str());
    }
    WriteJournaledString(journal, kLocalMachine, key, kRestartDeleteKey, "0");
    WriteJournaledString(journal, kLocalMachine, key, kRestartDeleteDir, "");

    char command[kTextCapacity];
    GetWindowsDirectoryA(command, sizeof command);
    JoinPath(command, kUninstallerName);
    AppendText(command, " /R ");
    AppendText(command, productKey);
    char runOnce[kTextCapacity];
    CopyText(runOnce, kCurrentVersionKey);
    JoinPath(runOnce, "RunOnce");
    WriteJournaledString(journal, kLocalMachine, runOnce, kRestartRunOnceValue, command);
}
