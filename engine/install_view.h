#pragma once
// What the install steps show the user and how they wait. The wizard
// implements it over its form, letting messages through its waits; a test
// implements it in a few lines without a window, and may skip the pauses.
#include <windows.h>

#include "engine/portable/list_file.h"

struct InstallView {
    // The status line, from the string table.
    virtual void ShowTask(int stringId) = 0;
    // The line under it: the file at hand, or a second text.
    virtual void ShowFile(const char* text) = 0;
    // Sets the bar and returns when it shows the percentage.
    virtual void ShowBar(int percent) = 0;
    // The file line and the bar together; hidden when a step is done with them.
    virtual void ShowProgress(bool shown) = 0;
    virtual void EnableCancel(bool enabled) = 0;
    // The wait cursor over the window while a step cannot be interrupted.
    virtual void ShowBusy(bool busy) = 0;
    // One of the install's paced waits; with dispatch, messages are handled meanwhile.
    virtual void Pause(DWORD milliseconds, bool dispatch) = 0;
    // What the list file says about the window: its title, whether the
    // toolset is offered. Shown as soon as it is read, damaged or not.
    virtual void ShowListFile(const ListFileContent& content) = 0;
    // Handles the messages that are waiting, so that the window stays alive
    // between two pieces of work and a Cancel can land.
    virtual void DispatchWaiting() = 0;

protected:
    ~InstallView() = default;
};
