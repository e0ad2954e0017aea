#include "base/messages.h"

#include "base/portable/text_helpers.h"
#include "base/waiting.h"

namespace {

MessageContext g_context;

HWND CurrentOwner()
{
    return g_context.owner != nullptr ? g_context.owner() : nullptr;
}

int ShowMessageOwnedBy(HWND owner, int messageId, const char* text, UINT flags)
{
    int answer;
    if (g_context.answerWithoutBox != nullptr) {
        answer = g_context.answerWithoutBox(text, flags);
    } else {
        char caption[kTextCapacity] = " ";
        char title[kTextCapacity];
        LoadTableString(g_context.captionId, title);
        AppendText(caption, title);
        answer = MessageBoxA(owner, text, caption, flags);
    }
    if (g_context.afterBox != nullptr)
        g_context.afterBox(messageId, text, answer);
    return answer;
}

}  // namespace

void SetMessageContext(const MessageContext& context)
{
    g_context = context;
}

int LoadTableString(int id, char* buffer, int capacity)
{
    buffer[0] = '\0';
    return LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, capacity);
}

int ShowMessage(int messageId, const char* text, UINT flags)
{
    return ShowMessageOwnedBy(CurrentOwner(), messageId, text, flags);
}

int ShowUnownedMessage(int messageId, const char* text, UINT flags)
{
    return ShowMessageOwnedBy(nullptr, messageId, text, flags);
}

int ReportError(int stringId, const char* name, bool cannotContinue)
{
    if (g_context.beforeError != nullptr)
        g_context.beforeError();
    char message[kTextCapacity];
    char sentence[kTextCapacity];
    // Room for a name as long as a path may be and both texts whole.
    char text[4 * kTextCapacity];
    LoadTableString(stringId, message);
    if (cannotContinue)
        LoadTableString(g_context.cannotContinueId, sentence);
    ComposeErrorText(text, name, message, cannotContinue ? sentence : nullptr, sizeof text);
    EndWaitCursor();
    ShowMessage(stringId, text, MB_OK | MB_ICONHAND);
    return 0;
}
