// The contact sheet: every picture on a checkerboard, with its name and size beneath it.
#include "resources/tool/outputs.h"
#include "resources/tool/in_place_previews.h"
#include "resources/tool/shapes.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_easy_font.h>
#pragma GCC diagnostic pop

#include <algorithm>

namespace artwork {

namespace {

constexpr int sheet_width = 2160;
constexpr int margin = 16;
constexpr int gap = 14;
constexpr int label_height = 26;
constexpr int magnification = 4;
constexpr int largest_magnified = 48;
constexpr Colour sheet_colour = rgb(38, 42, 50);
constexpr Colour text_colour = rgb(226, 230, 236);
constexpr Colour detail_colour = rgb(150, 160, 175);
constexpr Colour heading_colour = rgb(140, 200, 250);

struct Tile {
    std::string name;
    std::string details;
    const Canvas* picture = nullptr;
};

struct Section {
    std::string heading;
    std::vector<Tile> tiles;
};

int text_width(const std::string& text)
{
    return stb_easy_font_width(const_cast<char*>(text.c_str()));
}

void draw_text(Canvas& sheet, int left, int top, const std::string& text, Colour colour)
{
    static float vertices[40000];
    int quads = stb_easy_font_print(0, 0, const_cast<char*>(text.c_str()), nullptr, vertices, sizeof vertices);
    for (int quad = 0; quad < quads; ++quad) {
        float* corner = vertices + quad * 16;
        int x0 = left + int(corner[0]);
        int y0 = top + int(corner[1]);
        int x1 = left + int(corner[8]);
        int y1 = top + int(corner[9]);
        sheet.paint({ x0, y0, x1, y1 }, [&](float, float) { return colour; });
    }
}

void draw_checkerboard(Canvas& sheet, int left, int top, int width, int height)
{
    sheet.paint({ left, top, left + width, top + height }, [&](float x, float y) {
        bool is_light = ((int(x - left) / 8) + (int(y - top) / 8)) % 2 == 0;
        return is_light ? rgb(150, 152, 156) : rgb(112, 114, 120);
    });
}

// Small pictures are shown twice: as they are and enlarged, to judge them pixel by pixel.
bool is_magnified(const Canvas& picture)
{
    return std::max(picture.width(), picture.height()) <= largest_magnified;
}

Canvas magnified(const Canvas& picture)
{
    Canvas result(picture.width() * magnification, picture.height() * magnification);
    result.transform([&](int x, int y, Colour) { return picture.pixel(x / magnification, y / magnification); });
    return result;
}

int pictures_width(const Canvas& picture)
{
    if (!is_magnified(picture))
        return picture.width();
    return picture.width() * (1 + magnification) + 6;
}

int pictures_height(const Canvas& picture)
{
    return is_magnified(picture) ? picture.height() * magnification : picture.height();
}

int tile_width(const Tile& tile)
{
    return std::max({ pictures_width(*tile.picture), text_width(tile.name), text_width(tile.details) });
}

void draw_tile(Canvas& sheet, const Tile& tile, int left, int top)
{
    auto& picture = *tile.picture;
    draw_checkerboard(sheet, left, top, picture.width(), picture.height());
    sheet.draw(picture, left, top);
    if (is_magnified(picture)) {
        int magnified_left = left + picture.width() + 6;
        auto large = magnified(picture);
        draw_checkerboard(sheet, magnified_left, top, large.width(), large.height());
        sheet.draw(large, magnified_left, top);
    }
    int text_top = top + pictures_height(picture) + 3;
    draw_text(sheet, left, text_top, tile.name, text_colour);
    draw_text(sheet, left, text_top + 11, tile.details, detail_colour);
}

// Places the tiles left to right in rows; returns the height used. Draws only when asked, so
// the same walk first measures the sheet and then fills it.
int lay_out(Canvas* sheet, const std::vector<Section>& sections)
{
    int y = margin;
    for (auto& section : sections) {
        if (sheet)
            draw_text(*sheet, margin, y, section.heading, heading_colour);
        y += label_height + 6;
        int x = margin;
        int row_height = 0;
        for (auto& tile : section.tiles) {
            int width = tile_width(tile);
            if (x > margin && x + width > sheet_width - margin) {
                x = margin;
                y += row_height + gap;
                row_height = 0;
            }
            if (sheet)
                draw_tile(*sheet, tile, x, y);
            row_height = std::max(row_height, pictures_height(*tile.picture) + label_height);
            x += width + gap;
        }
        y += row_height + gap + 10;
    }
    return y + margin;
}

Canvas halved(const Canvas& picture)
{
    Canvas result(picture.width() / 2, picture.height() / 2);
    result.transform([&](int x, int y, Colour) { return picture.pixel(x * 2, y * 2); });
    return result;
}

std::string size_text(const Canvas& picture)
{
    return std::to_string(picture.width()) + "x" + std::to_string(picture.height());
}

}

std::string write_contact_sheet(const Artwork& artwork, const std::filesystem::path& file)
{
    auto previews = draw_in_place_previews(artwork);
    std::vector<Section> sections(4);
    sections[0].heading = "In place";
    for (auto& preview : previews)
        sections[0].tiles.push_back({ preview.name, size_text(preview.picture), &preview.picture });
    // Large textures are shown at half size; they are uniform, so nothing is lost.
    std::vector<Canvas> reduced;
    reduced.reserve(artwork.skins.size());
    sections[3].heading = "Skin files in the program folder";
    for (auto& skin : artwork.skins) {
        if (std::min(skin.picture.width(), skin.picture.height()) < 600) {
            sections[3].tiles.push_back({ skin.name, size_text(skin.picture), &skin.picture });
            continue;
        }
        reduced.push_back(halved(skin.picture));
        sections[3].tiles.push_back({ skin.name, size_text(skin.picture) + ", shown at half size", &reduced.back() });
    }
    sections[1].heading = "Designer pictures";
    for (auto& picture : artwork.pictures)
        sections[1].tiles.push_back({ picture.name, size_text(picture.picture) + ", " + picture.description,
            &picture.picture });
    sections[2].heading = "Program icon";
    for (auto& icon : artwork.icons) {
        for (auto& image : icon.images) {
            sections[2].tiles.push_back({ icon.name, size_text(image.picture) + ", "
                    + std::to_string(image.bits_per_pixel) + " bits per pixel", &image.picture });
        }
    }


    Canvas sheet(sheet_width, lay_out(nullptr, sections), sheet_colour);
    lay_out(&sheet, sections);
    return write_file(file, encode_png(sheet, false));
}

}
