#include "app/kelmor_sim/json_writer.h"
#include "app/kelmor_sim/key_names.h"
#include "app/kelmor_sim/scenario.h"

#include <gtest/gtest.h>

namespace {

using kelmor_sim::parse_scenario;

TEST(ScenarioParser, WordsCommentsAndQuotes)
{
    auto scenario = parse_scenario("# a comment\n\n  open w \"C:\\Windows\\notepad.exe\" Notepad \"Say \\\"hi\\\"\" "
                                   "0,0,10,10\r\nwait 5\n");
    ASSERT_TRUE(scenario.is_valid());
    ASSERT_EQ(scenario.commands.size(), 2u);
    const auto& open = scenario.commands[0];
    EXPECT_EQ(open.line, 3);
    EXPECT_EQ(open.name, "open");
    ASSERT_EQ(open.arguments.size(), 5u);
    EXPECT_EQ(open.arguments[1], "C:\\Windows\\notepad.exe");
    EXPECT_EQ(open.arguments[3], "Say \"hi\"");
    EXPECT_EQ(scenario.commands[1].line, 4);
    EXPECT_EQ(scenario.commands[1].arguments, (std::vector<std::string> { "5" }));
}

TEST(ScenarioParser, ErrorsNameTheLineAndEveryBadLineIsReported)
{
    auto scenario = parse_scenario("wait\nfly away\ntitle w \"open\nwait 1\nscreenshot\n");
    EXPECT_EQ(scenario.commands.size(), 1u);
    ASSERT_EQ(scenario.errors.size(), 4u);
    EXPECT_EQ(scenario.errors[0].line, 1);
    EXPECT_EQ(scenario.errors[0].message, "wait takes 1 arguments, not 0");
    EXPECT_EQ(scenario.errors[1].message, "unknown command \"fly\"");
    EXPECT_EQ(scenario.errors[2].line, 3);
    EXPECT_EQ(scenario.errors[3].line, 5);
}

TEST(ScenarioParser, StartKelmorParsesAsACommand)
{
    auto scenario = parse_scenario("start Kelmor\n");
    ASSERT_TRUE(scenario.is_valid());
    EXPECT_EQ(scenario.commands[0].name, "start");
}

TEST(ScenarioParser, NumbersAndRectangles)
{
    EXPECT_EQ(kelmor_sim::parse_number("0x10CF0000"), 0x10CF0000);
    EXPECT_EQ(kelmor_sim::parse_number("-12"), -12);
    EXPECT_FALSE(kelmor_sim::parse_number("12px"));
    EXPECT_FALSE(kelmor_sim::parse_number(""));
    auto rectangle = kelmor_sim::parse_rectangle("10,-20,300,400");
    ASSERT_TRUE(rectangle);
    EXPECT_EQ(rectangle->top, -20);
    EXPECT_EQ(rectangle->bottom, 400);
    EXPECT_FALSE(kelmor_sim::parse_rectangle("10,20,300"));
    EXPECT_FALSE(kelmor_sim::parse_rectangle("10,20,300,400,5"));
    EXPECT_FALSE(kelmor_sim::parse_rectangle("300,20,10,400"));
}

TEST(ScenarioParser, KeyNames)
{
    EXPECT_EQ(kelmor_sim::virtual_key("F4"), 0x73);
    EXPECT_EQ(kelmor_sim::virtual_key("alt"), 0x12);
    EXPECT_EQ(kelmor_sim::virtual_key("a"), 'A');
    EXPECT_FALSE(kelmor_sim::virtual_key("F13"));
    EXPECT_FALSE(kelmor_sim::virtual_key("F04"));
    EXPECT_FALSE(kelmor_sim::virtual_key("hyper"));
}

TEST(JsonWriter, NestedValuesAndEscapes)
{
    kelmor_sim::JsonWriter json;
    json.begin_object();
    json.key("title");
    json.value("a \"b\"\\\n\xE9");
    json.key("list");
    json.begin_array();
    json.value(1);
    json.null();
    json.end_array();
    json.key("empty");
    json.begin_array();
    json.end_array();
    json.end_object();
    EXPECT_EQ(json.text(), "{\n  \"title\": \"a \\\"b\\\"\\\\\\n\\u00e9\",\n  \"list\": [\n    1,\n    null\n  ],\n"
                           "  \"empty\": []\n}\n");
}

}
