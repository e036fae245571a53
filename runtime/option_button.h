// OptionButton: one of a group (the option buttons of one container); setting one True sets the
// others False. Click comes when a button becomes selected.
#pragma once

#include "runtime/captioned_control.h"

namespace runtime {

class OptionButton : public CaptionedControl {
public:
    OptionButton(Container& container, std::string name, int index = -1);

    bool Value() const { return m_value; }
    void Value(bool value);

protected:
    void paint(HDC dc) override;
    void fire_click() override;

private:
    bool m_value = false;
};

}
