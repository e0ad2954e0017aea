#pragma once
// The registry step after the copy: the product's settings, the list file's
// registry values, the listed libraries' registrations, the uninstall
// record, the user's details and the system's uninstall entry, then the
// file associations.
#include "engine/install_job.h"
#include "registration/portable/registry_line.h"
#include "base/registry.h"

// Splits a registry line and expands the macro at the start of its data
// ("<AppDir>" is the destination). Returns the line's root code, or 0 when
// the line is to be skipped (no "@", no leading macro, or a root that reads
// as 0).
RootCode ParseRegistryLine(const char* line, const char* destination, RegistryLine& parsed);

// Runs the whole step for the job, the bar following the lines handled.
void UpdateRegistry(InstallJob& job);
