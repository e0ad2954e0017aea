#pragma once
// What the wizard leaves behind when its main window goes.

// Deletes the unpacked files still in the temp folder, destroys every
// string list of the install and releases the work buffers.
void CleanUpTemp();
