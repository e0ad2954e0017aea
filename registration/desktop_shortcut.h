#pragma once
// The desktop shortcut to the product, and the shell notice that closes the
// install's shell work.
#include "engine/install_job.h"

// The link to the expanded information line 8, when the job chose one and
// the install is not a system install; records "Shortcut" = "1". On Windows
// 95 the desktop is always the user's.
void CreateDesktopShortcut(InstallJob& job);

// Tells the shell that associations changed and repaints the desktop.
void NotifyShellAndRepaintDesktop();
