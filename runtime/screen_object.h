// Screen: the size of the screen in twips and the twips per pixel the layouts assume.
#pragma once

namespace runtime {

class ScreenObject {
public:
    float Width() const;
    float Height() const;
    float TwipsPerPixelX() const;
    float TwipsPerPixelY() const;
};

}
