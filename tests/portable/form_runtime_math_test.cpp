#include <gtest/gtest.h>

#include <string>

#include "forms/portable/command_line.h"
#include "forms/portable/form_geometry.h"
#include "forms/portable/object_kinds.h"
#include "base/portable/os_code.h"
#include "forms/portable/references.h"
#include "forms/portable/screen_metrics.h"

namespace {

std::string ArgumentsOf(const char* commandLine, std::size_t capacity = 512)
{
    char buffer[512];
    CommandArguments(commandLine, buffer, capacity);
    return buffer;
}

TEST(CommandArguments, DropsTheProgramPathAndTheBlanksAround)
{
    struct Case { const char* line; const char* arguments; };
    const Case cases[] = {
        {"\"C:\\Program Files\\Instal.exe\"  /x ", "/x"},
        {"\"C:\\Program Files\\Instal.exe\"", ""},
        {"Instal.exe", ""},
        {"Instal.exe /a b", "/a b"},
        {"Instal.exe \t /a\t", "/a"},
        {"\"C:\\unterminated /x", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArgumentsOf(c.line), c.arguments) << c.line;
}

TEST(CommandArguments, IsCutAtTheBuffer)
{
    EXPECT_EQ(ArgumentsOf("Instal.exe abcdef", 4), "abc");
}

TEST(OsCode, FollowsPlatformAndVersion)
{
    struct Case { unsigned platform, major, minor; int code; };
    const Case cases[] = {
        {1, 4, 0, OsWindows95},    {1, 4, 10, OsWindows98},  {1, 4, 90, OsWindows98},
        {2, 4, 0, OsWindowsNT4},   {2, 3, 51, OsWindowsNT4}, {2, 5, 0, OsWindows2000},
        {2, 5, 1, OsWindowsXP},    {2, 5, 2, OsWindowsXP},   {2, 6, 0, OsWindowsLater},
        {2, 10, 0, OsWindowsLater}, {0, 3, 11, OsUnsupported}, {3, 6, 0, OsUnsupported},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OsCodeFor(c.platform, c.major, c.minor), c.code)
            << c.platform << " " << c.major << "." << c.minor;
}

TEST(ScreenMetrics, FactorsAndFontHeightsAt96And120Dpi)
{
    EXPECT_EQ(TwipsPerPixel(96), 15);
    EXPECT_EQ(TwipsPerPixel(120), 12);
    EXPECT_EQ(FontDpiDivisorFor(96), 72);
    EXPECT_EQ(FontDpiDivisorFor(120), 90);
    EXPECT_EQ(FontCharacterHeight(8, 96, 72), -11);
    EXPECT_EQ(FontCharacterHeight(8, 120, 72), -13);
    EXPECT_EQ(FontCharacterHeight(8, 120, 90), -11) << "a font at 96 dpi whatever the screen";
    EXPECT_EQ(FontCharacterHeight(9, 96, 72), -12);
    EXPECT_EQ(FontCharacterHeight(10, 96, 72), -13);
}

TEST(ScreenMetrics, TwipsConvertOnlyInTwipsMode)
{
    EXPECT_EQ(ScaleToPixels(1500, kScaleModeTwips, 15), 100);
    EXPECT_EQ(ScaleToPixels(1514, kScaleModeTwips, 15), 100);
    EXPECT_EQ(ScaleToPixels(1500, 3, 15), 1500);
    EXPECT_EQ(PixelsToScale(100, kScaleModeTwips, 12), 1200);
    EXPECT_EQ(PixelsToScale(100, 0, 12), 100);
}

TEST(References, IdentifiersHandlesAndColours)
{
    EXPECT_TRUE(IsIdentifier(0));
    EXPECT_TRUE(IsIdentifier(0xFFFF));
    EXPECT_FALSE(IsIdentifier(0x10000));
    EXPECT_FALSE(IsResourceNumber(0));
    EXPECT_TRUE(IsResourceNumber(101));
    EXPECT_FALSE(IsResourceNumber(0x10000));
    EXPECT_TRUE(IsSystemColor(0x8000000F));
    EXPECT_EQ(SystemColorIndex(0x80000012), 18);
    EXPECT_FALSE(IsSystemColor(0x00FFFFFF));
    EXPECT_EQ(SystemColor(5), 0x80000005u);
}

TEST(ObjectKinds, ClassOfEveryControlKind)
{
    EXPECT_EQ(ControlClassName(KindWindowForm), nullptr);
    EXPECT_STREQ(ControlClassName(KindLabel), "STATIC");
    EXPECT_STREQ(ControlClassName(KindGroup), "KSGROUP");
    EXPECT_STREQ(ControlClassName(KindPicture), "KSPICTURE");
    EXPECT_STREQ(ControlClassName(KindVScrollBar), "SCROLLBAR");
    EXPECT_STREQ(ControlClassName(KindRichTextBox), "RichEdit20A");
    EXPECT_STREQ(ControlClassName(KindPager), "SysPager");
    EXPECT_STREQ(ControlClassName(KindImageList), "STATIC");
    EXPECT_STREQ(ControlClassName(KindHeader), "SysHeader32");
    EXPECT_EQ(ControlClassName(34), nullptr);
    for (int kind = kFirstControlKind; kind <= kLastKind; ++kind)
        EXPECT_NE(ControlClassName(kind), nullptr) << kind;
}

TEST(FormGeometry, CentresOnScreenAndParent)
{
    EXPECT_EQ(CentredOrigin(0, 1024, 504), 260);
    EXPECT_EQ(CentredOrigin(0, 768, 380), 194);
    EXPECT_EQ(CentredOrigin(100, 301, 101), 100 + 150 - 50);
}

TEST(FormGeometry, StatusBarEdgesAreARunningTotal)
{
    const int widths[] = {100, 50, -1};
    int edges[3];
    StatusBarEdges(widths, 3, edges);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 150);
    EXPECT_EQ(edges[2], -1);

    const int afterFill[] = {-1, 10};
    StatusBarEdges(afterFill, 2, edges);
    EXPECT_EQ(edges[0], -1);
    EXPECT_EQ(edges[1], 9);
}

TEST(FormGeometry, ComboBoxFit)
{
    EXPECT_EQ(ComboFitHeight(8, 13, 21), 129);
    EXPECT_EQ(ComboFitHeight(0, 13, 21), 25);
}

TEST(FormGeometry, AutoSizeKeepsTheAlignedEdgeOrCentre)
{
    const Box old = {100, 50, 80, 20};
    Box left = AutoSizedLabel(old, 40, 10, 0, 0, 0);
    EXPECT_EQ(left.left, 100);
    EXPECT_EQ(left.top, 50);
    EXPECT_EQ(left.width, 40);
    EXPECT_EQ(left.height, 10);

    Box right = AutoSizedLabel(old, 40, 10, 2, 2, 2);
    EXPECT_EQ(right.left + right.width, 180);
    EXPECT_EQ(right.top + right.height, 70);

    Box centre = AutoSizedLabel(old, 40, 10, 0, 0, 1);
    EXPECT_EQ(centre.left + centre.width / 2, 140);
    EXPECT_EQ(centre.top + centre.height / 2, 60);
}

TEST(FormGeometry, WindowMapGrowsBeforeItsLastTwoPairs)
{
    EXPECT_EQ(WindowMapCapacityFor(0, 128), 128u);
    EXPECT_EQ(WindowMapCapacityFor(125, 128), 128u);
    EXPECT_EQ(WindowMapCapacityFor(126, 128), 256u) << "(1008 + 16) x 2 = 2048 bytes of 8-byte pairs";
    EXPECT_EQ(WindowMapCapacityFor(254, 256), 512u);
}

TEST(FormGeometry, ToolbarTexts)
{
    const char* none[] = {"", " ", ""};
    EXPECT_FALSE(ToolbarHasTexts(none, 3));
    const char* one[] = {"", "Obre", " "};
    EXPECT_TRUE(ToolbarHasTexts(one, 3));
    const char* twoBlanks[] = {"  "};
    EXPECT_TRUE(ToolbarHasTexts(twoBlanks, 1));
    EXPECT_FALSE(ToolbarHasTexts(none, 0));
}

}  // namespace

