#pragma once
// What the engine tests share: a stand-in main window, the work buffers, a
// temp folder and a target folder of their own under the system's temporary
// folder, an empty file list, and helpers for the test libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "message_box_catcher.h"
#include "test_environment.h"

class EngineTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a file line and counts it as an entry.
    void AddFileLine(const std::string& line);
    void PutInTemp(const std::string& name, const std::string& bytes);
    std::string TempPath(const std::string& name) const { return temp_ + "\\" + name; }
    std::string TargetPath(const std::string& name) const { return target_ + "\\" + name; }

    std::string root_;     // everything a test makes lies below this folder
    std::string temp_;     // stands for the temp folder that the package was unpacked into
    std::string target_;   // an existing target folder
    MessageBoxCatcher boxes_;
};

// The fonts' registry keys on the two families, the value the host's DejaVu
// Sans font gets there, the host's font folder and Windows' own.
constexpr char kNtFonts[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char k9xFonts[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
constexpr char kFontValue[] = "Led Display Normal (TrueType)";
constexpr char kHostFonts[] = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\";
std::string FontsFolder();

// The bytes of a library that the build puts beside the test program.
std::string TestLibrary(const char* name);
std::string TestLibraryPath(const char* name);
// The long form of an existing path, for comparisons.
std::string LongForm(const std::string& path);
// The error report's text as the user sees it: "name: message cannot-continue".
std::string ErrorText(const char* name, int stringId);
