#include "platform/sim/kernel/wildcard.h"

#include <cctype>

namespace sim {

namespace {

bool same_letter(char a, char b)
{
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

}

bool matches_wildcard(std::string_view pattern, std::string_view name)
{
    // "*.*" is the classic way of asking for every file, with or without an extension.
    if (pattern == "*.*")
        pattern = "*";

    // Backtracking over the last "*" seen is enough for patterns of "*" and "?".
    size_t p = 0;
    size_t n = 0;
    size_t star = std::string_view::npos;
    size_t star_name = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same_letter(pattern[p], name[n]))) {
            ++p;
            ++n;
            continue;
        }
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            star_name = n;
            continue;
        }
        if (star == std::string_view::npos)
            return false;
        p = star + 1;
        n = ++star_name;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}
