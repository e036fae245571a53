// `expect pixel X Y #RRGGBB [±N]`: a pixel of the screen as the user sees it, each channel within
// N of the colour (0 when no tolerance is given).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelmor_sim {

// Both take the words after "pixel".
std::optional<std::string> validate_pixel_expectation(const std::vector<std::string>& values);
std::optional<std::string> check_pixel_expectation(const std::vector<std::string>& values);

}
