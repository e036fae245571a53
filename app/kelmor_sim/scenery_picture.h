// A landscape drawn by code: an evening sky, a sun, mountain ranges and a lake that mirrors
// them. The demo lays it on the desktop as a wallpaper with colour and detail for the glass to
// blur and tint.
#pragma once

#include "platform/sim/gdi/bitmap.h"

namespace kelmor_sim {

// The landscape at the size given; the same size always gives the same pixels.
sim::Bitmap scenery_picture(int width, int height);

}
