#pragma once
// The string table and the message-box helpers through which every question
// and error of a program passes. Each program tells them its caption, its
// cannot-continue sentence and the window that owns its boxes.
#include <windows.h>

#include "base/portable/text_helpers.h"

struct MessageContext {
    int captionId;             // every box's caption: one space and this string
    int cannotContinueId;      // the sentence that ends an error the program cannot get past
    HWND (*owner)();           // the window that owns the boxes; nullptr: none
    void (*beforeError)();     // runs before an error is shown (may be nullptr)
    // A run without a person answers every box itself: given the text and the
    // box's flags, it returns the button chosen and no box shows (nullptr:
    // the boxes show).
    int (*answerWithoutBox)(const char* text, UINT flags) = nullptr;
    // Told of every box's message number, text and the button chosen (may
    // be nullptr).
    void (*afterBox)(int messageId, const char* text, int answer) = nullptr;
};

void SetMessageContext(const MessageContext& context);

// Loads the string of the program's own table into a buffer of the
// capacity (260 bytes unless told); returns its length (0 and an empty buffer
// for an identifier without text). A longer text is cut to the capacity.
int LoadTableString(int id, char* buffer, int capacity = kTextCapacity);

// The number of a message whose text is not the program's (the list file's
// closing message).
constexpr int kNotATableString = 0;

// A message box owned by the program's window, with the program's caption.
// The message is known by the number of the table string its text begins
// with (a log names it by that number).
int ShowMessage(int messageId, const char* text, UINT flags);
// The same box standing alone on the desktop, for when the window is hidden.
int ShowUnownedMessage(int messageId, const char* text, UINT flags);

// Runs the program's before-error step, shows "name: text[ cannot-continue]"
// with the stop icon and returns 0.
int ReportError(int stringId, const char* name, bool cannotContinue);
