// Everything kelmor-artwork draws: the skin files of the program folder and the pictures
// compiled into the program.
#pragma once

#include "resources/tool/canvas.h"
#include "resources/tool/encoders.h"

#include <string>
#include <vector>

namespace artwork {

enum class SkinFormat {
    png_with_alpha,
    bmp,
};

struct SkinFile {
    std::string name;
    SkinFormat format = SkinFormat::png_with_alpha;
    Canvas picture;
};

struct PictureEntry {
    std::string name;
    std::string description;
    Canvas picture;
    int bits_per_pixel = 24;
    int hot_spot_x = -1;
    int hot_spot_y = -1;
};

struct IconEntry {
    std::string name;
    std::string description;
    std::vector<IconImage> images;
};

struct Artwork {
    std::vector<SkinFile> skins;
    std::vector<PictureEntry> pictures;
    std::vector<IconEntry> icons;
};

Artwork draw_artwork();

// The picture of a skin file or a designer picture by its name; an empty canvas when unknown.
const Canvas& skin_picture(const Artwork& artwork, const std::string& name);
const Canvas& designer_picture(const Artwork& artwork, const std::string& name);

void add_caption_buttons(Artwork&);
void add_border_skins(Artwork&);
void add_glows(Artwork&);
void add_colour_schemes(Artwork&);
void add_settings_pictures(Artwork&);
void add_taskbar_pictures(Artwork&);
void add_start_menu_pictures(Artwork&);
void add_program_icon(Artwork&);

}
