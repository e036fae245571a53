#include "shellskin/skin_pictures.h"

#include "border/designer_bitmap.h"

#include <string>

void show_look(runtime::PictureBox& button, const runtime::PictureBox& look)
{
    if (button.Picture().Handle() == look.Picture().Handle())
        return;
    button.Picture(look.Picture());
}

void set_button_pictures(runtime::PictureBox& button, std::string_view button_name,
    runtime::ControlArray<runtime::PictureBox>& looks, std::string_view looks_name)
{
    button.BorderStyle(0);
    button.AutoSize(true);
    button.Picture(designer_bitmap(std::string(button_name)));
    for (auto& look : looks) {
        look->BorderStyle(0);
        look->Visible(false);
        look->AutoSize(true);
        look->Picture(designer_bitmap(std::string(looks_name) + "(" + std::to_string(look->Index()) + ")"));
    }
}
