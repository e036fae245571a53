// A rectangle of 32-bit pixels in memory, as the effect kernels see a bitmap.
#pragma once

#include <cstddef>
#include <cstdint>

namespace norvex {

// Pixels are 0xAARRGGBB values (bytes B, G, R, A in memory), rows from top to bottom. The stride
// counts pixels from one row to the next and is negative for a bitmap stored bottom-up.
struct PixelView {
    uint32_t* top_row = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;

    uint32_t* row(int y) const { return top_row + y * stride; }
    bool is_empty() const { return top_row == nullptr || width <= 0 || height <= 0; }

    // The part of this view at (x, y) of the given size; the caller keeps it inside the view.
    PixelView sub_view(int x, int y, int sub_width, int sub_height) const
    {
        return PixelView { row(y) + x, sub_width, sub_height, stride };
    }
};

constexpr uint32_t alpha_mask = 0xFF000000u;
constexpr uint32_t colour_mask = 0x00FFFFFFu;

}
