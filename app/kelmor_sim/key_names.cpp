#include "app/kelmor_sim/key_names.h"

#include "platform/win32.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace kelmor_sim {

namespace {

struct NamedKey {
    const char* name;
    uint8_t key;
};

const NamedKey named_keys[] = {
    { "ALT", VK_MENU }, { "CTRL", VK_CONTROL }, { "CONTROL", VK_CONTROL }, { "SHIFT", VK_SHIFT },
    { "WIN", VK_LWIN }, { "ENTER", VK_RETURN }, { "RETURN", VK_RETURN }, { "ESCAPE", VK_ESCAPE },
    { "ESC", VK_ESCAPE }, { "TAB", VK_TAB }, { "SPACE", VK_SPACE }, { "BACKSPACE", VK_BACK },
    { "DELETE", VK_DELETE }, { "INSERT", VK_INSERT }, { "HOME", VK_HOME }, { "END", VK_END },
    { "PAGEUP", VK_PRIOR }, { "PAGEDOWN", VK_NEXT }, { "LEFT", VK_LEFT }, { "RIGHT", VK_RIGHT },
    { "UP", VK_UP }, { "DOWN", VK_DOWN },
};

}

std::optional<uint8_t> virtual_key(std::string_view name)
{
    std::string upper;
    for (char c : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper.size() == 1 && std::isalnum(static_cast<unsigned char>(upper[0])))
        return static_cast<uint8_t>(upper[0]);
    if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == 'F') {
        int number = std::atoi(upper.c_str() + 1);
        if (number >= 1 && number <= 12 && std::to_string(number) == upper.substr(1))
            return static_cast<uint8_t>(VK_F1 + number - 1);
    }
    for (auto& named : named_keys) {
        if (upper == named.name)
            return named.key;
    }
    return std::nullopt;
}

}
