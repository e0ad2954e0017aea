#pragma once
// Kestrel's frame and its documents: the frame's menu commands, one MDI
// child per open document, the About form, and the documents that a second
// start of Kestrel hands over.
#include <windows.h>

#include <string>
#include <vector>

// The tag of the WM_COPYDATA block that carries a packed document list.
constexpr ULONG_PTR kDocumentListTag = 0x4B535444;   // "KSTD"

// Creates the frame (the main form); nullptr when it could not be made.
HWND OpenFrame();
// The frame while it exists, else nullptr; it owns Kestrel's message boxes.
HWND FrameWindow();
// Opens the document as a child of the frame; a missing, unreadable or too
// large document is reported and gives nullptr.
HWND OpenDocument(const std::string& path);
// Shows the About form modally over the frame; its result (IDOK).
LRESULT ShowAbout();
// Hands the documents to the running copy whose frame this is; false when
// it did not take them.
bool HandToRunningCopy(HWND runningFrame, const std::vector<std::string>& documents);
