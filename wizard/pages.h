#pragma once
// The wizard's pages: frames of the main form shown in turn, driven by
// Previous, Next and Cancel.
#include <windows.h>

// Fills the user's answers with their defaults from the list file and the
// system, then with those the command line gives, and shows them on the
// pages (once, when the package has been read). False when an answer was
// refused: the run ends.
bool FillPageDefaults();

// Keeps the answer of a control the user changed in the answers record.
void RecordChoice(int controlId);

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
