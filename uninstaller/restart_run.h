#pragma once
// The run at the next start (" /R K"): the libraries that could only be
// replaced at the restart are registered, and the restart data goes.

// Silent unless something fails (then one message names what failed).
void RunRestartWork(const char* productKey);
