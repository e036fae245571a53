// Frame: a container with an etched border and an optional caption.
#pragma once

#include "runtime/container.h"

namespace runtime {

class Frame : public Container {
public:
    Frame(Container& container, std::string name, int index = -1);

    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption);
    // 0 none, 1 the etched border.
    int BorderStyle() const { return m_border_style; }
    void BorderStyle(int style);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour);

protected:
    void paint(HDC dc) override;

private:
    std::string m_caption;
    long m_back_color = static_cast<long>(0x8000000F);
    long m_fore_color = static_cast<long>(0x80000012);
    int m_border_style = 1;
};

}
