#pragma once
// The folder into which the package is unpacked.

// Writes the system's temporary folder, in short form and without a
// trailing backslash, into a 260-byte buffer.
void GetTempFolder(char* buffer);
