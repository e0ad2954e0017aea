#pragma once
// Saves a window's image as a PNG file, for looking at forms after a run.
#include <windows.h>

#include <string>

// Captures the window from the screen and writes it to the path; false on failure.
bool SaveWindowPng(HWND window, const std::string& path);
// The folder for test artifacts (INSTAL_ARTIFACTS, else the current folder), created when missing.
std::string ArtifactFolder();
