#include "border/designer_bitmap.h"

#include "resources/designer_pictures.h"

runtime::StdPicture designer_bitmap(const std::string& name)
{
    const artwork::DesignerPicture* picture = artwork::designer_picture(name);
    if (!picture)
        return {};
    return runtime::StdPicture::from_pixels(picture->pixels, picture->width, picture->height);
}
