#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/portable/characters.h"
#include "wizard/portable/page_flow.h"
#include "wizard/portable/wizard_texts.h"

namespace {

TEST(PageFlow, NextAndPreviousSkipTheOptionsPageOnlyWhenItIsEmptyOrKindIs0)
{
    struct Case { int optionsContent; int setupKind; unsigned afterGroup; unsigned beforeSummary; };
    const Case cases[] = {
        {1, 1, PageOptions, PageOptions},
        {1, 2, PageOptions, PageOptions},
        {0, 1, PageSummary, PageProgramGroup},
        {1, 0, PageSummary, PageProgramGroup},
        {0, 0, PageSummary, PageProgramGroup},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextPageNumber(PageProgramGroup, c.optionsContent, c.setupKind), c.afterGroup);
        EXPECT_EQ(PreviousPageNumber(PageSummary, c.optionsContent, c.setupKind), c.beforeSummary);
    }
    for (unsigned page = PageWelcome; page < PageProgramGroup; ++page) {
        EXPECT_EQ(NextPageNumber(page, 0, 0), page + 1);
        EXPECT_EQ(PreviousPageNumber(page + 1, 0, 0), page);
    }
    EXPECT_EQ(NextPageNumber(PageSummary, 1, 1), PageInstalling);
}

TEST(ComposeSummary, LabelsValuesAndEmptyLines)
{
    char buffer[260];
    SummaryParts parts = {" Nom:\t\t\t", "Anna", " Empresa:\t\t", "", " Carpeta:\t\t\t",
                          "C:\\Program Files\\Kestrel", " Grup de programes:\t", "Cap"};
    ComposeSummary(buffer, sizeof buffer, parts);
    EXPECT_STREQ(buffer,
                 " Nom:\t\t\tAnna\r\n\r\n Empresa:\t\t\r\n\r\n Carpeta:\t\t\tC:\\Program Files\\Kestrel"
                 "\r\n\r\n Grup de programes:\tCap");
}

TEST(ComposeSummary, LongEntriesAreCutAtTheBuffer)
{
    char buffer[260 + 8];
    std::memset(buffer, 'x', sizeof buffer);
    std::string name(200, 'n');
    std::string organization(200, 'o');
    SummaryParts parts = {"N:", name.c_str(), "E:", organization.c_str(), "C:", "D", "G:", "Cap"};
    ComposeSummary(buffer, 260, parts);
    EXPECT_EQ(std::strlen(buffer), 259u);
    EXPECT_EQ(buffer[260], 'x');
}

TEST(PreviousInstallText, ComposesTheQuestionLineByLine)
{
    char buffer[520];
    InstalledCopy copy = {"Kestrel", "1.0", "Catala", "C:\\Program Files\\Kestrel"};
    ComposeInstalledText(buffer, sizeof buffer, "Detected", "is installed. Folder:\r\n\r\n", copy);
    AppendRemovalQuestion(buffer, sizeof buffer, "\r\n\r\nRemove it to install", "Kestrel", "2.0", "Catala");
    EXPECT_STREQ(buffer,
                 "Detected Kestrel 1.0 (Catala) is installed. Folder:\r\n\r\nC:\\Program Files\\Kestrel"
                 "\r\n\r\nRemove it to install Kestrel 2.0 (Catala)?");
}

TEST(PreviousInstallText, UnreadableValuesAddNothing)
{
    char buffer[520];
    InstalledCopy copy = {"Kestrel", "", "", ""};
    ComposeInstalledText(buffer, sizeof buffer, "D", "I:", copy);
    EXPECT_STREQ(buffer, "D Kestrel  () I:");
}

TEST(RemoveFirstSpace, OnlyTheFirst)
{
    char text[32] = "Kes trel 2 0";
    RemoveFirstSpace(text);
    EXPECT_STREQ(text, "Kestrel 2 0");
    char none[32] = "Kestrel";
    RemoveFirstSpace(none);
    EXPECT_STREQ(none, "Kestrel");
}

TEST(EqualNoCase, AnsiLetters)
{
    EXPECT_TRUE(EqualNoCase("KESTREL", "kestrel"));
    EXPECT_TRUE(EqualNoCase("Catal\xC0", "catal\xE0"));
    EXPECT_FALSE(EqualNoCase("Kestrel", "Kestrel2"));
    EXPECT_FALSE(EqualNoCase("\xD7", "\xF7")) << "multiplication and division signs are no letters";
    EXPECT_TRUE(EqualNoCase("", ""));
}

TEST(DestinationForBrowsedFolder, AppendsTheDefaultNameOnce)
{
    struct Case { const char* browsed; const char* destination; };
    const Case cases[] = {
        {"D:\\Apps", "D:\\Apps\\Kestrel"},
        {"D:\\Apps\\Kestrel", "D:\\Apps\\Kestrel"},
        {"D:\\Apps\\KESTREL", "D:\\Apps\\KESTREL"},
        {"D:\\", "D:\\Kestrel"},
        {"D:\\KestrelOld", "D:\\KestrelOld\\Kestrel"},
    };
    for (const Case& c : cases) {
        char path[260];
        std::strcpy(path, c.browsed);
        DestinationForBrowsedFolder(path, sizeof path, "Kestrel");
        EXPECT_STREQ(path, c.destination) << c.browsed;
    }
}

}  // namespace
