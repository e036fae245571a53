#include "resources/tool/key_colour.h"

namespace artwork {

namespace {

Colour over_matte(Colour colour, Colour matte)
{
    Colour result = mix(matte, with_alpha(colour, 1), colour.a);
    result.a = 1;
    if (to_argb(result) == to_argb(key_red))
        result.r = 254 / 255.0f;
    return result;
}

}

void cut_out(Canvas& picture, Colour matte)
{
    picture.transform([&](int, int, Colour colour) {
        if (colour.a < 0.5f)
            return key_red;
        return over_matte(colour, matte);
    });
}

void flatten(Canvas& picture, Colour matte)
{
    picture.transform([&](int, int, Colour colour) { return over_matte(colour, matte); });
}

}
