#pragma once
// The progress window: the form built from the "Uninstall" template, the
// texts it shows and its one button (Cancel until the removal starts). It
// closes with the closing message's OK: one ending, not two.
#include <windows.h>

// Builds and shows the window whose caption names the product; false when
// it cannot be created.
bool OpenUninstallWindow(const char* productName);
HWND UninstallWindow();

void ShowStatus(int stringId);
// Sets the bar to done * 100 / total and waits until it shows it.
void ShowProgress(unsigned done, unsigned total);

// Gives the user a moment to cancel before anything changes; true when the
// removal may start. The button is disabled afterwards.
bool OfferCancel();
// Starts the removal at once (the wizard has asked already).
void BeginRemoval();
void CloseUninstallWindow();
