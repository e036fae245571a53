#include "resources/designer_pictures.h"

namespace artwork {

const DesignerPicture* designer_picture(std::string_view name)
{
    for (auto& picture : designer_pictures()) {
        if (picture.name == name)
            return &picture;
    }
    return nullptr;
}

const DesignerIcon* designer_icon(std::string_view name)
{
    for (auto& icon : designer_icons()) {
        if (icon.name == name)
            return &icon;
    }
    return nullptr;
}

}
