// Kestrel, the sample product: an MDI frame on the form runtime that shows
// the documents named on its command line. A second start with documents
// hands them to the frame that already runs.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/library_search.h"
#include "base/messages.h"
#include "forms/form_lifecycle.h"
#include "forms/runtime_startup.h"
#include "forms/runtime_state.h"
#include "forms/window_map.h"
#include "sample/kestrel_frame.h"
#include "sample/kestrel_ids.h"
#include "sample/portable/document_arguments.h"

namespace {

void StartFormRuntime(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    if (!InitCommonControlsEx(&controls))
        InitCommonControls();
    StartRuntime(instance, "Kestrel", "Kestrel.exe", nullptr, KindMdiFrame);
}

// Full paths, so that a running copy with another current folder finds them.
std::vector<std::string> CommandLineDocuments()
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    std::vector<std::string> documents = DocumentArguments(GetCommandLineA(), program);
    for (std::string& document : documents) {
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(document.c_str(), sizeof full, full, nullptr);
        if (length > 0 && length < sizeof full)
            document = full;
    }
    return documents;
}

// The frame's client window takes the MDI keys (Ctrl+F4, Ctrl+F6).
void RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        const ObjectRecord* frame = FindRecord(FrameWindow());
        if (frame != nullptr && TranslateMDISysAccel(frame->ClientWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RestrictLibrarySearch();
    SetMessageContext({IDS_K_BOX_CAPTION, IDS_K_CANNOT_CONTINUE, FrameWindow, nullptr});
    SetUnhandledExceptionFilter(RuntimeExceptionFilter);
    StartFormRuntime(instance);
    std::vector<std::string> documents = CommandLineDocuments();
    if (!documents.empty() && HandToRunningCopy(g_runtime.PreviousInstanceWindow, documents)) {
        TearDownRuntime();
        return 0;
    }
    if (OpenFrame() == nullptr) {
        TearDownRuntime();
        return 1;
    }
    for (const std::string& document : documents)
        OpenDocument(document);
    RunMessageLoop();
    TearDownRuntime();
    return 0;
}
