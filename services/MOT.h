// MOT: outlines cut from pictures: every pure red pixel of a picture box's picture is left out.
#pragma once

#include "runtime/picture_box.h"

// A new region of the picture's pixels that are not pure red (RGB(255, 0, 0)), read from the box's
// drawing surface over the picture's size. The caller owns it until a window takes it.
HRGN RegionFromPicture(runtime::PictureBox& pic);

// Makes the box borderless, persistent and as large as its picture, and gives its window the
// region of its picture's pixels that are not pure red.
void ShapePictureBox(runtime::PictureBox& pic);
