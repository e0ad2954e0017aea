#pragma once
// The desktop shortcut to the product, and the shell notice that closes the
// install's shell work.

// The link to the expanded information line 8, when chkShortcut is checked
// and the install is not a system install; records "Shortcut" = "1". osCode
// is the runtime's system code (below 2: Windows 95, whose desktop is always
// the user's).
void CreateDesktopShortcut(int osCode);

// Tells the shell that associations changed and repaints the desktop.
void NotifyShellAndRepaintDesktop();
