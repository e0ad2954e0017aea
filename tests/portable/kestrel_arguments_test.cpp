#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sample/portable/document_arguments.h"
#include "sample/portable/document_text.h"

namespace {

using Names = std::vector<std::string>;

const char kProgram[] = "C:\\Program Files\\Kestrel\\Kestrel.exe";

TEST(KestrelArguments, DocumentsFromTheCommandLine)
{
    const struct {
        const char* line;
        Names documents;
    } cases[] = {
        {"\"C:\\Program Files\\Kestrel\\Kestrel.exe\"", {}},
        {"\"C:\\Program Files\\Kestrel\\Kestrel.exe\"   ", {}},
        {"Kestrel.exe", {}},
        // As the shell passes "%1": quoted, blanks inside.
        {"\"C:\\Program Files\\Kestrel\\Kestrel.exe\" \"C:\\Els meus projectes\\Hola món.kst\"",
         {"C:\\Els meus projectes\\Hola món.kst"}},
        // The registered command without quotes around the program.
        {"C:\\Program Files\\Kestrel\\Kestrel.exe \"C:\\a b\\c d.kst\"", {"C:\\a b\\c d.kst"}},
        {"c:\\program files\\kestrel\\KESTREL.EXE C:\\x.kst", {"C:\\x.kst"}},
        {"Kestrel.exe a.kst\t b.ksw  \"c d.kst\"", {"a.kst", "b.ksw", "c d.kst"}},
        {"Kestrel.exe C:\\\"a b\"\\c.kst", {"C:\\a b\\c.kst"}},
        {"Kestrel.exe \"\" \"unterminated name", {"unterminated name"}},
        {"\"Kestrel.exe", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DocumentArguments(c.line, kProgram), c.documents) << c.line;
    EXPECT_EQ(DocumentArguments(nullptr, kProgram), Names{});
    EXPECT_EQ(DocumentArguments("C:\\Program Files\\Kestrel\\Kestrel.exe x.kst", ""), (Names{"Files\\Kestrel\\Kestrel.exe", "x.kst"}))
        << "without the program's path only the first blank ends it";
}

TEST(KestrelArguments, DocumentListRoundTripAndDamagedBlocks)
{
    Names names = {"C:\\a b\\Hola.kst", "D:\\x.ksw"};
    std::string block = PackDocumentList(names);
    EXPECT_EQ(block.size(), names[0].size() + names[1].size() + 2);
    EXPECT_EQ(UnpackDocumentList(block.data(), block.size()), names);
    EXPECT_EQ(UnpackDocumentList(block.data(), block.size() - 1), names) << "last zero missing";
    EXPECT_EQ(UnpackDocumentList("\0\0a\0\0", 5), Names{"a"});
    EXPECT_EQ(UnpackDocumentList("", 0), Names{});
    EXPECT_EQ(PackDocumentList({}), "");
}

TEST(KestrelDocumentText, LineBreaksAndZeroBytes)
{
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\nb\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb"},
        {"a\n\r\nb", "a\r\n\r\nb"},
        {std::string("a\0b", 3), "a b"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditText(c.bytes), c.text);
}

}  // namespace
