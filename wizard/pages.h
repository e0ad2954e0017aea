#pragma once
// The wizard's pages: frames of the main form shown in turn, driven by
// Previous, Next and Cancel.
#include <windows.h>

// Fills in the pages' defaults from the list file and the registry (once,
// when the package has been read).
void FillPageDefaults();

// Shows the page given by the page number.
void ShowPage();

// Button handlers of the main form; each returns 1.
int OnNextClicked();
int OnPreviousClicked();
int OnCancelClicked();
int OnBrowseClicked();
int OnGroupCheckClicked();

// Runs the folder browser for the destination folder.
void BrowseForDestination();

// Opens a link label's text: as a mail address or as a web address.
void OpenLink(HWND label, bool asEmail);
