#include <gtest/gtest.h>

#include "forms/dispatch_common.h"
#include "base/portable/os_code.h"
#include "forms/property_accessors.h"
#include "forms/window_map.h"
#include "runtime_fixture.h"
#include "screenshot.h"
#include "test_forms.h"
#include "wizard/control_ids.h"
#include "wizard/main_template.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kLight = 0xE0E0E0;
constexpr uint32_t kFace = 0xC0C0C0;

// Redraws the window and captures it once the pixels the test waits for
// show; the capture is also saved for people to look at.
ClientShot Shoot(HWND window, const char* name, const std::function<bool(const ClientShot&)>& painted)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ClientShot shot = CaptureWhen(window, painted);
    SaveScreenshot(shot.capture, name);
    return shot;
}

HBITMAP SolidBitmap(int width, int height, COLORREF color)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

using Painting = RuntimeTest;

TEST_F(Painting, WelcomePageWithLogoAndLinkLabels)
{
    HWND main = reinterpret_cast<HWND>(CreateForm(MainTemplate(), nullptr, false, 0));
    ASSERT_NE(main, nullptr);
    HWND logo = ControlByIdentifier(main, imgLogo);
    SetVisible(ControlByIdentifier(main, grpPercent), 0);
    SetVisible(ControlByIdentifier(main, grpWelcomePage), 1);
    SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(SolidBitmap(168, 300, RGB(0, 160, 0))));
    EXPECT_EQ(GetProperty(logo, PropPicture) != 0, true);
    ClientShot shot = Shoot(main, "welcome_page",
                            [](const ClientShot& shown) { return shown.At(80, 150) == 0x00A000u; });
    EXPECT_EQ(shot.At(80, 150), 0x00A000u) << "the logo fills its image static";
    EXPECT_EQ(shot.At(490, 10), kWhite) << "the white page";
    RECT kestrel = RectIn(ControlByIdentifier(main, stcKestrel), main);
    EXPECT_TRUE(shot.Has(kestrel, 0xFF0000)) << "the web link in its own colour";
    EXPECT_TRUE(shot.Has(kestrel, kWhite));
    RECT asm_ = RectIn(ControlByIdentifier(main, stcAsm), main);
    EXPECT_TRUE(shot.Has(asm_, 0xFFFF00)) << "yellow text";
    EXPECT_TRUE(shot.Has(asm_, 0x000080)) << "on navy";
    DestroyWindow(main);
}

TEST_F(Painting, FramedGroupCaptionBox)
{
    std::vector<ObjectRecord> block = {TestFormRecord(nullptr),
                                       TestControl(KindGroup, 0, 20, 20, 200, 80, "Ab")};
    block[0].ChildCount = 1;
    block[1].Indent = 1;
    block[1].BackColor = 0x00FF00;
    HWND form = CreateTestForm(block);
    HWND group = ControlByIdentifier(form, 1000);
    ObjectRecord* record = FindRecord(group);
    // A left-aligned caption 60 pixels wide and 15 high.
    record->ImageWidth = 62;
    record->CaptionIndent = 9;
    record->ImageHeight = 15;
    ClientShot shot = Shoot(group, "group_caption",
                            [](const ClientShot& shown) { return shown.At(100, 50) == 0x00FF00u; });
    int frameRow = -1;
    for (int y = 0; y < 20 && frameRow < 0; ++y)
        if (shot.At(3, y) != 0x00FF00)
            frameRow = y;
    ASSERT_GE(frameRow, 0) << "the system's frame line";
    ASSERT_LT(frameRow, 17);
    if (g_runtime.OsCode < OsWindowsXP)
        GTEST_SKIP() << "the runtime draws the caption from Windows XP on";
    for (int x : {7, 8, 40, 55, 70})
        EXPECT_EQ(shot.At(x, frameRow), 0x00FF00u) << "caption box covers x " << x;
    EXPECT_NE(shot.At(71, frameRow), 0x00FF00u) << "the box ends before x 71";
    EXPECT_NE(shot.At(6, frameRow), 0x00FF00u) << "the box starts at x 7";
    EXPECT_EQ(shot.At(60, 16), 0x00FF00u) << "down to y 16";
    EXPECT_TRUE(shot.Has({9, 0, 30, 17}, kBlack)) << "the caption in the group's colour";
    DestroyWindow(form);
}

