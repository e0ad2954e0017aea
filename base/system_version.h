#pragma once
// The operating-system code of the system this program runs on, asked once:
// every program and subsystem takes it from here and hands it down.
#include "base/portable/os_code.h"

int SystemOsCode();
