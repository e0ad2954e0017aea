#pragma once
// The finish page, the data left for the next start of Windows, and the
// choice between restarting now and later.

// Shows the finish page (page 8) and, when files wait for the restart,
// writes the restart data and offers the restart choice.
void ShowFinishPage();

// Restarts Windows when "restart now" is checked, else reminds the user;
// the main form closes either way.
void RestartOrRemind();
