// Names the window system compares without regard to case (class names, registered messages,
// menu items, font faces) are compared in one folded form.
#pragma once

#include <cctype>
#include <string>

namespace sim {

inline std::string folded_case(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}
