// modLoadPicBox: draws an image file (any format GDI+ reads, its alpha channel honoured) into the
// persistent image of a picture box: at its own size, stretched over the box, or over the box's
// width and upper half.
#pragma once

#include "runtime/forms.h"

#include <cstdint>
#include <string>

// Each draws FileName at (X, Y) in pixels and returns whether it was drawn. ErrMsg becomes empty
// or the text of the step that failed; the box keeps what it had on any failure. AutoSize is
// accepted and has no effect. Every call checks the file; its decoded image is kept for the next
// calls until the file changes (see decoded_images.h), with GDI+ started once.

// At the image's own size.
bool LoadPictureGDIPlus(std::string FileName, runtime::PictureBox& Pic, int16_t X, int16_t Y, bool AutoSize,
    std::string& ErrMsg);
// Over the box's ScaleWidth by ScaleHeight, taken as pixels (the box in pixel scale).
bool LoadPictureGDIPlusStretched(std::string FileName, runtime::PictureBox& Pic, int16_t X, int16_t Y,
    bool AutoSize, std::string& ErrMsg);
// Over ScaleWidth / 15 by ScaleHeight / 2 / 15 pixels (the box in twips): its full width, upper half.
bool LoadPictureGDIPlusHalf(std::string FileName, runtime::PictureBox& Pic, int16_t X, int16_t Y, bool AutoSize,
    std::string& ErrMsg);

// Disposes of the kept images and shuts GDI+ down, as the program's end does last.
void release_image_drawing(runtime::Program& program);
