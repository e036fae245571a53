// The plain text the rich-text box shows for a document.
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

}
