#include "resources/tool/artwork.h"

namespace artwork {

Artwork draw_artwork()
{
    Artwork artwork;
    add_caption_buttons(artwork);
    add_border_skins(artwork);
    add_glows(artwork);
    add_colour_schemes(artwork);
    add_settings_pictures(artwork);
    add_taskbar_pictures(artwork);
    add_start_menu_pictures(artwork);
    add_program_icon(artwork);
    return artwork;
}

const Canvas& skin_picture(const Artwork& artwork, const std::string& name)
{
    static const Canvas none;
    for (auto& skin : artwork.skins) {
        if (skin.name == name)
            return skin.picture;
    }
    return none;
}

const Canvas& designer_picture(const Artwork& artwork, const std::string& name)
{
    static const Canvas none;
    for (auto& picture : artwork.pictures) {
        if (picture.name == name)
            return picture.picture;
    }
    return none;
}

}
