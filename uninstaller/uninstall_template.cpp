#include "uninstaller/uninstall_template.h"

#include "base/portable/text_helpers.h"
#include "forms/portable/screen_metrics.h"
#include "forms/template_records.h"
#include "uninstaller/uninstaller_ids.h"

namespace {

struct ControlRow {
    ControlPlace place;
    int captionId;
    int tabStop;
    int scrollBars;    // progress bar: Max
};

constexpr ColorValue kFace = SystemColor(15);
constexpr ColorValue kButtonText = SystemColor(18);
constexpr ColorValue kHighlight = SystemColor(13);
const char kSans[] = "MS Sans Serif";
const char kArial[] = "Arial";

const ControlRow kControls[] = {
// name              kind             id              left top width height style       exStyle  caption              tab scroll
{{"stcStatus",      KindLabel,       stcStatus,       16,  18, 360,  40, 0x54000100, 0},       IDS_U_PREPARING,     0, 0},
{{"prbProgress",    KindProgressBar, prbProgress,     16,  66, 360,  19, 0x54000000, 0x20000}, 0,                   0, 100},
{{"btnCancelClose", KindPushButton,  btnCancelClose, 288, 100,  88,  24, 0x54004300, 0},       IDS_U_CANCEL,        1, 0},
};
static_assert(sizeof kControls / sizeof kControls[0] == kUninstallTemplateRecords - 1, "three controls");

ObjectRecord g_template[kUninstallTemplateRecords];
char g_caption[kTextCapacity];

void SetCommonFields(ObjectRecord& record)
{
    FinishTemplateRecord(record);
    record.BackColor = kFace;
    record.ForeColor = kButtonText;
}

void BuildFormRecord(ObjectRecord& form, WNDPROC procedure)
{
    form.Name = "Uninstall";
    form.Kind = KindWindowForm;
    form.MainForm = 1;
    form.StartUpPosition = 2;
    form.Width = 400;
    form.Height = 166;
    form.Style = 0x16C00000;
    form.ExStyle = 0x40101;
    form.Caption = g_caption;
    form.Icon = ResourceNumber(IDI_UNINSTALLER);
    form.SmallIcon = ResourceNumber(IDI_UNINSTALLER);
    form.FontName = const_cast<char*>(kSans);
    form.FontSize = 8;
    form.FontAt96Dpi = 1;
    form.DrawWidth = 1;
    form.PasswordChar = 1;
    form.ChildCount = kUninstallTemplateRecords - 1;
    form.Procedure = procedure;
    SetCommonFields(form);
}

void BuildControlRecord(ObjectRecord& record, const ControlRow& row)
{
    PlaceControl(record, row.place);
    record.Caption = row.captionId != 0 ? TableText(row.captionId) : nullptr;
    record.FontName = const_cast<char*>(kArial);
    record.FontSize = row.place.kind == KindPushButton ? 10 : 9;
    record.TabStop = row.tabStop;
    record.CustomPaint = row.place.kind == KindPushButton ? 1 : 0;
    record.ScrollBars = row.scrollBars;
    SetCommonFields(record);
    if (row.place.kind == KindProgressBar)
        record.ForeColor = kHighlight;
}

}  // namespace

const ObjectRecord* UninstallTemplate(const char* caption, WNDPROC formProcedure)
{
    CopyText(g_caption, caption);
    for (ObjectRecord& record : g_template)
        record = ObjectRecord{};
    BuildFormRecord(g_template[0], formProcedure);
    for (int i = 0; i < kUninstallTemplateRecords - 1; ++i)
        BuildControlRecord(g_template[i + 1], kControls[i]);
    return g_template;
}
