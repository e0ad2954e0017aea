#include "registration/associations.h"

#include "base/portable/text_helpers.h"
#include "engine/install_model.h"
#include "engine/portable/list_file.h"
#include "registration/portable/number_text.h"
#include "registration/portable/product_keys.h"
#include "registration/portable/uninstaller_contract.h"
#include "registration/registry.h"
#include "wizard/control_ids.h"
#include "wizard/controls.h"
#include "wizard/wizard_state.h"

namespace {

struct DocumentKind {
    const char* name;
    int checkBox;
    const char* iconIndex;
};

// In this order: the association list's lines follow it.
const DocumentKind kKinds[] = {
    {"Project", chkProject, ",0"},
    {"Window", chkWindow, ",1"},
    {"Module", chkModule, ",2"},
    {"Resource", chkResource, ",3"},
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

int ResetExplorerChoice(const char* recordKey, const char* extension, int n)
{
    char name[kTextCapacity];
    ComposeCountedName(name, "Associate", n);
    int recorded = WriteRegString(g_wizard.installRoot, recordKey, name, extension);

    char choiceKey[kTextCapacity];
    ComposeExplorerChoiceKey(choiceKey, extension);
    DeleteRegTree(kCurrentUser, choiceKey);
    if (g_wizard.installRoot != kLocalMachine)
        WriteRegString(kCurrentUser, choiceKey, "Application", kProductProgram);

    char openWithKey[kTextCapacity];
    CopyText(openWithKey, choiceKey);
    JoinPath(openWithKey, "OpenWithList");
    WriteRegString(kCurrentUser, openWithKey, "a", kProductProgram);
    WriteRegString(kCurrentUser, openWithKey, "b", "NOTEPAD.EXE");
    WriteRegString(kCurrentUser, openWithKey, "MRUList", "ab");
    return recorded;
}

void RegisterFileType(const char* extension, const char* kindName, const char* iconIndex,
                      const char* programPath)
{
    char identifier[kTextCapacity];
    CopyText(identifier, "Kestrel.");
    AppendText(identifier, kindName);
    WriteRegString(kClassesRoot, extension, nullptr, identifier);

    char key[kTextCapacity];
    char data[kTextCapacity];
    CopyText(key, identifier);
    JoinPath(key, "DefaultIcon");
    CopyText(data, programPath);
    AppendText(data, iconIndex);
    WriteRegString(kClassesRoot, key, nullptr, data);

    CopyText(key, identifier);
    JoinPath(key, "shell\\open\\command");
    ComposeOpenCommand(data, programPath);
    WriteRegString(kClassesRoot, key, nullptr, data);

    GetInformationLine(InfoProductName, data);
    AppendChar(data, ' ');
    AppendText(data, kindName);
    WriteRegString(kClassesRoot, identifier, nullptr, data);
}

void WriteAssociations()
{
    char productKey[kTextCapacity];
    char recordKey[kTextCapacity];
    GetInformationLine(InfoProductKey, productKey);
    ProductRecordKey(recordKey, sizeof recordKey, productKey, "", "Uninstall");
    int n = 0;
    for (int position = 0; position < 4; ++position) {
        const DocumentKind& kind = kKinds[position];
        if (!IsControlChecked(kind.checkBox))
            continue;
        char programPath[kTextCapacity];
        char extension[kTextCapacity];
        StringListGet(g_wizard.model.associations, position, programPath);
        SplitFirstField(programPath, extension);
        ++n;
        ResetExplorerChoice(recordKey, extension, n);
        RegisterFileType(extension, kind.name, kind.iconIndex, programPath);
    }
    char count[36];
    NumberToText(n, count, 1);
    WriteRegString(g_wizard.installRoot, recordKey, "Associations", count);
}