namespace {

TEST(CentredImageOffset, HalvesTheSignedDifference)
{
    struct Case { int window, image, offset; };
    const Case cases[] = {
        {100, 40, 30}, {100, 100, 0}, {40, 100, -30}, {40, 43, -2}, {41, 40, 0},
        // The difference is a 16-bit value: 70000 wraps to 4464.
        {70000, 0, 2232},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CentredImageOffset(c.window, c.image), c.offset) << c.window << " " << c.image;
}

TEST(PlaceButtonPicture, PicturePositionsAroundTheText)
{
    // An 88 x 24 button, caption 30 x 14, picture 16 x 16, "H" 8 wide.
    struct Case { int position, x, y, top, left; bool vertical, horizontal; };
    const Case cases[] = {
        {0, 36, -3, 3, 0, false, true},
        {1, 36, 11, 3, 0, false, true},
        {2, 21, 4, 0, 50, true, false},
        {3, 51, 4, 0, 8, true, false},
    };
    for (const Case& c : cases) {
        ButtonPictureLayout layout = PlaceButtonPicture(c.position, 88, 24, 30, 14, 16, 16, 8);
        EXPECT_EQ(layout.pictureX, c.x) << c.position;
        EXPECT_EQ(layout.pictureY, c.y) << c.position;
        EXPECT_EQ(layout.textTop, c.top) << c.position;
        EXPECT_EQ(layout.textLeft, c.left) << c.position;
        EXPECT_EQ(layout.keepVerticalCentre, c.vertical) << c.position;
        EXPECT_EQ(layout.keepHorizontalCentre, c.horizontal) << c.position;
    }
}

}  // namespace
