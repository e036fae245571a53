// Module2: colour-keyed outlines of whole forms, for the skins, and the desktop's icons.
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

// Hide or show the desktop's icon window ("Program Manager"). Nothing happens without one.
void HideDesktopIcons();
void ShowDesktopIcons();

// Switches the desktop's icon list view to a view: 0 large icons, 1 details, 2 small icons, 3 list.
// The list view is told of the new style and changes its view; its stored style is not written.
// A Style outside 0 to 3 is refused: it would set style bits that select no view.
void SetDesktopViewStyle(long Style);
