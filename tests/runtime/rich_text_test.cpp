// What the rich-text reader makes of a document, and the plain text the rich-text box gives for it.
#include "runtime/rich_text.h"
#include "runtime/rich_text_box.h"

#include <gtest/gtest.h>

namespace {

TEST(RichText, PlainTextLeavesOutTablesAndControlWords)
{
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                      "\\f0\\fs20 Version 3.1\\par New: {\\b faster} glass\\par caf\\'e9 \\{x\\}}";
    EXPECT_EQ(runtime::plain_text_from_rtf(rtf), "Version 3.1\r\nNew: faster glass\r\ncaf\xe9 {x}");
}

TEST(RichText, TextThatIsNotRichTextStaysAsItIs)
{
    EXPECT_EQ(runtime::plain_text_from_rtf("plain words"), "plain words");
}

TEST(RichText, ParagraphsKeepTheirBoldItalicUnderlineSizesAndColours)
{
    auto document = runtime::read_rich_text("{\\rtf1{\\colortbl;\\red192\\green0\\blue0;\\red0\\green0\\blue255;}"
                                            "{\\*\\generator Pad;}\\fs32\\b Kelmor 3.1\\b0\\par"
                                            "\\fs20\\i new\\i0 , {\\ul under}\\ulnone  \\cf2 blue\\cf0 \\par\\par end\\par}");
    ASSERT_EQ(document.paragraphs.size(), 4u);
    const auto& title = document.paragraphs[0].runs;
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].text, "Kelmor 3.1");
    EXPECT_TRUE(title[0].style.is_bold);
    EXPECT_EQ(title[0].style.half_points, 32);
    const auto& line = document.paragraphs[1].runs;
    ASSERT_EQ(line.size(), 5u);
    EXPECT_EQ(line[0].text, "new");
    EXPECT_TRUE(line[0].style.is_italic);
    EXPECT_EQ(line[0].style.half_points, 20);
    EXPECT_EQ(line[2].text, "under");
    EXPECT_TRUE(line[2].style.is_underlined);
    EXPECT_FALSE(line[3].style.is_underlined);
    EXPECT_EQ(line[4].text, "blue");
    EXPECT_EQ(line[4].style.colour, RGB(0, 0, 255));
    EXPECT_TRUE(document.paragraphs[2].runs.empty());
    EXPECT_EQ(document.plain_text(), "Kelmor 3.1\r\nnew, under blue\r\n\r\nend");
}

// A document cut off in transfer, or one full of words the reader does not know, shows its text
// and never its markup.
TEST(RichText, UnknownOrCutOffMarkupNeverShows)
{
    EXPECT_EQ(runtime::plain_text_from_rtf("{\\rtf1 {\\pntext x}\\zz9 y {\\*\\unknown hidden}\\u8364?\\~z\\par ne"),
        "xy ? z\r\nne");
}

}
