#pragma once
// The system as the pages' defaults read it: the registry and the Windows
// and system folders.
#include "wizard/portable/page_start.h"

SystemFacts ReadSystemFacts(int osCode, RootCode installRoot);
