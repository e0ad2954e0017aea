#pragma once
// How a run of the installer or the uninstaller ended, told by its exit code
// in the system installer's convention, which deployment tools read.

constexpr unsigned kExitDone = 0;
constexpr unsigned kExitRestartStarted = 1641;      // done; the user chose to restart now
constexpr unsigned kExitRestartNeeded = 3010;       // done; the next start finishes it, none was started
constexpr unsigned kExitCancelled = 1602;           // the user left; the machine is as before
constexpr unsigned kExitFailed = 1603;              // an error ended the run; rolled back
constexpr unsigned kExitAnotherRun = 1618;          // another install of the product is running
constexpr unsigned kExitBadCommandLine = 1639;
constexpr unsigned kExitProductRunning = 10030;     // the product is running: try again later
