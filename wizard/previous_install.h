#pragma once
// Finding an earlier installation and removing it with its uninstaller.

// Whether the installed product is running (a setup kind without options
// does not ask).
bool ProductIsRunning();

// Returns 1 to go on with the wizard, 0 to close it (the user kept the
// installed copy, or its uninstaller did not remove it).
int CheckPreviousInstall();
