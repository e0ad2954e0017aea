#pragma once
// The product's four document kinds: each chosen kind opens in the product,
// shows its icon, loses Explorer's remembered choice and is recorded for the
// uninstaller.
#include "engine/install_job.h"

// Registers every kind the job chose and records "Associate" n and "Associations".
void WriteAssociations(InstallJob& job);

// Records "Associate" n = extension in the uninstall record under the install
// root and resets the user's Explorer choice for the extension. Returns the
// recording's result.
int ResetExplorerChoice(Journal& journal, RootCode installRoot, const char* recordKey, const char* extension, int n);

// The four HKEY_CLASSES_ROOT values of one kind; iconIndex is "," and a digit.
void RegisterFileType(Journal& journal, const InstallModel& model, const char* extension, const char* kindName, const char* iconIndex,
                      const char* programPath);
