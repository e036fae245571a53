// skin_pictures: the looks of the skins' buttons.
#pragma once

#include "runtime/control_array.h"
#include "runtime/picture_box.h"

#include <string_view>

// Gives the button the picture of one of its looks, only when it does not show it already, so
// that repeated mouse events draw nothing.
void show_look(runtime::PictureBox& button, const runtime::PictureBox& look);

// Sets up a borderless, self-sizing button with its artwork and its hidden look boxes, each with
// the artwork "<looks_name>(index)".
void set_button_pictures(runtime::PictureBox& button, std::string_view button_name,
    runtime::ControlArray<runtime::PictureBox>& looks, std::string_view looks_name);
