#pragma once
// The program group, made by a DDE conversation with the program manager
// that runs through the main form's message handling.
#include <windows.h>

#include "engine/install_job.h"

// Sent to the main form to start the conversation (WM_USER + 1001).
constexpr UINT kStartGroupMessage = WM_USER + 1001;

// Without a conversation an acknowledgement never comes after this long: the
// wait gives up and the install goes on.
constexpr DWORD kConversationStallMilliseconds = 10000;

// Creates the group and its items when the job's create-group flag is set,
// through a conversation that the job's window answers; returns when the
// conversation has ended, with the flag set again.
void CreateProgramGroup(InstallJob& job);

// The main form hands the start-group message and every WM_DDE_ACK here.
// Returns true when the message belonged to the conversation (answer 0).
bool HandleProgramGroupMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
