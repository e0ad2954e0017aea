#include "registration/associations.h"

#include "base/portable/text_helpers.h"
#include "engine/portable/install_model.h"
#include "engine/journaled_changes.h"
#include "engine/path_macros.h"
#include "engine/portable/list_file.h"
#include "registration/portable/number_text.h"
#include "registration/portable/product_keys.h"
#include "registration/portable/uninstaller_contract.h"
#include "base/registry.h"

namespace {

struct KindRegistration {
    const char* name;
    const char* iconIndex;
};

// By DocumentKind: the association list's lines follow this order.
const KindRegistration kKinds[kDocumentKindCount] = {
    {"Project", ",0"},
    {"Window", ",1"},
    {"Module", ",2"},
    {"Resource", ",3"},
};

const char kProductProgram[] = "Kestrel.exe";

void ComposeExplorerChoiceKey(char* buffer, const char* extension)
{
    CopyText(buffer, kCurrentVersionKey);
    JoinPath(buffer, "Explorer\\FileExts");
    JoinPath(buffer, extension);
}

void ComposeCountedName(char* buffer, const char* stem, int n)
{
    char number[36];
    NumberToText(n, number, 1);
    CopyText(buffer, stem);
    AppendText(buffer, number);
}

}  // namespace

int ResetExplorerChoice(Journal& journal, RootCode installRoot, const char* recordKey, const char* extension, int n)
{
    char name[kTextCapacity];
    ComposeCountedName(name, "Associate", n);
    int recorded = WriteJournaledString(journal, installRoot, recordKey, name, extension);

    char choiceKey[kTextCapacity];
    ComposeExplorerChoiceKey(choiceKey, extension);
    DeleteJournaledTree(journal, kCurrentUser, choiceKey);
    if (installRoot != kLocalMachine)
        WriteJournaledString(journal, kCurrentUser, choiceKey, "Application", kProductProgram);

    char openWithKey[kTextCapacity];
    CopyText(openWithKey, choiceKey);
    JoinPath(openWithKey, "OpenWithList");
    WriteJournaledString(journal, kCurrentUser, openWithKey, "a", kProductProgram);
    WriteJournaledString(journal, kCurrentUser, openWithKey, "b", "NOTEPAD.EXE");
    WriteJournaledString(journal, kCurrentUser, openWithKey, "MRUList", "ab");
    return recorded;
}

void RegisterFileType(Journal& journal, const InstallModel& model, const char* extension, const char* kindName, const char* iconIndex,
                      const char* programPath)
{
    char identifier[kTextCapacity];
    CopyText(identifier, "Kestrel.");
    AppendText(identifier, kindName);
    WriteJournaledString(journal, kClassesRoot, extension, nullptr, identifier);

    char key[kTextCapacity];
    char data[kTextCapacity];
    CopyText(key, identifier);
    JoinPath(key, "DefaultIcon");
    CopyText(data, programPath);
    AppendText(data, iconIndex);
    WriteJournaledString(journal, kClassesRoot, key, nullptr, data);

    CopyText(key, identifier);
    JoinPath(key, "shell\\open\\command");
    ComposeOpenCommand(data, programPath);
    WriteJournaledString(journal, kClassesRoot, key, nullptr, data);

    GetInformationLine(model, InfoProductName, data);
    AppendChar(data, ' ');
    AppendText(data, kindName);
    WriteJournaledString(journal, kClassesRoot, identifier, nullptr, data);
}

void WriteAssociations(InstallJob& job)
{
    const InstallModel& model = *job.model;
    char productKey[kTextCapacity];
    char recordKey[kTextCapacity];
    GetInformationLine(model, InfoProductKey, productKey);
    ProductRecordKey(recordKey, sizeof recordKey, productKey, "", "Uninstall");
    int n = 0;
    for (int position = 0; position < kDocumentKindCount; ++position) {
        const KindRegistration& kind = kKinds[position];
        if (!job.choices.associations[position])
            continue;
        char programPath[kTextCapacity];
        char extension[kTextCapacity];
        // The line reads "ext,caption,program"; the program's path takes
        // the destination now that it is final.
        char caption[kTextCapacity];
        CopyText(programPath, position < static_cast<int>(model.associations.size())
                                  ? model.associations[position].c_str() : "");
        SplitFirstField(programPath, extension);
        SplitFirstField(programPath, caption);
        ExpandPathMacro(programPath, job.choices.destination);
        ++n;
        ResetExplorerChoice(job.journal, job.installRoot, recordKey, extension, n);
        RegisterFileType(job.journal, model, extension, kind.name, kind.iconIndex, programPath);
    }
    char count[36];
    NumberToText(n, count, 1);
    WriteJournaledString(job.journal, job.installRoot, recordKey, "Associations", count);
}
