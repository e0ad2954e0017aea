#include "sample/kestrel_templates.h"

#include "forms/portable/screen_metrics.h"
#include "forms/template_records.h"
#include "sample/kestrel_ids.h"

namespace {

constexpr ColorValue kFace = SystemColor(15);
constexpr ColorValue kButtonText = SystemColor(18);
constexpr ColorValue kWorkspace = SystemColor(12);
constexpr ColorValue kWhite = 0xFFFFFF;
constexpr ColorValue kBlack = 0x000000;
const char kSans[] = "MS Sans Serif";
const char kMono[] = "Courier New";
const char kArial[] = "Arial";

ObjectRecord g_frame[kFrameTemplateRecords];
ObjectRecord g_document[kDocumentTemplateRecords];
ObjectRecord g_about[kAboutTemplateRecords];

void SetCommonFields(ObjectRecord& record, const char* fontName, int fontSize)
{
    FinishTemplateRecord(record);
    record.FontName = const_cast<char*>(fontName);
    record.FontSize = fontSize;
    record.FontAt96Dpi = 1;
    record.BackColor = kFace;
    record.ForeColor = kButtonText;
}

void SetForm(ObjectRecord& form, const char* name, int kind, int width, int height, DWORD style, DWORD exStyle,
             int childCount, WNDPROC procedure)
{
    form = ObjectRecord{};
    form.Name = name;
    form.Kind = kind;
    form.Width = width;
    form.Height = height;
    form.Style = style;
    form.ExStyle = exStyle;
    form.Icon = ResourceNumber(IDI_KESTREL);
    form.SmallIcon = ResourceNumber(IDI_KESTREL);
    form.DrawWidth = 1;
    form.ChildCount = childCount;
    form.Procedure = procedure;
    SetCommonFields(form, kSans, 8);
}

void SetControl(ObjectRecord& control, const char* name, int kind, int id, RECT place, DWORD style,
                int captionId)
{
    control = ObjectRecord{};
    PlaceControl(control, {name, kind, id, place.left, place.top, place.right, place.bottom, style, 0});
    control.Caption = captionId != 0 ? TableText(captionId) : nullptr;
    SetCommonFields(control, kArial, 9);
}

}  // namespace

const ObjectRecord* FrameTemplate(WNDPROC formProcedure)
{
    // Overlapped window with clipped children; the client edge goes to the MDI client.
    SetForm(g_frame[0], "Kestrel", KindMdiFrame, 720, 520, 0x12CF0000, 0x40200, 0, formProcedure);
    g_frame[0].MainForm = 1;
    g_frame[0].StartUpPosition = 2;
    g_frame[0].Caption = TableText(IDS_K_TITLE);
    g_frame[0].BackColor = kWorkspace;
    return g_frame;
}

const ObjectRecord* DocumentTemplate(WNDPROC formProcedure)
{
    // WS_EX_MDICHILD makes the client window adopt the child as one of its documents.
    SetForm(g_document[0], "Document", KindWindowForm, 460, 320, 0x52CF0000, WS_EX_MDICHILD,
            kDocumentTemplateRecords - 1, formProcedure);
    g_document[0].MDIChild = 1;
    g_document[0].StartUpPosition = 3;
    // Multi-line, read-only, both scroll bars; the form's procedure sizes it to the form.
    ObjectRecord& text = g_document[1];
    SetControl(text, "txtDocument", KindTextBox, txtDocument, {0, 0, 440, 280}, 0x503008C4, 0);
    text.FontName = const_cast<char*>(kMono);
    text.FontSize = 10;
    text.BackColor = kWhite;
    text.ForeColor = kBlack;
    text.ScrollBars = 3;
    text.TabStop = 1;
    text.NoPrefix = 1;     // focus leaves the text unselected
    return g_document;
}

const ObjectRecord* AboutTemplate(WNDPROC formProcedure)
{
    // The window and its size come from the dialog resource (the runtime
    // reads the size back before it places the form); the controls' places
    // are in dialog units.
    SetForm(g_about[0], "About", KindDialogForm, 350, 190, 0x90C80080, WS_EX_DLGMODALFRAME,
            kAboutTemplateRecords - 1, formProcedure);
    g_about[0].DialogTemplate = ResourceNumber(IDD_ABOUT);
    g_about[0].StartUpPosition = 1;
    g_about[0].Caption = TableText(IDS_K_ABOUT_CAPTION);
    SetControl(g_about[1], "stcAbout", KindLabel, stcAbout, {10, 10, 200, 56}, 0x50000000, IDS_K_ABOUT_TEXT);
    ObjectRecord& ok = g_about[2];
    SetControl(ok, "btnAboutOk", KindPushButton, btnAboutOk, {85, 74, 50, 14}, 0x54004300, IDS_K_OK);
    ok.FontSize = 10;
    ok.TabStop = 1;
    ok.Default = 1;
    ok.AutoSize = 1;       // Escape too gives its command
    ok.CustomPaint = 1;
    return g_about;
}
