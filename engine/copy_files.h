#pragma once
// The copy step: every listed file from the temp folder to its target
// folder, under the rules for protected libraries, versions, fonts and files
// in use.
#include "engine/install_job.h"

// Copies the job's target lines and leaves in its recorded files the lines
// that the uninstaller's records list. Returns 1 when every line is done; 0 after a reported error or a cancel,
// both of which have rolled the installation back.
int CopyFiles(InstallJob& job);
