#pragma once
// What the wizard leaves behind when its main window goes.
#include "engine/install_job.h"

// Deletes the logo unpacked into the temp folder: a run that ends between
// unpacking the logo and loading it would leave it.
void DeleteUnpackedLogo(const char* temp);

// Deletes the unpacked files still in the temp folder and destroys every
// string list of the model and of the job.
void CleanUpTemp(const char* temp, InstallModel& model, InstallJob& job);
