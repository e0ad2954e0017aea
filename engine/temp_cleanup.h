#pragma once
// What the wizard leaves behind when its main window goes.
#include "engine/portable/install_model.h"

// Deletes the logo unpacked into the temp folder: a run that ends between
// unpacking the logo and loading it would leave it.
void DeleteUnpackedLogo(const char* temp);

// Deletes the listed files still in the temp folder, and the logo.
void CleanUpTemp(const char* temp, const InstallModel& model);
