// File-name patterns as Windows matches them: "*" and "?", regardless of case.
#pragma once

#include <string_view>

namespace sim {

bool matches_wildcard(std::string_view pattern, std::string_view name);

}
