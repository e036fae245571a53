// LoadPicture and SavePicture: pictures from and to files with Windows paths.
#pragma once

#include "runtime/picture.h"

#include <string>

namespace runtime {

// Loads a picture file (BMP, GIF, JPEG, PNG as bitmaps; ICO and CUR as icons). An empty path gives
// an empty picture; a missing file raises ErrFileNotFound, an unreadable one ErrInvalidPicture.
StdPicture LoadPicture(const std::string& path = {});

// A text in the system's code page as a wide string, as the wide-character functions take paths.
std::wstring wide(const std::string& text);

// Writes a picture's bitmap as a 24-bit BMP file (icons are drawn onto a black bitmap first).
void SavePicture(const StdPicture& picture, const std::string& path);

}
