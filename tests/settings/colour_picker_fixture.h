// The settings window with the colour picker opened from it, and the user's input into the picker
// at points of its drawing surface.
#pragma once

#include "settings/Module1.h"
#include "settings/frmColor.h"
#include "tests/settings/settings_fixture.h"

#include "platform/sim/driver.h"

#include <string>

class ColourPickerTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        start_settings_window();
    }

    frmSettings& settings() { return *m_settings; }

    // The loaded picker (loaded, with the colour the globals hold, when it is not).
    frmColor& picker()
    {
        frmColor* form = nullptr;
        run([&] { form = &program().form<frmColor>(); });
        return *form;
    }
    bool is_picker_loaded() { return program().is_loaded<frmColor>(); }

    Module1Values& values() { return module1(program()); }

    // Gives a swatch a colour and presses its "Choose color..." button.
    frmColor& open_from(runtime::PictureBox& swatch, void (frmSettings::*button)(), long colour)
    {
        run([&] {
            swatch.BackColor(colour);
            (settings().*button)();
        });
        return picker();
    }

    // The colour of the picker's drawn image at a point, 0x00BBGGRR.
    long at(int x, int y) { return picker().Point(static_cast<float>(x), static_cast<float>(y)); }

    POINT screen_point(int x, int y)
    {
        RECT client = sim::driver::window_state(picker().hWnd())->client;
        return POINT { client.left + x, client.top + y };
    }
    void press(int x, int y)
    {
        POINT point = screen_point(x, y);
        sim::driver::mouse_move(point.x, point.y);
        sim::driver::mouse_down();
    }
    void move_to(int x, int y)
    {
        POINT point = screen_point(x, y);
        sim::driver::mouse_move(point.x, point.y);
    }
    void release() { sim::driver::mouse_up(); }
    void click_at(int x, int y)
    {
        press(x, y);
        release();
    }

    // Types digits into a box as the user does, key by key; '-' comes as its character.
    void type_into(runtime::TextBox& box, const std::string& text)
    {
        sim::driver::run_program([&] { SetFocus(box.hWnd()); });
        for (char c : text) {
            if (c == '-') {
                sim::driver::run_program([&] { PostMessageA(box.hWnd(), WM_CHAR, '-', 0); });
                sim::driver::key_up(VK_SUBTRACT);
                continue;
            }
            sim::driver::press_key(static_cast<BYTE>(c));
        }
    }
    // Replaces a box's text by typing: the old text is selected and typed over.
    void retype(runtime::TextBox& box, const std::string& text)
    {
        run([&] {
            box.SelStart(0);
            box.SelLength(static_cast<int>(box.Text().size()));
        });
        type_into(box, text);
    }

    int range_messages()
    {
        int count = 0;
        for (const auto& record : sim::driver::modal_history())
            count += record.kind == "message box" && record.text.find("Enter an Integer Value Between 0 and 360") != std::string::npos;
        return count;
    }
};
