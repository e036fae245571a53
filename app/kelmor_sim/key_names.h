// Names of keys in scenarios ("F4", "alt", "enter", "A") and their virtual-key codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelmor_sim {

std::optional<uint8_t> virtual_key(std::string_view name);

}
