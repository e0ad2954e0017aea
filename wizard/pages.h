#pragma once
// Moving between the wizard's pages.

// Moves the wizard on to its next page.
void EnterNextPage();
