// StdPicture: a picture object holding a bitmap or an icon, shared by reference like the
// language's picture objects.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <memory>

namespace runtime {

class StdPicture {
public:
    enum class Kind { None, Bitmap, Icon };

    StdPicture() = default;

    // Takes a bitmap; an owned one is deleted with the last reference. A bitmap that is selected
    // into a device context (a picture box's persistent image) is read through that context.
    static StdPicture from_bitmap(HBITMAP bitmap, bool owned, HDC selected_in = nullptr);
    static StdPicture from_icon(HICON icon, bool owned);

    // Pictures from raw 32-bit pixels (0xAARRGGBB, rows top to bottom), as designer artwork comes.
    static StdPicture from_pixels(const uint32_t* pixels, int width, int height);
    static StdPicture icon_from_pixels(const uint32_t* pixels, int width, int height);
    static StdPicture cursor_from_pixels(const uint32_t* pixels, int width, int height, int hot_x, int hot_y);

    bool is_empty() const { return !m_data; }
    Kind kind() const;
    bool is_borrowed() const;

    // The handle as the language hands it out (an HBITMAP or HICON in a whole number).
    uintptr_t Handle() const;
    HBITMAP bitmap() const;
    HICON icon() const;
    int width_pixels() const;
    int height_pixels() const;

    // A picture of its own with the same pixels (a 32-bit DIB section for bitmaps).
    StdPicture copy() const;

    // Draws the picture at a position and size in pixels; bitmaps with a raster operation,
    // icons with their mask.
    void draw(HDC dc, int x, int y, int width, int height, DWORD raster_operation = SRCCOPY) const;
    // Draws a part of the picture (source rectangle in pixels) stretched into the destination.
    void draw_part(HDC dc, int x, int y, int width, int height, int source_x, int source_y, int source_width,
        int source_height, DWORD raster_operation) const;

    bool operator==(const StdPicture& other) const { return Handle() == other.Handle(); }

private:
    struct Data;
    std::shared_ptr<Data> m_data;
};

}
