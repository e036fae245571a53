// TextBox: one line of editable text with a selection (SelStart, SelLength); Change when the text
// changes, KeyUp when a key is released, LostFocus when the keyboard goes elsewhere.
#pragma once

#include "runtime/control.h"

namespace runtime {

using KeyHandler = std::function<void(int& KeyCode, int Shift)>;

class TextBox : public Control {
public:
    TextBox(Container& container, std::string name, int index = -1);

    const std::string& Text() const { return m_text; }
    void Text(std::string text);
    int SelStart() const { return m_selection_start; }
    void SelStart(int start);
    int SelLength() const { return m_selection_length; }
    void SelLength(int length);
    std::string SelText() const;
    void SelText(const std::string& text);
    bool Locked() const { return m_is_locked; }
    void Locked(bool locked) { m_is_locked = locked; }
    long BackColor() const { return m_back_color; }
    void BackColor(long colour);
    long ForeColor() const { return m_fore_color; }
    void ForeColor(long colour);
    int BorderStyle() const { return m_border_style; }
    void BorderStyle(int style) { m_border_style = style; }

    EventHandler on_change;
    KeyHandler on_key_up;
    EventHandler on_lost_focus;

protected:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint(HDC dc) override;
    void mouse_down(int button, int shift, POINT point) override;

private:
    void key_down(int key);
    void type_character(char character);
    void replace_selection(const std::string& text);
    int shift_state() const;
    // The character position nearest to a horizontal pixel offset.
    int position_at(int x);

    std::string m_text;
    long m_back_color = static_cast<long>(0x80000005);
    long m_fore_color = static_cast<long>(0x80000008);
    int m_selection_start = 0;
    int m_selection_length = 0;
    int m_border_style = 1;
    bool m_is_locked = false;
    bool m_has_focus = false;
};

}
