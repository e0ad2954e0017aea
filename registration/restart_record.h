#pragma once
// The restart record: when files wait for the restart, the libraries to
// register then and the uninstaller's run-once command, each noted in the
// run's journal; always under HKEY_LOCAL_MACHINE.
#include "engine/install_job.h"

void WriteRestartData(InstallJob& job);
