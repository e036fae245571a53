// Pictures whose shape is cut out by colour: pure red marks what is left out, so no pixel that
// belongs to the picture may be pure red.
#pragma once

#include "resources/tool/canvas.h"

namespace artwork {

constexpr Colour key_red = rgb(255, 0, 0);

// Makes the picture opaque: pixels less than half covered become pure red, the others are laid
// over the matte (the colour the picture is usually seen against).
void cut_out(Canvas& picture, Colour matte);

// Makes the picture opaque over the matte, nudging any pixel that would read as pure red.
void flatten(Canvas& picture, Colour matte);

}
