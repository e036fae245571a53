// modBlurPasses: repeated in-place blurs of a picture box's persistent image.
#pragma once

#include "runtime/forms.h"

// Blurs Box's persistent image in place Passes times with the effects library; a pass that fails
// (the library missing) is skipped.
void BlurInPlace(runtime::PictureBox& Box, int Passes);
