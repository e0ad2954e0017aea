#include "forms/form_templates.h"

#include "forms/runtime_memory.h"
#include "forms/runtime_state.h"

namespace {

ObjectRecord* CopyRecord(const ObjectRecord* source)
{
    auto* copy = static_cast<ObjectRecord*>(AllocateZeroed(sizeof(ObjectRecord)));
    if (copy != nullptr)
        CopyMemory(copy, source, sizeof(ObjectRecord));
    return copy;
}

void ResolveRecordStrings(ObjectRecord* record)
{
    record->TemplateLink = nullptr;
    record->FontName = ResolveString(record->FontName, nullptr);
    record->Caption = ResolveString(record->Caption, &record->TextLength);
}

// Builds the children of `parent`, whose records follow `cursor` in the
// block; returns the last record consumed.
const ObjectRecord* BuildChildren(ObjectRecord* parent, const ObjectRecord* cursor)
{
    INT_PTR count = parent->ChildCount;
    parent->Children = static_cast<ObjectRecord**>(AllocateZeroed((count + 1) * sizeof(ObjectRecord*)));
    for (INT_PTR i = 0; i < count; ++i) {
        ++cursor;
        ObjectRecord* child = CopyRecord(cursor);
        if (parent->Children != nullptr)
            parent->Children[i] = child;
        if (child == nullptr)
            continue;
        if (child->ChildCount != 0)
            cursor = BuildChildren(child, cursor);
        ResolveRecordStrings(child);
    }
    return cursor;
}

}  // namespace

ObjectRecord** FirstFreeFormSlot()
{
    ObjectRecord** table = g_runtime.buffers->FormTable;
    for (int i = 0; i < kFormTableEntries - 1; ++i) {
        if (table[i] == nullptr)
            return &table[i];
    }
    return nullptr;
}

ObjectRecord* FindFormTemplate(const char* name)
{
    for (ObjectRecord** entry = g_runtime.buffers->FormTable; *entry != nullptr; ++entry) {
        if (lstrcmpiA((*entry)->Name, name) == 0)
            return *entry;
    }
    return nullptr;
}

ObjectRecord* CopyTemplate(const ObjectRecord* formTemplate)
{
    ObjectRecord* form = CopyRecord(formTemplate);
    if (form == nullptr)
        return nullptr;
    if (form->ChildCount >= 1)
        BuildChildren(form, form->TemplateLink);
    else
        form->Children = nullptr;
    ResolveRecordStrings(form);
    return form;
}

char* ResolveString(StringRef value, int* length)
{
    char* scratch = g_runtime.buffers->ScratchText;
    scratch[0] = '\0';
    if (IsIdentifier(RefValue(value)))
        LoadStringA(g_runtime.Instance, static_cast<UINT>(RefValue(value)), scratch, kRecordTextLimit + 1);
    else
        lstrcpynA(scratch, value, kScratchTextSize);
    int textLength = lstrlenA(scratch);
    char* copy = static_cast<char*>(AllocateZeroed(textLength + 2));
    if (copy != nullptr)
        CopyMemory(copy, scratch, textLength);
    if (length != nullptr)
        *length = copy != nullptr ? textLength : 0;
    return copy;
}

void FreeRecordContents(ObjectRecord* record)
{
    FreeBlock(record->FontName);
    FreeBlock(record->Caption);
    record->FontName = nullptr;
    record->Caption = nullptr;
    if (record->Children == nullptr)
        return;
    for (ObjectRecord** child = record->Children; *child != nullptr; ++child) {
        FreeRecordContents(*child);
        FreeBlock(*child);
    }
    FreeBlock(record->Children);
    record->Children = nullptr;
}
