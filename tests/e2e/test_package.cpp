#include "test_package.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "e2e_fixture.h"
#include "engine/portable/package_format.h"
#include "engine/portable/package_writer.h"
#include "test_environment.h"
#include "wizard/control_ids.h"

const char kTestProductFolder[] = "Kestrel Test";

namespace {

constexpr std::size_t kHeaderSize = 28;

std::string Uninstaller() { return ReadBytes(BuildFile("fake_uninstaller.exe")); }

struct ListedFile {
    std::string folder;
    std::string name;
    std::size_t size;
};

std::string ListFile(const std::vector<ListedFile>& files, uint32_t progressTotal, int setupKind)
{
    std::string text = "Tipus=" + std::to_string(setupKind) + "\r\nTitol=Kestrel Test\r\nProducte=Kestrel Test\r\nVersio=1.0\r\nCarpeta=";
    text += kTestProductFolder;
    text += "\r\nSistema=0\r\nReservat=\r\nBenvinguda=Prova\r\nIdioma=Catala\r\nClau=KestrelTest\r\n";
    text += "Total=" + std::to_string(progressTotal) + "\r\nFitxers=" + std::to_string(files.size()) + "\r\n";
    for (const ListedFile& file : files)
        text += "Fitxer=" + file.folder + "," + file.name + "," + std::to_string(file.size) + ",,,1,1,0\r\n";
    text += "Registre=0\r\nGrup=0\r\nAssociacions=0\r\nDrecera=\r\nMissatge=\r\nDesinstal=Kestrel Test\r\n";
    return text;
}

void Append(std::vector<unsigned char>& package, const std::string& bytes)
{
    EntryHeader header = {0x20, 0, 0, 0};
    AppendEntryRecord(package, header, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 1);
}

}  // namespace

uint32_t HonestTotal(const std::vector<PackagedFile>& files)
{
    std::size_t total = SampleLogo().size() + Uninstaller().size() + 2 * kHeaderSize;
    for (const PackagedFile& file : files)
        total += file.bytes.size() + kHeaderSize;
    return static_cast<uint32_t>(total);
}

namespace {

std::vector<unsigned char> PackageHead(const std::vector<ListedFile>& files, uint32_t progressTotal, int setupKind,
                                       const std::string& logo)
{
    std::vector<unsigned char> package = StartPackage(2);
    Append(package, ListFile(files, progressTotal, setupKind));
    Append(package, logo);
    Append(package, Uninstaller());
    return package;
}

}  // namespace

std::string SampleLogo()
{
    return ReadBytes(BuildFile("sample\\files\\AppLogo.bmp"));
}

std::string WriteTestPackage(const std::vector<PackagedFile>& files, uint32_t progressTotal, int setupKind,
                             const std::string& logo)
{
    std::vector<ListedFile> listed;
    for (const PackagedFile& file : files)
        listed.push_back({file.folder, file.name, file.bytes.size()});
    std::vector<unsigned char> package = PackageHead(listed, progressTotal, setupKind, logo);
    for (const PackagedFile& file : files)
        Append(package, file.bytes);
    return WritePackage("test.001", std::string(package.begin(), package.end()));
}

std::string TestPackageHead(const std::string& folder, const std::string& name, uint32_t size)
{
    std::size_t total = SampleLogo().size() + Uninstaller().size() + 2 * kHeaderSize + size + kHeaderSize;
    std::vector<unsigned char> package =
        PackageHead({{folder, name, size}}, static_cast<uint32_t>(total), 1, SampleLogo());
    return std::string(package.begin(), package.end());
}

bool AgreeToCancel(WizardSession& session, const char* screenshot)
{
    MessageBoxSeen question = session.WaitForMessageBox();
    if (question.box == nullptr || question.text != TableString(10032))
        return false;
    session.Answer(question, IDYES);
    MessageBoxSeen cancelled = session.WaitForMessageBox();
    if (cancelled.box == nullptr || cancelled.text != TableString(10064) ||
        session.Text(stcCurrentTask) != TableString(10061))
        return false;
    if (screenshot != nullptr)
        session.SaveScreenshot(cancelled.box, screenshot);
    session.Answer(cancelled, IDOK);
    return true;
}

