// What kelmor-artwork writes: the skin files, the C++ source of the designer pictures, the
// program's icon file and a contact sheet of everything.
#pragma once

#include "resources/tool/artwork.h"

#include <filesystem>
#include <string>

namespace artwork {

// Each returns an empty text on success, else what went wrong.
std::string write_skin_files(const Artwork& artwork, const std::filesystem::path& folder);
std::string write_designer_source(const Artwork& artwork, const std::filesystem::path& file);
std::string write_icon_file(const Artwork& artwork, const std::filesystem::path& file);
std::string write_contact_sheet(const Artwork& artwork, const std::filesystem::path& file);

std::string write_file(const std::filesystem::path& file, const Bytes& bytes);

}
