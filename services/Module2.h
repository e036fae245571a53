// Module2: colour-keyed outlines of whole forms, for the skins.
#pragma once

#include "runtime/form.h"

// Switches the form's persistent image on and its scale to pixels, by property name, so that its
// drawing surface is what ShapeFormByColor reads.
void PrepareFormForRegion(runtime::Form& form);

// Deletes a region the program still owns (one no window has taken).
void FreeRegion(HRGN hRgn);

// Gives the form a window region of its whole client rectangle minus every pixel whose colour on
// the form's drawing surface is TransColor.
void ShapeFormByColor(runtime::Form& form, long TransColor);
