// CommandButton: a push button with a caption; Click when released over it.
#pragma once

#include "runtime/control.h"

namespace runtime {

class CommandButton : public Control {
public:
    CommandButton(Container& container, std::string name, int index = -1);

    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption);

protected:
    bool takes_double_click() const override { return false; }
    void paint(HDC dc) override;
    void mouse_down(int button, int shift, POINT point) override;
    void mouse_up(int button, int shift, POINT point) override;

private:
    std::string m_caption;
};

}
