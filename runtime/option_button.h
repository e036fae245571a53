// OptionButton: one of a group (the option buttons of one container); setting one True sets the
// others False. Click comes when a button becomes selected.
#pragma once

#include "runtime/control.h"

namespace runtime {

class OptionButton : public Control {
public:
    OptionButton(Container& container, std::string name, int index = -1);

    bool Value() const { return m_value; }
    void Value(bool value);
    const std::string& Caption() const { return m_caption; }
    void Caption(std::string caption);
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour);

protected:
    bool takes_double_click() const override { return false; }
    void paint(HDC dc) override;
    void fire_click() override;

private:
    std::string m_caption;
    long m_back_color = static_cast<long>(0x8000000F);
    long m_fore_color = static_cast<long>(0x80000012);
    bool m_value = false;
};

}
