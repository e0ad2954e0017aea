#include "sample/kestrel_frame.h"

#include <commdlg.h>

#include "base/library_search.h"
#include "base/messages.h"
#include "base/portable/text_helpers.h"
#include "forms/form_lifecycle.h"
#include "forms/window_map.h"
#include "sample/kestrel_documents.h"
#include "sample/kestrel_ids.h"
#include "sample/kestrel_templates.h"
#include "sample/portable/document_arguments.h"
#include "sample/portable/document_text.h"

namespace {

// Opens the documents that another start handed over, once its send is answered.
constexpr UINT kOpenHandedDocuments = WM_APP + 1;

struct KestrelState {
    HWND frame;
    std::vector<std::string> handed;   // documents waiting for kOpenHandedDocuments
};

KestrelState g_kestrel;

HWND ClientWindow()
{
    const ObjectRecord* frame = FindRecord(g_kestrel.frame);
    return frame != nullptr ? frame->ClientWindow : nullptr;
}

void AppendMenuText(HMENU menu, UINT flags, UINT_PTR item, int textId)
{
    char text[kTextCapacity];
    LoadTableString(textId, text);
    AppendMenuA(menu, flags | MF_STRING, item, text);
}

// The runtime gives a frame without a menu an empty one; Kestrel fills it
// with texts of its own table.
void FillMenu(HMENU bar)
{
    HMENU file = CreatePopupMenu();
    AppendMenuText(file, 0, IDM_OPEN, IDS_K_MENU_OPEN);
    AppendMenuText(file, 0, IDM_CLOSE, IDS_K_MENU_CLOSE);
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuText(file, 0, IDM_EXIT, IDS_K_MENU_EXIT);
    AppendMenuText(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), IDS_K_MENU_FILE);
    HMENU help = CreatePopupMenu();
    AppendMenuText(help, 0, IDM_ABOUT, IDS_K_MENU_ABOUT);
    AppendMenuText(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), IDS_K_MENU_HELP);
}

// The common dialog library is not one that Windows always takes from its
// own folder, so it is bound from there by full path when first needed.
BOOL ShowOpenDialog(OPENFILENAMEA& choice)
{
    using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEA*);
    static GetOpenFileNameFunction show = nullptr;
    if (show == nullptr) {
        HMODULE library = LoadSystemLibrary("comdlg32.dll");
        if (library != nullptr)
            show = reinterpret_cast<GetOpenFileNameFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameA")));
    }
    return show != nullptr && show(&choice);
}

void ChooseAndOpenDocument()
{
    char filter[kTextCapacity];
    LoadTableString(IDS_K_OPEN_FILTER, filter);
    for (char* c = filter; *c != '\0'; ++c) {
        if (*c == '|')
            *c = '\0';
    }
    char path[MAX_PATH] = "";
    OPENFILENAMEA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = g_kestrel.frame;
    choice.lpstrFilter = filter;
    choice.lpstrFile = path;
    choice.nMaxFile = sizeof path;
    choice.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (ShowOpenDialog(choice))
        OpenDocument(path);
}

void CloseActiveDocument()
{
    HWND active = reinterpret_cast<HWND>(SendMessageA(ClientWindow(), WM_MDIGETACTIVE, 0, 0));
    if (active != nullptr)
        SendMessageA(active, WM_CLOSE, 0, 0);
}

LRESULT OnCommand(HWND frame, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDM_OPEN:
        ChooseAndOpenDocument();
        return 1;
    case IDM_CLOSE:
        CloseActiveDocument();
        return 1;
    case IDM_EXIT:
        PostMessageA(frame, WM_CLOSE, 0, 0);
        return 1;
    case IDM_ABOUT:
        ShowAbout();
        return 1;
    default:
        return 0;
    }
}

