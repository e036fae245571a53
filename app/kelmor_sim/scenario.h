// Scenarios for kelmor-sim: text files of commands, one a line, parsed before anything runs.
#pragma once

#include "platform/api/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmor_sim {

struct Command {
    int line = 0;
    std::string name;
    std::vector<std::string> arguments;
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

struct Scenario {
    std::vector<Command> commands;
    std::vector<ScenarioError> errors;
    bool is_valid() const { return errors.empty(); }
};

// Splits each line into words (a word in double quotes may hold blanks; \" stands for a quote
// inside one) and checks every command's name and number of arguments. Blank lines and lines
// starting with "#" are skipped.
Scenario parse_scenario(std::string_view text);

// Reads "left,top,right,bottom".
struct Rectangle {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
std::optional<Rectangle> parse_rectangle(std::string_view text);
// The screen edge ABE_LEFT, ABE_TOP, ABE_RIGHT or ABE_BOTTOM for "left", "top", "right", "bottom".
std::optional<UINT> taskbar_edge_named(std::string_view name);
// Reads a decimal number, or a hexadecimal one after "0x".
std::optional<long long> parse_number(std::string_view text);
// Turns the escapes of a text value into what they stand for: "\r" a carriage return, "\n" a line
// feed, "\\" one backslash; any other backslash stays as it is, so Windows paths read as written.
std::string unescape_line_ends(std::string_view text);
// Reads "#RRGGBB" as 0xRRGGBB.
std::optional<uint32_t> parse_color(std::string_view text);

}
