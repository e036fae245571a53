// StretchBlt's nearest-pixel mapping over many shapes of transfer: every destination pixel takes the
// source pixel under the centre of its cell, mirrored for a negative extent, and keeps its own
// colour where that source pixel lies outside the source bitmap.
#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using gdi_test::Canvas;

namespace {

// A picture whose every pixel differs, alpha byte included.
void fill_distinct(Canvas& canvas)
{
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            canvas.set_raw(x, y, 0x01000000u * static_cast<uint32_t>(x + y) + static_cast<uint32_t>(y * 4096 + x));
    }
}

struct Transfer {
    int x, y, width, height;
    int source_x, source_y, source_width, source_height;
};

// The source index a destination pixel takes along one axis; false where the destination pixel
// lies outside the transfer.
bool source_index(int dest, int anchor, int extent, int source_anchor, int source_extent, int& from)
{
    long long index = extent >= 0 ? dest - anchor : anchor - dest;
    long long size = std::llabs(extent);
    if (index < 0 || index >= size)
        return false;
    long long offset = (2 * index + 1) * std::llabs(source_extent) / (2 * size);
    from = static_cast<int>(source_extent >= 0 ? source_anchor + offset : source_anchor - offset);
    return true;
}

// What the target holds after the transfer, pixel by pixel.
std::vector<uint32_t> expected_after(const Canvas& source, const Canvas& target, const Transfer& t,
    uint32_t (*combine)(uint32_t source, uint32_t destination))
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            uint32_t pixel = target.raw(x, y);
            int from_x = 0;
            int from_y = 0;
            bool is_inside = source_index(x, t.x, t.width, t.source_x, t.source_width, from_x)
                && source_index(y, t.y, t.height, t.source_y, t.source_height, from_y);
            if (is_inside && from_x >= 0 && from_y >= 0 && from_x < source.width() && from_y < source.height())
                pixel = combine(source.raw(from_x, from_y), pixel);
            pixels.push_back(pixel);
        }
    }
    return pixels;
}

std::vector<uint32_t> pixels_of(const Canvas& canvas)
{
    return std::vector<uint32_t>(canvas.bits(), canvas.bits() + canvas.width() * canvas.height());
}

uint32_t copy(uint32_t source, uint32_t) { return source; }
uint32_t exclusive_or(uint32_t source, uint32_t destination) { return source ^ destination; }

TEST(StretchBlt, EveryPixelTakesTheSourcePixelUnderItsCentreInAnyDirectionAndClip)
{
    Canvas source(37, 23);
    fill_distinct(source);
    std::mt19937 random(20091102);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 400; ++round) {
        Canvas target(48, 40, RGB(9, 9, 9));
        auto extent = [&](int most) {
            int size = between(1, most);
            return between(0, 3) == 0 ? -size : size;
        };
        // Anchors and extents that reach past either bitmap's edges now and then.
        Transfer t { between(-20, 60), between(-20, 50), extent(70), extent(60), between(-8, 40), between(-8, 26),
            extent(45), extent(30) };
        bool is_xor = round % 5 == 4;
        auto expected = expected_after(source, target, t, is_xor ? exclusive_or : copy);
        ASSERT_TRUE(StretchBlt(target.dc(), t.x, t.y, t.width, t.height, source.dc(), t.source_x, t.source_y,
            t.source_width, t.source_height, is_xor ? SRCINVERT : SRCCOPY));
        ASSERT_EQ(pixels_of(target), expected)
            << "round " << round << ": " << t.x << "," << t.y << " " << t.width << "x" << t.height << " from "
            << t.source_x << "," << t.source_y << " " << t.source_width << "x" << t.source_height;
    }
}

TEST(StretchBlt, TheClipRegionBoundsTheStretchedPixels)
{
    Canvas source(16, 12);
    fill_distinct(source);
    Canvas target(40, 30, RGB(9, 9, 9));
    const uint32_t fill = target.raw(0, 0);
    Canvas plain(40, 30, RGB(9, 9, 9));
    const Transfer t { 2, 3, 35, 25, 1, 1, -13, 10 };
    ASSERT_TRUE(StretchBlt(plain.dc(), t.x, t.y, t.width, t.height, source.dc(), t.source_x, t.source_y,
        t.source_width, t.source_height, SRCCOPY));

    // A ring: the transfer reaches the target everywhere but a hole in the middle.
    HRGN ring = CreateRectRgn(0, 0, 40, 30);
    HRGN hole = CreateRectRgn(10, 8, 25, 20);
    CombineRgn(ring, ring, hole, RGN_DIFF);
    SelectClipRgn(target.dc(), ring);
    ASSERT_TRUE(StretchBlt(target.dc(), t.x, t.y, t.width, t.height, source.dc(), t.source_x, t.source_y,
        t.source_width, t.source_height, SRCCOPY));
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool is_in_hole = x >= 10 && x < 25 && y >= 8 && y < 20;
            ASSERT_EQ(target.raw(x, y), is_in_hole ? fill : plain.raw(x, y))
                << x << "," << y;
        }
    }
    DeleteObject(ring);
    DeleteObject(hole);
}

TEST(StretchBlt, AMonochromeSourceTakesTheTargetsTextAndBackgroundColours)
{
    HDC mask_dc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateCompatibleBitmap(mask_dc, 2, 1);
    HGDIOBJ old = SelectObject(mask_dc, mask);
    SetPixelV(mask_dc, 0, 0, RGB(0, 0, 0));
    SetPixelV(mask_dc, 1, 0, RGB(255, 255, 255));
    Canvas target(8, 2);
    SetTextColor(target.dc(), RGB(200, 0, 0));
    SetBkColor(target.dc(), RGB(0, 0, 200));
    ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 8, 2, mask_dc, 0, 0, 2, 1, SRCCOPY));
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(target.at(x, 0), x < 4 ? RGB(200, 0, 0) : RGB(0, 0, 200)) << x;
        EXPECT_EQ(target.at(x, 1), target.at(x, 0)) << x;
    }
    SelectObject(mask_dc, old);
    DeleteObject(mask);
    DeleteDC(mask_dc);
}

}
