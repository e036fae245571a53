// Menus: their items, and the modal loop of a pop-up menu.
#pragma once

#include "platform/sim/handle_table.h"
#include "platform/api/user.h"

#include <string>
#include <vector>

namespace sim {

struct MenuItem {
    UINT flags = 0;
    UINT_PTR id = 0;
    std::string text;
};

struct Menu : Object {
    bool is_popup = false;
    std::vector<MenuItem> items;
};

Menu* find_menu(HMENU menu);
// The item's text as the user reads it: without the '&' that marks the access key.
std::string visible_text(const std::string& text);

}
