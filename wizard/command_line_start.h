#pragma once
// What the command line asks of the run: read once at the start, then the
// answers it gives are written over the pages' defaults.
#include "wizard/portable/page_start.h"

// Reads the program's command line into the wizard's state. False when the
// run ends here, with its exit code set: after showing the switches (/?), or
// after refusing an argument.
bool ReadCommandLine(const char* commandLine);

// Writes the answers of the answers file (/LOADINF) and of the switches over
// the pages' defaults. False after a reported refusal: the run ends.
bool ApplyStartAnswers(PageStart& start);

// Writes the answers the install goes on with to the file /SAVEINF names.
void SaveAnswers();
