// Image: a windowless picture on its container, at natural size (the control takes the picture's
// size) or stretched to the control; it takes mouse input.
#pragma once

#include "runtime/control.h"

namespace runtime {

class ImageControl : public Control {
public:
    ImageControl(Container& container, std::string name, int index = -1);

    StdPicture Picture() const { return m_picture; }
    void Picture(const StdPicture& picture);
    bool Stretch() const { return m_is_stretched; }
    void Stretch(bool stretch);

protected:
    bool is_windowed() const override { return false; }
    void paint(HDC dc) override;

private:
    StdPicture m_picture;
    bool m_is_stretched = false;
};

}
