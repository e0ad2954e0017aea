#pragma once
// The finish page and the choice between restarting now and later.

// Shows the finish page (page 8) and, when files wait for the restart,
// offers the restart choice.
void ShowFinishPage();

// Restarts Windows when "restart now" is checked, else reminds the user;
// the main form closes either way.
void RestartOrRemind();
