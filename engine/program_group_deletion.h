#pragma once
// Deleting a program group through the program manager, the same server the
// install made it with.

// Sends [DeleteGroup("name")] to "PROGMAN" and waits for its answer. False
// when no server answers or it refuses; the caller then removes the group's
// folder itself.
bool DeleteProgramGroup(const char* groupName);
