// skin_pictures: the skins' pictures: their designer artwork, and the looks of their buttons.
#pragma once

#include "runtime/control_array.h"
#include "runtime/picture_box.h"

#include <string_view>

// The artwork named "<form>.<control>" as a new bitmap picture; an empty picture when there is
// no artwork of that name.
runtime::StdPicture designer_bitmap(std::string_view name);

// Gives the button the picture of one of its looks, only when it does not show it already, so
// that repeated mouse events draw nothing.
void show_look(runtime::PictureBox& button, const runtime::PictureBox& look);

// Sets up a borderless, self-sizing button with its artwork and its hidden look boxes, each with
// the artwork "<looks_name>(index)".
void set_button_pictures(runtime::PictureBox& button, std::string_view button_name,
    runtime::ControlArray<runtime::PictureBox>& looks, std::string_view looks_name);
