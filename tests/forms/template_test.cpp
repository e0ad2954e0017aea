#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/form_templates.h"
#include "forms/runtime_memory.h"
#include "message_box_catcher.h"
#include "runtime_fixture.h"
#include "wizard/control_ids.h"
#include "wizard/main_template.h"

namespace {

constexpr DWORD kSys = 0x80000000;

// One row per control of the Main template: where it sits, how it looks.
struct Expected {
    const char* name;
    int kind;
    int id;
    const char* frame;
    int left, top, width, height;
    DWORD style, exStyle;
    int captionId;            // string-table caption, or 0
    const char* captionText;  // a literal caption, or nullptr
    const char* font;
    int size, bold, underline;
    DWORD back, fore;
    int visible, enabled, tabStop, value, autoSize, mousePointer, mouseIcon, alignment, noPrefix, link,
        indent, customPaint, isDefault, scrollBars;
};

const char* const kLink = "link";

const Expected kRows[] = {
// name           kind             id              frame           l    t    w    h    style       ex       cap    text        font             sz b u back         fore         vis en tab val auto ptr icon al np link ind cp def sb
{"Group1",        KindGroup,       Group1,         "Main",         0,   0,   500, 296, 0x46000000, 0,       0,     "",         "MS Sans Serif", 8, 0,0, 0xFFFFFF,    kSys | 18,   0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"stcProgramari", KindLabel,       stcProgramari,  "Group1",       3,   268, 162, 14,  0x54000101, 0,       0,     kLink,      "Arial",         9, 1,1, 0x800000,    0x00FFFF,    1, 1, 0,  0,  0,   14, 100, 1, 0, 0,   0, 0, 0,  0},
{"radRebootLater",KindOptionButton,radRebootLater, "Group1",       188, 211, 288, 18,  0x44004009, 0,       10054, nullptr,    "Arial",         9, 0,0, 0xFFFFFF,    kSys | 18,   0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"radRebootNow",  KindOptionButton,radRebootNow,   "Group1",       188, 193, 288, 18,  0x44004009, 0,       10055, nullptr,    "Arial",         9, 0,0, 0xFFFFFF,    kSys | 18,   0, 1, 1,  1,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static4",       KindLabel,       Static4,        "Group1",       180, 244, 302, 22,  0x54000301, 0,       0,     "",         "Arial",         9, 1,0, 0xFFFFFF,    0xA00000,    1, 1, 0,  0,  0,   0,  0,   1, 0, 0,   0, 0, 0,  0},
{"stcKestrel",    KindLabel,       stcKestrel,     "Group1",       260, 269, 140, 15,  0x54000301, 0,       0,     kLink,      "Arial",         9, 1,1, 0xFFFFFF,    0x0000FF,    1, 1, 0,  0,  1,   14, 100, 1, 0, 1,   0, 0, 0,  0},
{"Static3",       KindLabel,       Static3,        "Group1",       180, 185, 302, 52,  0x54000100, 0,       10018, nullptr,    "Arial",         9, 0,0, 0xFFFFFF,    kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static2",       KindLabel,       Static2,        "Group1",       180, 108, 302, 52,  0x54000100, 0,       10019, nullptr,    "Arial",         9, 0,0, 0xFFFFFF,    kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static1",       KindLabel,       Static1,        "Group1",       180, 32,  302, 52,  0x54000100, 0,       10066, nullptr,    "Arial",         9, 0,0, 0xFFFFFF,    kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"stcTallwood",   KindLabel,       stcTallwood,    "Group1",       23,  252, 117, 15,  0x54000381, 0,       0,     kLink,      "Arial",         9, 1,1, 0x800000,    0x00FFFF,    1, 1, 0,  0,  1,   14, 100, 1, 1, 1,   0, 0, 0,  0},
{"stcAsm",        KindLabel,       stcAsm,         "Group1",       25,  236, 113, 15,  0x54000301, 0,       0,     kLink,      "Arial",         9, 1,1, 0x800000,    0x00FFFF,    1, 1, 0,  0,  1,   14, 100, 1, 0, 1,   0, 0, 0,  0},
{"imgLogo",       KindImageStatic, imgLogo,        "Group1",       0,   0,   168, 300, 0x5400010C, 0,       0,     "",         "MS Sans Serif", 8, 0,0, 0x800000,    kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Group2",        KindGroup,       Group2,         "Main",         0,   0,   500, 296, 0x46000000, 0,       0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"grpDestDir",    KindGroup,       grpDestDir,     "Group2",       24,  217, 450, 52,  0x56000000, 0,       10028, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   1, 0, 0,  0},
{"btnBrowse",     KindPushButton,  btnBrowse,      "grpDestDir",   354, 18,  88,  24,  0x54004300, 0,       10007, nullptr,    "Arial",        10, 0,0, kSys | 15,   kSys | 18,   1, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 1, 0,  0},
{"stcDestDir",    KindLabel,       stcDestDir,     "grpDestDir",   12,  19,  338, 24,  0x5400830C, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static5",       KindLabel,       Static5,        "Group2",       24,  50,  450, 48,  0x54000100, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Group3",        KindGroup,       Group3,         "Main",         0,   0,   500, 296, 0x46000000, 0,       0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Edit2",         KindTextBox,     Edit2,          "Group3",       24,  237, 450, 22,  0x54000080, 0x200,   0,     "",         "Arial",         9, 0,0, kSys | 5,    kSys | 8,    1, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Edit1",         KindTextBox,     Edit1,          "Group3",       24,  175, 450, 22,  0x54000080, 0x200,   0,     "",         "Arial",         9, 0,0, kSys | 5,    kSys | 8,    1, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static9",       KindLabel,       Static9,        "Group3",       24,  217, 450, 16,  0x5400010C, 0,       10048, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static8",       KindLabel,       Static8,        "Group3",       24,  155, 450, 16,  0x5400010C, 0,       10043, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static7",       KindLabel,       Static7,        "Group3",       24,  50,  450, 33,  0x54000100, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Group4",        KindGroup,       Group4,         "Main",         0,   0,   500, 296, 0x46000000, 0,       0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"List1",         KindListBox,     List1,          "Group4",       24,  165, 450, 121, 0x44200043, 0x200,   0,     "",         "MS Sans Serif", 8, 0,0, kSys | 5,    kSys | 8,    0, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  2},
{"Edit3",         KindTextBox,     Edit3,          "Group4",       24,  139, 450, 22,  0x44000080, 0x200,   0,     "",         "MS Sans Serif", 8, 0,0, kSys | 5,    kSys | 8,    0, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Check1",        KindCheckBox,    Check1,         "Group4",       24,  114, 450, 20,  0x54004003, 0,       10022, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Static10",      KindLabel,       Static10,       "Group4",       24,  50,  450, 36,  0x54000100, 0,       10015, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Group5",        KindGroup,       Group5,         "Main",         0,   0,   500, 296, 0x46000000, 0,       0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"grpAssociate",  KindGroup,       grpAssociate,   "Group5",       24,  32,  449, 110, 0x56000000, 0,       10016, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   1, 0, 0,  0},
{"chkResource",   KindCheckBox,    chkResource,    "grpAssociate", 22,  80,  404, 16,  0x5C004003, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 0, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"chkModule",     KindCheckBox,    chkModule,      "grpAssociate", 22,  62,  404, 16,  0x5C004003, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 0, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"chkWindow",     KindCheckBox,    chkWindow,      "grpAssociate", 22,  44,  404, 16,  0x5C004003, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 0, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"chkProject",    KindCheckBox,    chkProject,     "grpAssociate", 22,  26,  404, 16,  0x54004003, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"grpShortcut",   KindGroup,       grpShortcut,    "Group5",       24,  216, 449, 56,  0x56000000, 0,       10059, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   1, 0, 0,  0},
{"chkShortcut",   KindCheckBox,    chkShortcut,    "grpShortcut",  22,  26,  404, 16,  0x54004003, 0,       10000, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 1,  1,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"grpPackage",    KindGroup,       grpPackage,     "Group5",       25,  151, 449, 56,  0x56000000, 0,       10067, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   1, 0, 0,  0},
{"chkBasalt",     KindOptionButton,chkBasalt,      "grpPackage",   269, 26,  160, 16,  0x54004009, 0,       0,     "&Basalt",  "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"chkMasm32",     KindOptionButton,chkMasm32,      "grpPackage",   26,  26,  160, 16,  0x54004009, 0,       0,     "MASM&32",  "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   1, 1, 1,  1,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Group6",        KindGroup,       Group6,         "Main",         0,   0,   500, 296, 0x46000000, 0,       0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"Edit4",         KindTextBox,     Edit4,          "Group6",       24,  106, 450, 130, 0x543008C4, 0x200,   0,     "",         "Arial",         9, 0,0, kSys | 5,    kSys | 8,    1, 1, 0,  0,  0,   1,  0,   0, 1, 0,   0, 0, 0,  3},
{"Static13",      KindLabel,       Static13,       "Group6",       24,  259, 450, 18,  0x54000101, 0,       10056, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   1, 0, 0,   0, 0, 0,  0},
{"Static12",      KindLabel,       Static12,       "Group6",       24,  50,  450, 36,  0x54000100, 0,       10040, nullptr,    "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"btnCancel",     KindPushButton,  btnCancel,      "Main",         396, 316, 88,  24,  0x54004300, 0,       10008, nullptr,    "Arial",        10, 0,0, kSys | 15,   kSys | 18,   1, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 1, 0,  0},
{"btnNext",       KindPushButton,  btnNext,        "Main",         296, 316, 88,  24,  0x44004000, 0,       10045, nullptr,    "Arial",        10, 0,0, kSys | 15,   kSys | 18,   0, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 1, 1,  0},
{"btnPrevious",   KindPushButton,  btnPrevious,    "Main",         208, 316, 88,  24,  0x4C004300, 0,       10051, nullptr,    "Arial",        10, 0,0, kSys | 15,   kSys | 18,   0, 0, 1,  0,  0,   0,  0,   0, 0, 0,   0, 1, 0,  0},
{"grpPercent",    KindGroup,       grpPercent,     "Main",         0,   0,   500, 296, 0x56000000, 0,       0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"prbPerCent",    KindProgressBar, prbPerCent,     "grpPercent",   21,  216, 454, 19,  0x54000000, 0x20000, 0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 13,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  100},
{"stcFile",       KindLabel,       stcFile,        "grpPercent",   21,  196, 454, 21,  0x5400810C, 0,       0,     "",         "Arial",         9, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{"stcCurrentTask",KindLabel,       stcCurrentTask, "grpPercent",   21,  76,  454, 53,  0x54000101, 0,       10034, nullptr,    "Arial",        10, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   1, 0, 0,   0, 0, 0,  0},
{"imgLine",       KindImageStatic, imgLine,        "Main",         0,   296, 500, 4,   0x5400010C, 0x200,   0,     "",         "MS Sans Serif", 8, 0,0, kSys | 15,   kSys | 18,   1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
};

LRESULT CALLBACK FormProcedure(HWND, UINT, WPARAM, LPARAM) { return 0; }
LRESULT CALLBACK LinkProcedure(HWND, UINT, WPARAM, LPARAM) { return 0; }

// Walks the copied tree depth-first, recording each record's parent name.
void Flatten(const ObjectRecord* parent, std::vector<std::pair<const ObjectRecord*, std::string>>& out)
{
    for (ObjectRecord** child = parent->Children; child != nullptr && *child != nullptr; ++child) {
        out.emplace_back(*child, parent->Name);
        Flatten(*child, out);
    }
}

void FreeTree(ObjectRecord* form)
{
    FreeRecordContents(form);
    FreeBlock(form);
}

class MainTemplateTest : public RuntimeTest {};

TEST_F(MainTemplateTest, FormRecordAndBlock)
{
    const ObjectRecord* block = MainTemplate();
    const ObjectRecord& form = block[0];
    EXPECT_STREQ(form.Name, "Main");
    EXPECT_EQ(form.Kind, KindWindowForm);
    EXPECT_EQ(form.MainForm, 1);
    EXPECT_EQ(form.StartUpPosition, 2);
    EXPECT_EQ(form.Width, 504);
    EXPECT_EQ(form.Height, 380);
    EXPECT_EQ(form.Style, 0x16C00000u);
    EXPECT_EQ(form.ExStyle, 0x40101u);
    EXPECT_EQ(RefValue(form.Caption), 10058u);
    EXPECT_EQ(RefValue(form.Icon), 101u);
    EXPECT_EQ(RefValue(form.SmallIcon), 101u);
    EXPECT_STREQ(form.FontName, "MS Sans Serif");
    EXPECT_EQ(form.FontSize, 8);
    EXPECT_EQ(form.FontAt96Dpi, 1);
    EXPECT_EQ(form.BackColor, 0x8000000Fu);
    EXPECT_EQ(form.ForeColor, 0x80000012u);
    EXPECT_EQ(form.DrawWidth, 1);
    EXPECT_EQ(form.PasswordChar, 1);
    EXPECT_EQ(form.ChildCount, 11);
    EXPECT_EQ(form.TemplateLink, &form);
    for (int i = 0; i < kMainTemplateRecords; ++i) {
        EXPECT_EQ(block[i].TemplateLink, &block[i]) << i;
        EXPECT_EQ(block[i].PictureFormat, -1) << i;
        EXPECT_EQ(block[i].Picture, nullptr) << i;
    }
}

TEST_F(MainTemplateTest, EveryControlAsDesigned)
{
    SetMainTemplateProcedures(FormProcedure, LinkProcedure);
    ObjectRecord* form = CopyTemplate(MainTemplate());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Procedure, FormProcedure);
    std::vector<std::pair<const ObjectRecord*, std::string>> records;
    Flatten(form, records);
    ASSERT_EQ(records.size(), sizeof kRows / sizeof kRows[0]);
    for (size_t i = 0; i < records.size(); ++i) {
        const ObjectRecord& r = *records[i].first;
        const Expected& e = kRows[i];
        SCOPED_TRACE(e.name);
        EXPECT_STREQ(r.Name, e.name);
        EXPECT_EQ(r.Kind, e.kind);
        EXPECT_EQ(r.ControlIndex + 1000, e.id);
        EXPECT_EQ(records[i].second, e.frame);
        EXPECT_EQ(r.Left, e.left);
        EXPECT_EQ(r.Top, e.top);
        EXPECT_EQ(r.Width, e.width);
        EXPECT_EQ(r.Height, e.height);
        EXPECT_EQ(r.Style, e.style);
        EXPECT_EQ(r.ExStyle, e.exStyle);
        std::string caption = e.captionId != 0 ? TableString(e.captionId) : e.captionText == kLink ? "" : e.captionText;
        if (e.captionText == kLink) {
            EXPECT_NE(std::string(r.Caption).find(".test"), std::string::npos) << "a fictional address";
        } else {
            EXPECT_EQ(std::string(r.Caption), caption);
        }
        EXPECT_EQ(r.TextLength, lstrlenA(r.Caption));
        EXPECT_STREQ(r.FontName, e.font);
        EXPECT_EQ(r.FontSize, e.size);
        EXPECT_EQ(r.FontBold, e.bold);
        EXPECT_EQ(r.FontUnderline, e.underline);
        EXPECT_EQ(r.FontItalic, 0);
        EXPECT_EQ(r.BackColor, e.back);
        EXPECT_EQ(r.ForeColor, e.fore);
        EXPECT_EQ(r.Visible, e.visible);
        EXPECT_EQ(r.Enabled, e.enabled);
        EXPECT_EQ(r.TabStop, e.tabStop);
        EXPECT_EQ(r.Value, e.value);
        EXPECT_EQ(r.AutoSize, e.autoSize);
        EXPECT_EQ(r.MousePointer, e.mousePointer);
        EXPECT_EQ(RefValue(r.MouseIcon), static_cast<UINT_PTR>(e.mouseIcon));
        EXPECT_EQ(r.Alignment, e.alignment);
        EXPECT_EQ(r.NoPrefix, e.noPrefix);
        EXPECT_EQ(r.Procedure, e.link ? LinkProcedure : nullptr);
        EXPECT_EQ(r.Indent, e.indent);
        EXPECT_EQ(r.CustomPaint, e.customPaint);
        EXPECT_EQ(r.Default, e.isDefault);
        EXPECT_EQ(r.ScrollBars, e.scrollBars);
        EXPECT_EQ(r.TemplateLink, nullptr);
    }
    FreeTree(form);
    SetMainTemplateProcedures(nullptr, nullptr);
}

TEST_F(MainTemplateTest, CopyHasThreeLevelsAndEndsAfterImgLine)
{
    ObjectRecord* form = CopyTemplate(MainTemplate());
    ASSERT_NE(form, nullptr);
    ObjectRecord* group2 = form->Children[1];
    ASSERT_STREQ(group2->Name, "Group2");
    ObjectRecord* destDir = group2->Children[0];
    ASSERT_STREQ(destDir->Name, "grpDestDir");
    EXPECT_STREQ(destDir->Children[0]->Name, "btnBrowse");
    EXPECT_EQ(destDir->Children[2], nullptr);
    EXPECT_EQ(destDir->Children[0]->Children, nullptr) << "a control without children gets no array";
    EXPECT_STREQ(form->Children[10]->Name, "imgLine");
    EXPECT_EQ(form->Children[11], nullptr);
    EXPECT_EQ(std::string(form->Caption), TableString(10058));
    EXPECT_EQ(form->TextLength, static_cast<int>(TableString(10058).size()));
    FreeTree(form);
}

TEST_F(MainTemplateTest, TwoCopiesAreIndependent)
{
    LONG before = LiveRuntimeBlocks();
    ObjectRecord* first = CopyTemplate(MainTemplate());
    ObjectRecord* second = CopyTemplate(MainTemplate());
    ASSERT_NE(first, second);
    first->Children[9]->Children[0]->Value = 55;
    first->Caption[0] = 'X';
    EXPECT_EQ(second->Children[9]->Children[0]->Value, 0);
    EXPECT_NE(second->Caption[0], 'X');
    EXPECT_EQ(MainTemplate()[47].Value, 0);
    EXPECT_NE(first->Children[9], second->Children[9]);
    FreeTree(first);
    FreeTree(second);
    EXPECT_EQ(LiveRuntimeBlocks(), before) << "every record, array and string freed";
}

TEST_F(MainTemplateTest, FormWithoutChildrenGetsNoArray)
{
    ObjectRecord lone = {};
    lone.Kind = KindWindowForm;
    lone.Caption = TableText(0xFFF0);
    lone.TemplateLink = &lone;
    ObjectRecord* copy = CopyTemplate(&lone);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Children, nullptr);
    EXPECT_STREQ(copy->Caption, "") << "an identifier without text";
    EXPECT_EQ(copy->TextLength, 0);
    FreeTree(copy);
}

TEST_F(MainTemplateTest, FormTableFindsByNameIgnoringCase)
{
    ObjectRecord** slot = FirstFreeFormSlot();
    ASSERT_EQ(slot, &g_runtime.buffers->FormTable[0]);
    *slot = const_cast<ObjectRecord*>(MainTemplate());
    EXPECT_EQ(FirstFreeFormSlot(), &g_runtime.buffers->FormTable[1]);
    EXPECT_EQ(FindFormTemplate("main"), MainTemplate());
    EXPECT_EQ(FindFormTemplate("MAIN"), MainTemplate());
    EXPECT_EQ(FindFormTemplate("Other"), nullptr);
    for (int i = 1; i < kFormTableEntries - 1; ++i)
        *FirstFreeFormSlot() = const_cast<ObjectRecord*>(MainTemplate());
    EXPECT_EQ(FirstFreeFormSlot(), nullptr) << "the last entry stays 0";
    EXPECT_EQ(g_runtime.buffers->FormTable[kFormTableEntries - 1], nullptr);
}

}  // namespace
