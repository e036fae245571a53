// Scenes for the contact sheet that put the pictures where the program shows them, so the
// artwork can be judged together: a border's caption, the taskbar with its start menu and the
// preferences menu.
#pragma once

#include "resources/tool/artwork.h"

#include <string>
#include <vector>

namespace artwork {

struct Preview {
    std::string name;
    Canvas picture;
};

std::vector<Preview> draw_in_place_previews(const Artwork& artwork);

}
