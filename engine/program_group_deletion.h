#pragma once
// A program group as the folder the program manager keeps it in: for
// deleting it directly where the program manager does not.
#include <string>
#include <vector>

// The folder of the group of that name in the user's programs folder, or
// else in the common one: false when neither holds it.
bool FindProgramGroupFolder(const char* groupName, std::string& folder);

// True when the group's folder holds nothing but links with these titles.
bool GroupHoldsOnly(const std::string& folder, const std::vector<std::string>& itemTitles);

// Deletes the links with these titles from the group's folder, and the
// folder when that leaves it empty.
void RemoveGroupLinks(const std::string& folder, const std::vector<std::string>& itemTitles);
