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
    StringList registrations = job.afterRestartRegistrations;
    if (registrations == nullptr || StringListSize(registrations) == 0)
        return;
    Journal& journal = job.journal;
    LRESULT count = StringListSize(registrations);
    char productKey[kTextCapacity];
    char key[kTextCapacity];
    char number[40];
    GetInformationLine(*job.model, InfoProductKey, productKey);
    ProductRecordKey(key, sizeof key, productKey, "", kRestartSubkey);

    NumberToText(static_cast<int32_t>(count), number, 1);
    WriteJournaledString(journal, kLocalMachine, key, kRestartRegisters, number);
    for (LRESULT i = 0; i < count; ++i) {
        char name[kTextCapacity];
        CopyText(name, kRestartRegisterPrefix);
        char line[kTextCapacity];
        NumberToText(static_cast<int32_t>(i + 1), number, 1);
        AppendText(name, number);
        StringListGet(registrations, static_cast<int>(i), line);
        WriteJournaledString(journal, kLocalMachine, key, name, line);
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
