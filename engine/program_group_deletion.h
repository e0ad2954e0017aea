#pragma once
// Deleting a program group: through the program manager, the same server the
// install made it with, or directly as the folder it keeps the group in.
#include <string>
#include <vector>

// Sends [DeleteGroup("name")] to "PROGMAN" and waits for its answer. False
// when no server answers or it refuses; the caller then removes the group's
// folder itself.
bool DeleteProgramGroup(const char* groupName);

// The folder of the group of that name in the user's programs folder, or
// else in the common one: false when neither holds it.
bool FindProgramGroupFolder(const char* groupName, std::string& folder);

// True when the group's folder holds nothing but links with these titles.
bool GroupHoldsOnly(const std::string& folder, const std::vector<std::string>& itemTitles);

// Deletes the links with these titles from the group's folder, and the
// folder when that leaves it empty.
void RemoveGroupLinks(const std::string& folder, const std::vector<std::string>& itemTitles);
