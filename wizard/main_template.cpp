#include "wizard/main_template.h"

#include "forms/portable/screen_metrics.h"
#include "forms/template_records.h"
#include "resources/resource_ids.h"
#include "resources/string_ids.h"
#include "wizard/control_ids.h"

const char kWebAddress[] = "www.kestrel.test";
const char kProgramariAddress[] = "vendes@tallwood.test";
const char kTallwoodAddress[] = "info@tallwood.test";
const char kAsmAddress[] = "asm@kestrel.test";

namespace {

// One control of the template, as the form designer set it.
enum RowFlags : unsigned {
    TabStop = 1u << 0,
    Checked = 1u << 1,      // Value 1
    Bold = 1u << 2,
    Underline = 1u << 3,
    AutoSize = 1u << 4,
    LinkCursor = 1u << 5,   // MousePointer 14 with the cursor resource
    NoPrefix = 1u << 6,
    Link = 1u << 7,         // has the link procedure
    Framed = 1u << 8,       // Indent 1: a framed inner group
    FocusFrame = 1u << 9,   // CustomPaint 1
    DefaultButton = 1u << 10,
};

struct ControlRow {
    const char* name;
    int kind;
    int id;
    int children;
    int left, top, width, height;
    DWORD style, exStyle;
    StringRef caption;
    const char* fontName;
    int fontSize;
    ColorValue back, fore;
    unsigned flags;
    int alignment;
    int mousePointer;
    int scrollBars;         // progress bars: Max
};

StringRef Text(const char* text) { return const_cast<char*>(text); }

const StringRef kEmpty = nullptr;
const char kSans[] = "MS Sans Serif";
const char kArial[] = "Arial";

constexpr ColorValue kWhite = 0xFFFFFF;
constexpr ColorValue kNavy = 0x800000;
constexpr ColorValue kYellow = 0x00FFFF;
constexpr ColorValue kFace = SystemColor(15);
constexpr ColorValue kButtonText = SystemColor(18);
constexpr ColorValue kWindow = SystemColor(5);
constexpr ColorValue kWindowText = SystemColor(8);
constexpr ColorValue kHighlight = SystemColor(13);

constexpr unsigned kClickableLink = Bold | Underline | AutoSize | LinkCursor | Link;

// Template order: each container is followed by its children.
const ControlRow kMainControls[] = {
// name             kind              id              n  left  top  width height style       exStyle  caption                                 font    size back    fore          flags                          align ptr scroll
{"Group1",          KindGroup,        Group1,        11,   0,   0, 500, 296, 0x46000000, 0,       kEmpty,                                 kSans,   8, kWhite,  kButtonText, 0,                              0, 0, 0},
{"stcProgramari",   KindLabel,        stcProgramari,  0,   3, 268, 162,  14, 0x54000101, 0,       Text(kProgramariAddress),               kArial,  9, kNavy,   kYellow,     Bold | Underline | LinkCursor,  1, 0, 0},
{"radRebootLater",  KindOptionButton, radRebootLater, 0, 188, 211, 288,  18, 0x44004009, 0,       TableText(IDS_RESTART_LATER),           kArial,  9, kWhite,  kButtonText, 0,                              0, 0, 0},
{"radRebootNow",    KindOptionButton, radRebootNow,   0, 188, 193, 288,  18, 0x44004009, 0,       TableText(IDS_RESTART_NOW),             kArial,  9, kWhite,  kButtonText, Checked | TabStop,              0, 0, 0},
{"Static4",         KindLabel,        Static4,        0, 180, 244, 302,  22, 0x54000301, 0,       kEmpty,                                 kArial,  9, kWhite,  0xA00000,    Bold,                           1, 0, 0},
{"stcKestrel",      KindLabel,        stcKestrel,     0, 260, 269, 140,  15, 0x54000301, 0,       Text(kWebAddress),                      kArial,  9, kWhite,  0x0000FF,    kClickableLink,                 1, 0, 0},
{"Static3",         KindLabel,        Static3,        0, 180, 185, 302,  52, 0x54000100, 0,       TableText(IDS_EXIT_OR_NEXT),            kArial,  9, kWhite,  kButtonText, 0,                              0, 0, 0},
{"Static2",         KindLabel,        Static2,        0, 180, 108, 302,  52, 0x54000100, 0,       TableText(IDS_CLOSE_APPLICATIONS),      kArial,  9, kWhite,  kButtonText, 0,                              0, 0, 0},
{"Static1",         KindLabel,        Static1,        0, 180,  32, 302,  52, 0x54000100, 0,       TableText(IDS_WELCOME),                 kArial,  9, kWhite,  kButtonText, 0,                              0, 0, 0},
{"stcTallwood",     KindLabel,        stcTallwood,    0,  23, 252, 117,  15, 0x54000381, 0,       Text(kTallwoodAddress),                 kArial,  9, kNavy,   kYellow,     kClickableLink | NoPrefix,      1, 0, 0},
{"stcAsm",          KindLabel,        stcAsm,         0,  25, 236, 113,  15, 0x54000301, 0,       Text(kAsmAddress),                      kArial,  9, kNavy,   kYellow,     kClickableLink,                 1, 0, 0},
{"imgLogo",         KindImageStatic,  imgLogo,        0,   0,   0, 168, 300, 0x5400010C, 0,       kEmpty,                                 kSans,   8, kNavy,   kButtonText, 0,                              0, 0, 0},
{"Group2",          KindGroup,        Group2,         2,   0,   0, 500, 296, 0x46000000, 0,       kEmpty,                                 kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
{"grpDestDir",      KindGroup,        grpDestDir,     2,  24, 217, 450,  52, 0x56000000, 0,       TableText(IDS_LOCATION),                kArial,  9, kFace,   kButtonText, Framed,                         0, 0, 0},
{"btnBrowse",       KindPushButton,   btnBrowse,      0, 354,  18,  88,  24, 0x54004300, 0,       TableText(IDS_BROWSE),                  kArial, 10, kFace,   kButtonText, TabStop | FocusFrame,           0, 0, 0},
{"stcDestDir",      KindLabel,        stcDestDir,     0,  12,  19, 338,  24, 0x5400830C, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"Static5",         KindLabel,        Static5,        0,  24,  50, 450,  48, 0x54000100, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"Group3",          KindGroup,        Group3,         5,   0,   0, 500, 296, 0x46000000, 0,       kEmpty,                                 kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
{"Edit2",           KindTextBox,      Edit2,          0,  24, 237, 450,  22, 0x54000080, 0x200,   kEmpty,                                 kArial,  9, kWindow, kWindowText, TabStop,                        0, 0, 0},
{"Edit1",           KindTextBox,      Edit1,          0,  24, 175, 450,  22, 0x54000080, 0x200,   kEmpty,                                 kArial,  9, kWindow, kWindowText, TabStop,                        0, 0, 0},
{"Static9",         KindLabel,        Static9,        0,  24, 217, 450,  16, 0x5400010C, 0,       TableText(IDS_ORGANIZATION),            kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"Static8",         KindLabel,        Static8,        0,  24, 155, 450,  16, 0x5400010C, 0,       TableText(IDS_NAME),                    kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"Static7",         KindLabel,        Static7,        0,  24,  50, 450,  33, 0x54000100, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"Group4",          KindGroup,        Group4,         4,   0,   0, 500, 296, 0x46000000, 0,       kEmpty,                                 kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
{"List1",           KindListBox,      List1,          0,  24, 165, 450, 121, 0x44200043, 0x200,   kEmpty,                                 kSans,   8, kWindow, kWindowText, TabStop,                        0, 0, 2},
{"Edit3",           KindTextBox,      Edit3,          0,  24, 139, 450,  22, 0x44000080, 0x200,   kEmpty,                                 kSans,   8, kWindow, kWindowText, TabStop,                        0, 0, 0},
{"Check1",          KindCheckBox,     Check1,         0,  24, 114, 450,  20, 0x54004003, 0,       TableText(IDS_CREATE_GROUP),            kArial,  9, kFace,   kButtonText, TabStop,                        0, 0, 0},
{"Static10",        KindLabel,        Static10,       0,  24,  50, 450,  36, 0x54000100, 0,       TableText(IDS_GROUP_EXPLANATION),       kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"Group5",          KindGroup,        Group5,         3,   0,   0, 500, 296, 0x46000000, 0,       kEmpty,                                 kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
{"grpAssociate",    KindGroup,        grpAssociate,   4,  24,  32, 449, 110, 0x56000000, 0,       TableText(IDS_UNCHECK_ASSOCIATIONS),    kArial,  9, kFace,   kButtonText, Framed,                         0, 0, 0},
{"chkResource",     KindCheckBox,     chkResource,    0,  22,  80, 404,  16, 0x5C004003, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, TabStop,                        0, 0, 0},
{"chkModule",       KindCheckBox,     chkModule,      0,  22,  62, 404,  16, 0x5C004003, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, TabStop,                        0, 0, 0},
{"chkWindow",       KindCheckBox,     chkWindow,      0,  22,  44, 404,  16, 0x5C004003, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, TabStop,                        0, 0, 0},
{"chkProject",      KindCheckBox,     chkProject,     0,  22,  26, 404,  16, 0x54004003, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, TabStop,                        0, 0, 0},
{"grpShortcut",     KindGroup,        grpShortcut,    1,  24, 216, 449,  56, 0x56000000, 0,       TableText(IDS_SHORTCUTS),               kArial,  9, kFace,   kButtonText, Framed,                         0, 0, 0},
{"chkShortcut",     KindCheckBox,     chkShortcut,    0,  22,  26, 404,  16, 0x54004003, 0,       TableText(IDS_CREATE_DESKTOP_SHORTCUT), kArial,  9, kFace,   kButtonText, Checked | TabStop,              0, 0, 0},
{"grpPackage",      KindGroup,        grpPackage,     2,  25, 151, 449,  56, 0x56000000, 0,       TableText(IDS_CHOOSE_TOOLSET),          kArial,  9, kFace,   kButtonText, Framed,                         0, 0, 0},
{"chkBasalt",       KindOptionButton, chkBasalt,      0, 269,  26, 160,  16, 0x54004009, 0,       Text("&Basalt"),                        kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
{"chkMasm32",       KindOptionButton, chkMasm32,      0,  26,  26, 160,  16, 0x54004009, 0,       Text("MASM&32"),                        kSans,   8, kFace,   kButtonText, Checked | TabStop,              0, 0, 0},
{"Group6",          KindGroup,        Group6,         3,   0,   0, 500, 296, 0x46000000, 0,       kEmpty,                                 kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
{"Edit4",           KindTextBox,      Edit4,          0,  24, 106, 450, 130, 0x543008C4, 0x200,   kEmpty,                                 kArial,  9, kWindow, kWindowText, NoPrefix,                       0, 1, 3},
{"Static13",        KindLabel,        Static13,       0,  24, 259, 450,  18, 0x54000101, 0,       TableText(IDS_PRESS_INSTALL),           kArial,  9, kFace,   kButtonText, 0,                              1, 0, 0},
{"Static12",        KindLabel,        Static12,       0,  24,  50, 450,  36, 0x54000100, 0,       TableText(IDS_INFORMATION_USED),        kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"btnCancel",       KindPushButton,   btnCancel,      0, 396, 316,  88,  24, 0x54004300, 0,       TableText(IDS_CANCEL),                  kArial, 10, kFace,   kButtonText, TabStop | FocusFrame,           0, 0, 0},
{"btnNext",         KindPushButton,   btnNext,        0, 296, 316,  88,  24, 0x44004000, 0,       TableText(IDS_NEXT),                    kArial, 10, kFace,   kButtonText, TabStop | DefaultButton | FocusFrame, 0, 0, 0},
{"btnPrevious",     KindPushButton,   btnPrevious,    0, 208, 316,  88,  24, 0x4C004300, 0,       TableText(IDS_PREVIOUS),                kArial, 10, kFace,   kButtonText, TabStop | FocusFrame,           0, 0, 0},
{"grpPercent",      KindGroup,        grpPercent,     3,   0,   0, 500, 296, 0x56000000, 0,       kEmpty,                                 kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
{"prbPerCent",      KindProgressBar,  prbPerCent,     0,  21, 216, 454,  19, 0x54000000, 0x20000, kEmpty,                                 kSans,   8, kFace,   kHighlight,  0,                              0, 0, 100},
{"stcFile",         KindLabel,        stcFile,        0,  21, 196, 454,  21, 0x5400810C, 0,       kEmpty,                                 kArial,  9, kFace,   kButtonText, 0,                              0, 0, 0},
{"stcCurrentTask",  KindLabel,        stcCurrentTask, 0,  21,  76, 454,  53, 0x54000101, 0,       TableText(IDS_WAIT_UNPACKING),          kArial, 10, kFace,   kButtonText, 0,                              1, 0, 0},
{"imgLine",         KindImageStatic,  imgLine,        0,   0, 296, 500,   4, 0x5400010C, 0x200,   kEmpty,                                 kSans,   8, kFace,   kButtonText, 0,                              0, 0, 0},
};
static_assert(sizeof kMainControls / sizeof kMainControls[0] == kMainTemplateRecords - 1, "51 controls");

constexpr int kLinkPointer = 14;

ObjectRecord g_mainTemplate[kMainTemplateRecords];
bool g_built = false;

int Flag(unsigned flags, unsigned flag)
{
    return (flags & flag) != 0 ? 1 : 0;
}

void BuildFormRecord(ObjectRecord& form)
{
    form.Name = "Main";
    form.Kind = KindWindowForm;
    form.MainForm = 1;
    form.StartUpPosition = 2;
    form.Width = 504;
    form.Height = 380;
    form.Style = 0x16C00000;
    form.ExStyle = 0x40101;
    form.Caption = TableText(IDS_WIZARD_CAPTION);
    form.Icon = ResourceNumber(IDI_INSTAL);
    form.SmallIcon = ResourceNumber(IDI_INSTAL);
    form.FontName = Text(kSans);
    form.FontSize = 8;
    form.FontAt96Dpi = 1;
    form.BackColor = kFace;
    form.ForeColor = kButtonText;
    form.DrawWidth = 1;
    form.PasswordChar = 1;
    form.ChildCount = 11;
    FinishTemplateRecord(form);
}

void BuildControlRecord(ObjectRecord& record, const ControlRow& row)
{
    PlaceControl(record, {row.name, row.kind, row.id, row.left, row.top, row.width, row.height, row.style, row.exStyle});
    record.ChildCount = row.children;
    record.Caption = row.caption;
    record.FontName = Text(row.fontName);
    record.FontSize = row.fontSize;
    record.FontBold = Flag(row.flags, Bold);
    record.FontUnderline = Flag(row.flags, Underline);
    record.BackColor = row.back;
    record.ForeColor = row.fore;
    record.TabStop = Flag(row.flags, TabStop);
    record.Value = Flag(row.flags, Checked);
    record.AutoSize = Flag(row.flags, AutoSize);
    record.NoPrefix = Flag(row.flags, NoPrefix);
    record.Indent = Flag(row.flags, Framed);
    record.CustomPaint = Flag(row.flags, FocusFrame);
    record.Default = Flag(row.flags, DefaultButton);
    record.Alignment = row.alignment;
    record.MousePointer = row.mousePointer;
    if ((row.flags & LinkCursor) != 0) {
        record.MousePointer = kLinkPointer;
        record.MouseIcon = ResourceNumber(IDC_INSTAL);
    }
    record.ScrollBars = row.scrollBars;
    FinishTemplateRecord(record);
}

void BuildMainTemplate()
{
    BuildFormRecord(g_mainTemplate[0]);
    for (int i = 0; i < kMainTemplateRecords - 1; ++i)
        BuildControlRecord(g_mainTemplate[i + 1], kMainControls[i]);
    g_built = true;
}

}  // namespace

const ObjectRecord* MainTemplate()
{
    if (!g_built)
        BuildMainTemplate();
    return g_mainTemplate;
}

void SetMainTemplateProcedures(WNDPROC formProcedure, WNDPROC linkProcedure)
{
    MainTemplate();
    g_mainTemplate[0].Procedure = formProcedure;
    for (int i = 0; i < kMainTemplateRecords - 1; ++i) {
        if ((kMainControls[i].flags & Link) != 0)
            g_mainTemplate[i + 1].Procedure = linkProcedure;
    }
}
