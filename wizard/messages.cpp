#include "wizard/messages.h"

#include "wizard/portable/text_helpers.h"
#include "wizard/waiting.h"
#include "wizard/wizard_state.h"

int LoadTableString(int id, char* buffer)
{
    buffer[0] = '\0';
    return LoadStringA(g_wizard.instance, static_cast<UINT>(id), buffer,
                       static_cast<int>(kTextCapacity));
}

namespace {

int ShowMessageOwnedBy(HWND owner, const char* text, UINT flags)
{
    char caption[kTextCapacity] = " ";
    char title[kTextCapacity];
    LoadTableString(IDS_WIZARD_CAPTION, title);
    AppendText(caption, title);
    return MessageBoxA(owner, text, caption, flags);
}

}  // namespace

int ShowMessage(const char* text, UINT flags)
{
    return ShowMessageOwnedBy(g_wizard.mainWindow, text, flags);
}

int ShowUnownedMessage(const char* text, UINT flags)
{
    return ShowMessageOwnedBy(nullptr, text, flags);
}

int ReportError(int stringId, const char* name, bool cannotContinue)
{
    if (g_wizard.package != INVALID_HANDLE_VALUE) {
        CloseHandle(g_wizard.package);
        g_wizard.package = INVALID_HANDLE_VALUE;
    }
    char message[kTextCapacity];
    char sentence[kTextCapacity];
    char text[kTextCapacity];
    LoadTableString(stringId, message);
    if (cannotContinue)
        LoadTableString(IDS_CANNOT_CONTINUE, sentence);
    ComposeErrorText(text, name, message, cannotContinue ? sentence : nullptr);
    EndWaitCursor();
    ShowMessage(text, MB_OK | MB_ICONHAND);
    return 0;
}
