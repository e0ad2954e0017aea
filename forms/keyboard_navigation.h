#pragma once
// The keyboard interface of a form: focus order, Tab and arrow navigation,
// Enter and Escape, mnemonics, and the default push button and its look.
#include "forms/object_record.h"

// Controls that never keep the focus: they hand it on to the next one.
bool HandsFocusOn(int kind);
// On the form's WM_SETFOCUS: a form without a focus window chooses one.
void ApplyFormFocusRule(ObjectRecord* form);
// The first eligible control from the start index in ControlIndex order,
// wrapping; the form's own window when there is none. By arrow keys option
// buttons are eligible and pressed; with optionGroup an option button stands
// for the checked one among its siblings.
HWND NextFocus(const ObjectRecord* form, int start, bool backward, bool byArrows, bool optionGroup);
// NavigateKey at a form: Tab, an arrow, Enter or Escape from the sender.
void NavigateForm(ObjectRecord* form, int key, HWND sender);
// SC_KEYMENU at the window: the control whose mnemonic is the character,
// pressed or focused; nullptr when none matched.
HWND ApplyMnemonicRule(HWND window, int character);
// DM_SETDEFID at a form; 0 leaves it without a default button.
void ApplyDefaultButtonRule(ObjectRecord* form, int identifier);
// Shows or removes the default-button look of a push button.
void ShowDefaultLook(HWND button, bool on);
// FocusChanged at a form: as in system dialogs, a focused push button looks
// default, else the form's default button does.
void ApplyDefaultLookRule(ObjectRecord* form, HWND newFocus);
