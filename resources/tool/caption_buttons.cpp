// The caption buttons of a border window, as 24-bit pictures cut out by red.
#include "resources/tool/artwork.h"
#include "resources/tool/caption_button_look.h"
#include "resources/tool/key_colour.h"

#include <array>
#include <string>

namespace artwork {

namespace {

constexpr int button_height = 18;
constexpr std::array button_widths { 26, 25, 44 };
constexpr std::array button_names { "minimise", "maximise", "close" };
constexpr std::array state_names { "normal", "hover", "pressed" };
constexpr std::array states { ButtonState::normal, ButtonState::hover, ButtonState::pressed };

Canvas button_picture(int index, ButtonLook look, bool is_lone = false)
{
    int width = button_widths[index];
    Canvas canvas(width, button_height);
    Corners corners = is_lone ? button_corners(true, true) : button_corners(index == 0, index == 2);
    draw_caption_button(canvas, { 0, 0, float(width), float(button_height) }, corners, look);
    cut_out(canvas, look.tone == ButtonTone::dark ? rgb(24, 26, 30) : rgb(150, 170, 196));
    return canvas;
}

Glyph glyph_of(int index)
{
    constexpr std::array glyphs { Glyph::minimise, Glyph::maximise, Glyph::close };
    return glyphs[index];
}

std::string indexed(const char* control, int index)
{
    return std::string("frmTrans.") + control + "(" + std::to_string(index) + ")";
}

}

void add_caption_buttons(Artwork& artwork)
{
    auto add = [&](std::string name, std::string description, Canvas picture) {
        artwork.pictures.push_back({ std::move(name), std::move(description), std::move(picture) });
    };
    for (int index = 0; index < 3; ++index) {
        add(indexed("Picture11", index), std::string(button_names[index]) + " button as designed",
            button_picture(index, { glyph_of(index) }));
    }
    constexpr std::array holders { "Picture12", "Picture13", "Picture14" };
    for (int state = 0; state < 3; ++state) {
        for (int index = 0; index < 3; ++index) {
            add(indexed(holders[state], index), std::string(button_names[index]) + ", " + state_names[state],
                button_picture(index, { glyph_of(index), states[state] }));
        }
    }
    for (int state = 0; state < 3; ++state) {
        add(indexed("Picture16", state), std::string("restore while maximised, ") + state_names[state],
            button_picture(1, { Glyph::restore, states[state], state == 0 ? ButtonTone::dark : ButtonTone::light }));
    }
    constexpr std::array maximised_glyphs { Glyph::minimise, Glyph::restore, Glyph::close };
    for (int index = 0; index < 3; ++index) {
        add(indexed("Picture20", index), std::string(button_names[index]) + " while maximised",
            button_picture(index, { maximised_glyphs[index], ButtonState::normal, ButtonTone::dark }));
    }
    for (int index = 0; index < 3; ++index) {
        add(indexed("Picture21", index), std::string(button_names[index]) + " while restored",
            button_picture(index, { glyph_of(index) }));
    }
    for (int state = 0; state < 3; ++state) {
        add(indexed("Picture18", state), std::string("lone close, ") + state_names[state],
            button_picture(2, { Glyph::close, states[state] }, true));
    }
    add("frmTrans.Picture19", "maximise without a maximise box",
        button_picture(1, { Glyph::maximise, ButtonState::inert }));
}

}
