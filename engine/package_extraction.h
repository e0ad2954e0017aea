#pragma once
// Unpacking the whole data package at start-up.

// Opens "_Data.001" in the current directory, unpacks and reads the list
// file, unpacks the logo into the temp folder, the uninstaller and its
// second copy into the Windows directory and every listed file into the
// temp folder. Returns non-zero on success, when the wizard moves on to its
// next page; 0 after a reported failure, or silently after a cancel.
int ExtractPackage();