std::string TestProductDestination()
{
    return ShellFolder(CSIDL_PROGRAM_FILES) + "\\" + kTestProductFolder;
}

std::string BigTestPackage()
{
    std::vector<PackagedFile> files = {{"<AppDir>\\Data", "Big.bin", IncompressibleBytes(4 << 20)}};
    return WriteTestPackage(files, HonestTotal(files));
}

void RemoveTestProduct()
{
    DeleteTree(TestProductDestination());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TWC Products\\KestrelTest");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KestrelTest");
}

std::string IncompressibleBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    uint32_t state = 2463534242u;
    for (char& byte : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state);
    }
    return bytes;
}

namespace {

// The page frame that is showing, or 0.
int ShownPage(const WizardSession& session)
{
    for (int page : {grpWelcomePage, grpDestinationPage, grpUserPage, grpGroupPage, grpOptionsPage, grpSummaryPage}) {
        if (session.IsShown(page))
            return page;
    }
    return 0;
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM texts)
{
    char text[MAX_PATH] = "";
    GetWindowTextA(child, text, sizeof text);
    *reinterpret_cast<std::string*>(texts) += std::string(text) + "|";
    return TRUE;
}

// Every text that the window's children show, each followed by "|".
std::string ChildTexts(HWND window)
{
    std::string texts = "|";
    EnumChildWindows(window, AppendChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

}  // namespace

HWND WaitForBrowser(WizardSession& session, const std::string& toBeUsed)
{
    HWND browser = nullptr;
    char caption[MAX_PATH] = "";
    bool shown = WaitUntil([&] {
        browser = OwnedPopup(session.main());
        if (browser != nullptr)
            GetWindowTextA(browser, caption, sizeof caption);
        return browser != nullptr && caption == " " + TableString(10057) &&
               ChildTexts(browser).find("|" + toBeUsed + "|") != std::string::npos;
    }, 30000);
    return shown ? browser : nullptr;
}

void CloseBrowser(HWND browser, int button)
{
    PostMessageA(browser, WM_COMMAND, button, 0);
    WaitUntil([&] { return !IsWindowVisible(browser); }, 10000);
}

std::string FolderToBeUsed(HWND browser, const std::string& name)
{
    std::string texts = ChildTexts(browser);
    std::size_t end = texts.find("\\" + name + "|");
    if (end == std::string::npos)
        return "";
    std::size_t start = texts.rfind('|', end) + 1;
    return texts.substr(start, end + 1 + name.size() - start);
}

void SelectNextFolder(HWND browser)
{
    PostMessageA(FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr), WM_KEYDOWN, VK_DOWN, 0);
}

bool WalkToSummary(WizardSession& session)
{
    if (!session.Start() || session.WaitForMainWindow() == nullptr
        || !session.WaitForText(btnCancel, TableString(10031)))
        return false;
    // The options page shows only when it has something to offer.
    for (int page = ShownPage(session); page != grpSummaryPage;) {
        if (page == grpUserPage)
            session.Type(edtUserName, "Anna Puig");
        session.Click(btnNext);
        if (!WaitUntil([&] { return ShownPage(session) != page && ShownPage(session) != 0; }, 30000))
            return false;
        page = ShownPage(session);
    }
    return true;
}

bool StartTestInstall(WizardSession& session)
{
    if (!WalkToSummary(session))
        return false;
    session.Click(btnNext);
    return session.WaitForText(stcCurrentTask, TableString(10039), 60000);
}

void CloseFromOutside(WizardSession& session)
{
    PostMessageA(session.main(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool EndsSoonAfterItsWindow(WizardSession& session)
{
    if (!WaitUntil([&] { return !IsWindow(session.main()); }, 60000))
        return false;
    return session.WaitForExit(5000) != STILL_ACTIVE;
}
