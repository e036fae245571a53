#include "border/FrmSplash.h"

#include "resources/designer_pictures.h"

namespace {

// The largest full-alpha image of the program's icon.
runtime::StdPicture program_icon()
{
    const artwork::DesignerIcon* icon = artwork::designer_icon("FrmSplash.Icon");
    if (!icon)
        return {};
    const artwork::DesignerPicture* best = nullptr;
    for (const auto& image : icon->images) {
        if (image.bits_per_pixel != 32)
            continue;
        if (!best || image.width > best->width)
            best = &image;
    }
    if (!best)
        return {};
    return runtime::StdPicture::icon_from_pixels(best->pixels, best->width, best->height);
}

}

FrmSplash::FrmSplash(runtime::Program& program)
    : Form(program, "FrmSplash")
{
    BorderStyle(runtime::vbBSNone);
    ShowInTaskbar(false);
    Icon(program_icon());
}
