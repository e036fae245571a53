// LoadPicture and SavePicture: pictures from and to files with Windows paths.
#pragma once

#include "runtime/picture.h"

#include <string>

namespace runtime {

// Loads a picture file (BMP, GIF, JPEG, PNG as bitmaps; ICO and CUR as icons). An empty path gives
// an empty picture; a missing file raises ErrFileNotFound, an unreadable one or one larger than
// any screen (see is_screen_sized) ErrInvalidPicture.
StdPicture LoadPicture(const std::string& path = {});

// Whether a picture of this size is one a screen could show: at most 16,384 pixels a side and
// 2^27 pixels in all (a 16K screen has 15,360 x 8,640). A file that declares more is refused
// before it is decoded, however few bytes it has.
bool is_screen_sized(unsigned width, unsigned height);

// A text in the system's code page as a wide string, as the wide-character functions take paths.
std::wstring wide(const std::string& text);

// Writes a picture's bitmap as a 24-bit BMP file (icons are drawn onto a black bitmap first).
void SavePicture(const StdPicture& picture, const std::string& path);

}
