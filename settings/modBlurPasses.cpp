#include "settings/modBlurPasses.h"

#include "services/basFoxCBmp3.h"

void BlurInPlace(runtime::PictureBox& Box, int Passes)
{
    HDC dc = Box.hDC();
    HBITMAP image = Box.Image().bitmap();
    for (int pass = 0; pass < Passes; ++pass) {
        runtime::skip_on_error([&] {
            LONG reserved = 0;
            FoxBlur(dc, image, dc, image, reserved, 0, 0);
        });
    }
}
