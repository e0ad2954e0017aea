#pragma once
// Packages of a small test product ("Kestrel Test") with files of the test's
// choosing, for runs that need more than the sample offers.
#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

struct PackagedFile {
    std::string folder;   // the file line's target folder, macros included
    std::string name;
    std::string bytes;
};

// The destination folder's name under the program-files folder.
extern const char kTestProductFolder[];

// Honest progress total of a package with these files.
uint32_t HonestTotal(const std::vector<PackagedFile>& files);

// The sample product's logo picture.
std::string SampleLogo();

// Writes the package into the temp folder and returns its path. The list
// file states the given progress total and setup kind; the logo entry holds
// the given bytes.
std::string WriteTestPackage(const std::vector<PackagedFile>& files, uint32_t progressTotal, int setupKind = 1,
                             const std::string& logo = SampleLogo());

// The package up to its one listed file's entry, which the caller appends:
// the list file names the file with its size, and an honest total.
std::string TestPackageHead(const std::string& folder, const std::string& name, uint32_t size);

// Bytes that do not compress, so a package's size is the file's.
std::string IncompressibleBytes(std::size_t size);

// The test product's destination folder under the program-files folder.
std::string TestProductDestination();
// A package whose one file, Data\Big.bin, takes seconds to copy on any
// machine: its 4 MiB are copied in 256 chunks with a pause after each.
std::string BigTestPackage();
// Removes what an install of the test product leaves: its folder and its
// registry records.
void RemoveTestProduct();

class WizardSession;
// From the welcome page to the summary of the test product's wizard.
bool WalkToSummary(WizardSession& session);
// From the welcome page into the copy of the files.
bool StartTestInstall(WizardSession& session);
// Yes to the question whether to leave during the copy, then OK to the
// message that the install was cancelled and rolled back (saved as the
// screenshot when named); false when either did not come as it should.
bool AgreeToCancel(WizardSession& session, const char* screenshot = nullptr);
// The folder browser that Browse opens over the wizard, once it shows the
// folder to be used; nullptr when it did not come.
HWND WaitForBrowser(WizardSession& session, const std::string& toBeUsed);
// Presses the browser's button (IDOK or IDCANCEL) and waits until it is gone.
void CloseBrowser(HWND browser, int button);
// The folder that the browser shows as the one to be used, when it ends
// with the name; "" while it shows none.
std::string FolderToBeUsed(HWND browser, const std::string& name);
// Presses Down in the browser's folder tree: the next folder is selected.
void SelectNextFolder(HWND browser);
// Asks the wizard's window to close as Alt+F4 and the taskbar do.
void CloseFromOutside(WizardSession& session);
// True when the process ended within a few seconds of its window going.
bool EndsSoonAfterItsWindow(WizardSession& session);