// The sender waits for this answer, so the documents open afterwards:
// a message box about one of them must not hold the other start.
LRESULT OnCopyData(HWND frame, const COPYDATASTRUCT* data)
{
    if (data == nullptr || data->dwData != kDocumentListTag || data->lpData == nullptr)
        return 0;
    for (std::string& name : UnpackDocumentList(static_cast<const char*>(data->lpData), data->cbData))
        g_kestrel.handed.push_back(name);
    PostMessageA(frame, kOpenHandedDocuments, 0, 0);
    return 1;
}

void OpenHandedDocuments(HWND frame)
{
    std::vector<std::string> documents;
    documents.swap(g_kestrel.handed);
    if (IsIconic(frame))
        ShowWindow(frame, SW_RESTORE);
    SetForegroundWindow(frame);
    for (const std::string& path : documents)
        OpenDocument(path);
}

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_kestrel.frame = frame;
        FillMenu(GetMenu(frame));
        DrawMenuBar(frame);
        return 0;
    case WM_COMMAND:
        return OnCommand(frame, wParam);
    case WM_COPYDATA:
        return OnCopyData(frame, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kOpenHandedDocuments:
        OpenHandedDocuments(frame);
        return 1;
    case WM_DESTROY:
        g_kestrel.frame = nullptr;
        g_kestrel.handed.clear();
        return 0;
    default:
        return 0;
    }
}

// The text box fills the document's form.
LRESULT CALLBACK DocumentProcedure(HWND document, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE && wParam != SIZE_MINIMIZED)
        MoveWindow(GetDlgItem(document, txtDocument), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
}

LRESULT CALLBACK AboutProcedure(HWND about, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == btnAboutOk && HIWORD(wParam) == BN_CLICKED) {
        EndModalForm(about, IDOK);
        return 1;
    }
    return 0;
}

void ReportDocumentProblem(int textId, const std::string& path)
{
    char text[kTextCapacity];
    LoadTableString(textId, text);
    std::string message = std::string(text) + "\r\n\r\n" + path;
    ShowMessage(textId, message.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

HWND OpenFrame()
{
    LRESULT frame = CreateForm(FrameTemplate(FrameProcedure), nullptr, false, 0);
    return frame == -1 ? nullptr : reinterpret_cast<HWND>(frame);
}

HWND FrameWindow()
{
    return g_kestrel.frame;
}

HWND OpenDocument(const std::string& path)
{
    std::string bytes;
    switch (ReadDocument(path, &bytes)) {
    case DocumentRead::Unreadable:
        ReportDocumentProblem(IDS_K_CANNOT_OPEN, path);
        return nullptr;
    case DocumentRead::TooLarge:
        ReportDocumentProblem(IDS_K_TOO_LARGE, path);
        return nullptr;
    case DocumentRead::Read:
        break;
    }
    HWND client = ClientWindow();
    if (client == nullptr)
        return nullptr;
    LRESULT created = CreateForm(DocumentTemplate(DocumentProcedure), client, false, 0);
    if (created == 0 || created == -1)
        return nullptr;
    HWND document = reinterpret_cast<HWND>(created);
    SetWindowTextA(document, path.c_str());
    HWND text = GetDlgItem(document, txtDocument);
    SendMessageA(text, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextA(text, EditText(bytes).c_str());
    return document;
}

LRESULT ShowAbout()
{
    return CreateForm(AboutTemplate(AboutProcedure), g_kestrel.frame, true, 0);
}

bool HandToRunningCopy(HWND runningFrame, const std::vector<std::string>& documents)
{
    if (runningFrame == nullptr)
        return false;
    std::string block = PackDocumentList(documents);
    COPYDATASTRUCT data = {kDocumentListTag, static_cast<DWORD>(block.size()), block.data()};
    DWORD_PTR answer = 0;
    // The running copy may bring its frame forward.
    AllowSetForegroundWindow(ASFW_ANY);
    return SendMessageTimeoutA(runningFrame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               10000, &answer) != 0 &&
           answer == 1;
}
