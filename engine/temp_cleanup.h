#pragma once
// What the wizard leaves behind when its main window goes.

// Deletes the logo unpacked into the temp folder: a run that ends between
// unpacking the logo and loading it would leave it.
void DeleteUnpackedLogo(const char* temp);

// Deletes the unpacked files still in the temp folder, destroys every
// string list of the install and releases the work buffers.
void CleanUpTemp();