TEST_F(Painting, AGroupCaptionSetLaterIsMeasuredInTheGroupsFont)
{
    HWND main = reinterpret_cast<HWND>(CreateForm(MainTemplate(), nullptr, false, 0));
    ASSERT_NE(main, nullptr);
    HWND group = ControlByIdentifier(main, grpAssociate);
    const char caption[] = "Desmarqueu els fitxers que no vulgueu associar a Kestrel";
    SetWindowTextA(group, caption);
    HDC dc = GetDC(group);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(group, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &size);
    SelectObject(dc, previous);
    ReleaseDC(group, dc);
    EXPECT_EQ(FindRecord(group)->ImageWidth, size.cx + 2) << "the caption box holds the whole caption";
    EXPECT_NE(FindRecord(group)->Font, nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(group, WM_GETFONT, 0, 0)), FindRecord(group)->Font);
    SetVisible(ControlByIdentifier(main, grpPercent), 0);
    SetVisible(ControlByIdentifier(main, grpOptionsPage), 1);
    // The caption's last letters, drawn in the group's text colour.
    RECT captionEnd = {size.cx - 12, 0, size.cx + 12, 16};
    ClientShot shot = Shoot(group, "group_caption_set_later",
                            [&](const ClientShot& shown) { return shown.Has(captionEnd, kBlack); });
    EXPECT_TRUE(shot.Has(captionEnd, kBlack)) << "the whole caption is drawn, up to x " << size.cx;
    DestroyWindow(main);
}

TEST_F(Painting, OwnerDrawnButtonStates)
{
    std::vector<ObjectRecord> block = {TestFormRecord(nullptr)};
    const char* names[] = {"normal", "focused", "pressed", "disabled"};
    for (int i = 0; i < 4; ++i) {
        ObjectRecord button = TestControl(KindPushButton, i, 10 + 90 * i, 10, 80, 30, "OK");
        button.Style = WS_VISIBLE | BS_OWNERDRAW;
        button.DrawStyle = 1;
        button.CustomPaint = 1;
        button.TabStop = 1;
        block.push_back(button);
    }
    block[4].Style |= WS_DISABLED;
    block[4].Enabled = 0;
    block[0].ChildCount = 4;
    HWND form = CreateTestForm(block);
    HWND buttons[4];
    for (int i = 0; i < 4; ++i)
        buttons[i] = ControlByIdentifier(form, 1000 + i);
    SetFocus(buttons[1]);
    SendMessageA(buttons[2], BM_SETSTATE, TRUE, 0);
    ClientShot shots[4];
    for (int i = 0; i < 4; ++i) {
        std::string name = std::string("owner_drawn_") + names[i];
        shots[i] = Shoot(buttons[i], name.c_str(), [](const ClientShot& shown) { return shown.At(5, 5) == kFace; });
    }
    const ClientShot& normal = shots[0];
    EXPECT_EQ(normal.At(0, 15), kWhite);
    EXPECT_EQ(normal.At(40, 0), kWhite);
    EXPECT_EQ(normal.At(1, 15), kLight);
    EXPECT_EQ(normal.At(79, 15), kBlack);
    EXPECT_EQ(normal.At(40, 29), kBlack);
    EXPECT_EQ(normal.At(78, 15), kGrey);
    EXPECT_EQ(normal.At(40, 28), kGrey);
    EXPECT_EQ(normal.At(5, 5), kFace);

    const ClientShot& focused = shots[1];
    EXPECT_EQ(focused.At(0, 15), kBlack) << "default look: a black frame";
    EXPECT_EQ(focused.At(1, 15), kWhite);
    EXPECT_EQ(focused.At(78, 15), kBlack);
    EXPECT_EQ(focused.At(77, 15), kGrey);
    EXPECT_TRUE(focused.Has({4, 6, 5, 24}, kFace ^ kWhite)) << "the dotted focus rectangle 4 pixels in";

    const ClientShot& pressed = shots[2];
    EXPECT_EQ(pressed.At(0, 15), kGrey) << "a grey one-pixel frame";
    EXPECT_EQ(pressed.At(79, 15), kGrey);
    EXPECT_EQ(pressed.At(5, 5), kFace);
    auto topTextRow = [](const ClientShot& shot) {
        for (int y = 3; y < 27; ++y)
            for (int x = 3; x < 77; ++x)
                if (shot.At(x, y) == kBlack)
                    return y;
        return -1;
    };
    EXPECT_EQ(topTextRow(pressed), topTextRow(normal) + 1) << "the text moves down one pixel";

    const ClientShot& disabled = shots[3];
    RECT inside = {3, 3, 77, 27};
    EXPECT_TRUE(disabled.Has(inside, kWhite)) << "embossed: white";
    EXPECT_TRUE(disabled.Has(inside, kGrey)) << "embossed: grey";
    EXPECT_FALSE(disabled.Has(inside, kBlack)) << "no enabled text";
    DestroyWindow(form);
}

