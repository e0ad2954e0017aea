#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "forms/form_templates.h"
#include "forms/runtime_memory.h"
#include "message_box_catcher.h"
#include "runtime_fixture.h"
#include "wizard/main_template.h"

namespace {

constexpr DWORD kSys = 0x80000000;

// A few controls of the Main template as the form designer placed them,
// chosen to cover each kind of field: where they sit, how they look.
struct Expected {
    int position;             // in the depth-first order of the copy
    const char* name;
    int kind;
    int id;
    const char* frame;
    int left, top, width, height;
    DWORD style, exStyle;
    const char* caption;      // UTF-8, or kLink for a fictional address
    const char* font;
    int size, bold, underline;
    DWORD back, fore;
    int visible, enabled, tabStop, value, autoSize, mousePointer, mouseIcon, alignment, noPrefix, link,
        indent, customPaint, isDefault, scrollBars;
};

const char* const kLink = "link";
constexpr int kControls = 51;

const Expected kRows[] = {
// pos name          kind              id    frame         l    t    w    h    style       ex       caption                                 font             sz b u back       fore       vis en tab val auto ptr icon al np link ind cp def sb
{0,  "Group1",       KindGroup,        1008, "Main",       0,   0,   500, 296, 0x46000000, 0,       "",                                     "MS Sans Serif", 8, 0,0, 0xFFFFFF,  kSys | 18, 0, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{3,  "radRebootNow", KindOptionButton, 1049, "Group1",     188, 193, 288, 18,  0x44004009, 0,       "Si, vull reiniciar l'ordinador ara",   "Arial",         9, 0,0, 0xFFFFFF,  kSys | 18, 0, 1, 1,  1,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{9,  "stcTallwood",  KindLabel,        1011, "Group1",     23,  252, 117, 15,  0x54000381, 0,       kLink,                                  "Arial",         9, 1,1, 0x800000,  0x00FFFF,  1, 1, 0,  0,  1,   14, 100, 1, 1, 1,   0, 0, 0,  0},
{13, "grpDestDir",   KindGroup,        1020, "Group2",     24,  217, 450, 52,  0x56000000, 0,       "&Ubicació",                            "Arial",         9, 0,0, kSys | 15, kSys | 18, 1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   1, 0, 0,  0},
{14, "btnBrowse",    KindPushButton,   1022, "grpDestDir", 354, 18,  88,  24,  0x54004300, 0,       "&Navegació...",                        "Arial",        10, 0,0, kSys | 15, kSys | 18, 1, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 1, 0,  0},
{24, "List1",        KindListBox,      1033, "Group4",     24,  165, 450, 121, 0x44200043, 0x200,   "",                                     "MS Sans Serif", 8, 0,0, kSys | 5,  kSys | 8,  0, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  2},
{38, "chkMasm32",    KindOptionButton, 1041, "grpPackage", 26,  26,  160, 16,  0x54004009, 0,       "MASM&32",                              "MS Sans Serif", 8, 0,0, kSys | 15, kSys | 18, 1, 1, 1,  1,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
{40, "Edit4",        KindTextBox,      1047, "Group6",     24,  106, 450, 130, 0x543008C4, 0x200,   "",                                     "Arial",         9, 0,0, kSys | 5,  kSys | 8,  1, 1, 0,  0,  0,   1,  0,   0, 1, 0,   0, 0, 0,  3},
{44, "btnNext",      KindPushButton,   1006, "Main",       296, 316, 88,  24,  0x44004000, 0,       "S&egüent",                             "Arial",        10, 0,0, kSys | 15, kSys | 18, 0, 1, 1,  0,  0,   0,  0,   0, 0, 0,   0, 1, 1,  0},
{47, "prbPerCent",   KindProgressBar,  1003, "grpPercent", 21,  216, 454, 19,  0x54000000, 0x20000, "",                                     "MS Sans Serif", 8, 0,0, kSys | 15, kSys | 13, 1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  100},
{50, "imgLine",      KindImageStatic,  1004, "Main",       0,   296, 500, 4,   0x5400010C, 0x200,   "",                                     "MS Sans Serif", 8, 0,0, kSys | 15, kSys | 18, 1, 1, 0,  0,  0,   0,  0,   0, 0, 0,   0, 0, 0,  0},
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
    ASSERT_EQ(records.size(), static_cast<size_t>(kControls));
    for (const Expected& e : kRows) {
        const ObjectRecord& r = *records[e.position].first;
        SCOPED_TRACE(e.name);
        EXPECT_STREQ(r.Name, e.name);
        EXPECT_EQ(r.Kind, e.kind);
        EXPECT_EQ(r.ControlIndex + 1000, e.id);
        EXPECT_EQ(records[e.position].second, e.frame);
        EXPECT_EQ(r.Left, e.left);
        EXPECT_EQ(r.Top, e.top);
        EXPECT_EQ(r.Width, e.width);
        EXPECT_EQ(r.Height, e.height);
        EXPECT_EQ(r.Style, e.style);
        EXPECT_EQ(r.ExStyle, e.exStyle);
        if (e.caption == kLink)
            EXPECT_NE(std::string(r.Caption).find(".test"), std::string::npos) << "a fictional address";
        else
            EXPECT_EQ(std::string(r.Caption), Ansi(e.caption));
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
    EXPECT_EQ(std::string(form->Caption), Ansi(" Assistent d'instal·lació"));
    EXPECT_EQ(form->TextLength, 25);
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
