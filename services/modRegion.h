// modRegion: the rounded outline of a border window.
#pragma once

#include "runtime/form.h"

// Gives the form a window region of its client rectangle with rounded corners, each corner an
// ellipse Radius pixels wide and high (0 gives a plain rectangle). The form's scale is switched to
// pixels for the measuring and is twips afterwards. KeyColor and ByColor do not change the shape:
// a colour-keyed outline is ShapeFormByColor's. An unloaded form raises the runtime's error.
void SetFormRegion(runtime::Form& form, long KeyColor, int16_t Radius, bool ByColor = false);
