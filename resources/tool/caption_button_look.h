// How a caption button looks: a glass pill hanging from the border's top edge, with its glyph.
#pragma once

#include "resources/tool/canvas.h"
#include "resources/tool/shapes.h"

namespace artwork {

enum class Glyph {
    minimise,
    maximise,
    restore,
    close,
};

enum class ButtonState {
    normal,
    hover,
    pressed,
    inert,
};

// Light glass sits on the border's glass; dark glass on the black bar of a maximised border.
enum class ButtonTone {
    light,
    dark,
};

struct ButtonLook {
    Glyph glyph = Glyph::minimise;
    ButtonState state = ButtonState::normal;
    ButtonTone tone = ButtonTone::light;
    // Below 1 the body lets the glass behind it show through; the glyph stays opaque.
    float opacity = 1;
};

// The rounded outline of a button at a place in a group: only the group's outer corners round.
Corners button_corners(bool is_first_in_group, bool is_last_in_group);

void draw_caption_button(Canvas& canvas, Box box, Corners corners, ButtonLook look);

}
