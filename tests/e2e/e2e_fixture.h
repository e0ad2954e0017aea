#pragma once
// What every end-to-end run shares: the sample package, the checks made
// after each run, the wizard's fixed texts and the installed product.
#include <gtest/gtest.h>

#include <string>

#include "message_box_catcher.h"
#include "wizard_session.h"

// The system's temporary folder, with its trailing backslash.
std::string TempFolder();
// The sample package built with the program.
std::string SamplePackage();
// Writes bytes as a package file in the temp folder and returns its path.
std::string WritePackage(const std::string& name, const std::string& bytes);
// The names of the sample's files that an unpacking leaves in the temp folder.
std::string PackageFilesLeftInTemp();
// The caption every message box of the wizard carries.
std::string WizardCaption();
// The Windows family that the wizard sees, asked the way it asks: the 9x
// family (95, 98, Me), and Windows 95 itself.
bool OnWindows9x();
bool OnWindows95();

// The installed Kestrel: the class of its frame, a visible frame or nullptr,
// a document opened as a double click opens it, and closing every frame
// (true once none is left).
constexpr char kKestrelFrameClass[] = "KSRUNMDIWINDOWKestrel";
HWND VisibleKestrelFrame();
bool OpenThroughTheShell(const std::string& path);
bool CloseKestrel();

class EndToEnd : public testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(PackageFilesLeftInTemp(), "") << "the temp folder holds nothing of the package";
    }
};
