#pragma once
// Wine's settings for Instal.exe alone (its per-program defaults), made for
// one test and taken back at its end. Wine reads them when a process starts.
#include <string>
#include <utility>
#include <vector>

class WizardWineSettings {
public:
    WizardWineSettings() = default;
    ~WizardWineSettings();
    WizardWineSettings(const WizardWineSettings&) = delete;
    WizardWineSettings& operator=(const WizardWineSettings&) = delete;

    // The Windows version that Wine reports to the wizard ("win98", ...).
    bool ReportVersion(const char* version);
    // Makes Wine look for the library as Windows looks for one that is not a
    // known library: first in the program's folder, then in the system's.
    bool SearchLikeWindows(const char* library);

private:
    bool Set(const char* subkey, const char* name, const char* value);

    std::vector<std::pair<std::string, std::string>> made_;   // subkey, value name
};
