// PictureBox: a canvas control; it can size itself to its picture and carry a sunken border.
#pragma once

#include "runtime/canvas.h"

namespace runtime {

class PictureBox : public Canvas {
public:
    PictureBox(Container& container, std::string name, int index = -1);

    bool AutoSize() const { return m_is_auto_size; }
    void AutoSize(bool auto_size);
    // 0 none, 1 fixed single (a sunken edge); set before the form loads.
    int BorderStyle() const { return m_border_style; }
    void BorderStyle(int style) { m_border_style = style; }

protected:
    DWORD window_ex_style() const override;
    void picture_changed() override;

private:
    void fit_to_picture();

    bool m_is_auto_size = false;
    int m_border_style = 1;
};

}
