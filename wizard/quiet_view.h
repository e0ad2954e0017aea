#pragma once
// The install steps' view in a run without pages: with /SILENT a small
// window of its own shows the current task, the bar and Cancel (which asks
// nothing); with /VERYSILENT nothing shows at all. Its pauses do not wait:
// they serve a person watching, and nobody is.
#include "engine/install_view.h"

// The view; `shown` makes its window (once), else it stays windowless.
InstallView& QuietInstallView(bool shown);

// Destroys the window, when there is one.
void CloseQuietWindow();
