// The round start button: a glass orb with the program's initial.
#pragma once

#include "resources/tool/canvas.h"

namespace artwork {

enum class OrbState {
    normal,
    hover,
    pressed,
};

void draw_orb(Canvas& canvas, float centre_x, float centre_y, float radius, OrbState state);

}