TEST_F(Painting, FormPictureAndTransparentLabelOverAnImage)
{
    std::vector<ObjectRecord> block = {TestFormRecord(nullptr),
                                       TestControl(KindLabel, 0, 150, 120, 100, 40, "Hola"),
                                       TestControl(KindImageStatic, 1, 120, 100, 160, 100, nullptr)};
    block[0].ChildCount = 2;
    block[0].Picture = SolidBitmap(100, 50, RGB(0, 0, 255));
    block[1].CustomPaint = 1;
    block[1].BackColor = 0x800000;
    block[2].BackColor = 0x00A000;
    block[2].Picture = SolidBitmap(40, 20, RGB(255, 0, 0));
    HWND form = CreateTestForm(block);
    HWND label = ControlByIdentifier(form, 1000);
    HWND image = ControlByIdentifier(form, 1001);
    ClientShot shot = Shoot(form, "picture_and_transparent_label",
                            [](const ClientShot& shown) { return shown.At(10, 10) == 0x0000FFu; });
    EXPECT_EQ(shot.At(10, 10), 0x0000FFu) << "the form's bitmap at the top-left corner";
    EXPECT_EQ(shot.At(99, 49), 0x0000FFu);
    EXPECT_EQ(shot.At(100, 10), kWhite) << "the band right of the picture";
    EXPECT_EQ(shot.At(10, 50), kWhite) << "the band below it";
    // The image static (160 x 100 at 120, 100) centres its 40 x 20 bitmap.
    EXPECT_EQ(shot.At(120 + 60, 100 + 40), 0xFF0000u);
    EXPECT_EQ(shot.At(120 + 59, 100 + 40), 0x00A000u);
    EXPECT_EQ(shot.At(120 + 99, 100 + 59), 0xFF0000u);
    EXPECT_EQ(shot.At(120 + 100, 100 + 59), 0x00A000u);
    EXPECT_EQ(shot.At(150 + 95, 120 + 35), 0x00A000u) << "the label shows the image beneath, not navy";
    EXPECT_TRUE(shot.Has({150, 120, 200, 140}, kBlack)) << "its text drawn over the image";

    ValidateRect(label, nullptr);
    Repaint(image, true);
    RECT pending;
    EXPECT_TRUE(GetUpdateRect(label, &pending, FALSE)) << "the label above is drawn again";
    DestroyWindow(form);
}

}  // namespace
