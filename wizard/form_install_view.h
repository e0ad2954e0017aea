#pragma once
// The install steps' view over the main form: the status line, the file
// line, the bar and Cancel of the progress frame, the wait cursor, and waits
// that let messages through as the wizard's always have.
#include "engine/install_view.h"

InstallView& FormInstallView();
