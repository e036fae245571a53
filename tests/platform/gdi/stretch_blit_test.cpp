// StretchBlt's stepping over many shapes of transfer: which source pixel each destination pixel
// takes, counted from the anchors and mirrored for a negative extent, as Windows steps them; a
// destination pixel keeps its own colour where that source pixel lies outside the source bitmap.
// Shrinking in the default BLACKONWHITE mode and in WHITEONBLACK, the dropped pixels are folded in.
#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/platform/gdi/stretch_step.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

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
bool source_index(int dest, int anchor, int extent, int source_anchor, int source_extent, bool is_row, int& from)
{
    long long index = extent >= 0 ? dest - anchor : anchor - dest;
    long long size = std::llabs(extent);
    long long source_size = std::llabs(source_extent);
    if (index < 0 || index >= size)
        return false;
    long long offset = gdi_test::stretch_step(index, size, source_size, is_row);
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
            bool is_inside = source_index(x, t.x, t.width, t.source_x, t.source_width, false, from_x)
                && source_index(y, t.y, t.height, t.source_y, t.source_height, true, from_y);
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

// The source column (or row) each destination pixel takes for a few sizes, as Windows answers.
TEST(StretchBlt, StepsThroughTheSourceAsWindowsDoes)
{
    struct Case {
        int source_size;
        bool is_row;
        std::vector<int> taken;
    };
    const Case cases[] = {
        { 8, false, { 1, 3, 5, 7 } },
        { 8, true, { 0, 2, 4, 6 } },
        { 8, false, { 2, 4, 7 } },
        { 8, true, { 0, 3, 5 } },
        { 7, false, { 0, 2, 3, 5, 6 } },
        { 8, true, { 0, 2, 3, 5, 6 } },
        { 7, true, { 0, 1, 2, 4, 5, 6 } },
        { 7, false, { 3, 6 } },
        { 6, false, { 0, 1, 2, 2, 3, 4, 5 } },
        { 6, true, { 0, 1, 1, 2, 3, 4, 4, 5 } },
        { 2, false, { 0, 0, 0, 0, 1, 1, 1, 1 } },
        { 3, true, { 0, 0, 0, 1, 1, 2, 2, 2 } },
        { 3, false, { 0, 0, 1, 1, 1, 2, 2 } },
        { 5, true, { 0, 0, 1, 2, 2, 3, 4, 4 } },
    };
    Canvas source(8, 8);
    fill_distinct(source);
    for (const Case& c : cases) {
        int size = static_cast<int>(c.taken.size());
        Canvas target(8, 8);
        SetStretchBltMode(target.dc(), COLORONCOLOR);
        ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, c.is_row ? 1 : size, c.is_row ? size : 1, source.dc(), 0, 0,
            c.is_row ? 1 : c.source_size, c.is_row ? c.source_size : 1, SRCCOPY));
        std::vector<int> taken;
        for (int i = 0; i < size; ++i) {
            uint32_t pixel = c.is_row ? target.raw(0, i) : target.raw(i, 0);
            taken.push_back(static_cast<int>(c.is_row ? (pixel >> 12) & 0xFFF : pixel & 0xFFF));
        }
        EXPECT_EQ(taken, c.taken) << c.source_size << " to " << size << (c.is_row ? " rows" : " columns");
    }
}

// Shrinking 8 by 8 pixels to 3 by 5 gathers the columns 0-2, 3-4, 5-7 and the rows 0-1, 2, 3-4, 5,
// 6-7; BLACKONWHITE keeps what all of them share (AND), WHITEONBLACK what any has (OR), and
// COLORONCOLOR only the pixel each keeps.
TEST(StretchBlt, ShrinkingFoldsTheDroppedPixelsInTheDefaultMode)
{
    Canvas source(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            source.set_raw(x, y, static_cast<uint32_t>((x * 30) << 16 | (y * 30) << 8 | (x + y) * 10));
    }
    const int column_runs[][2] = { { 0, 2 }, { 3, 4 }, { 5, 7 } };
    const int row_runs[][2] = { { 0, 1 }, { 2, 2 }, { 3, 4 }, { 5, 5 }, { 6, 7 } };
    for (int mode : { BLACKONWHITE, WHITEONBLACK }) {
        Canvas target(8, 8, RGB(9, 9, 9));
        EXPECT_EQ(GetStretchBltMode(target.dc()), BLACKONWHITE) << "the default";
        SetStretchBltMode(target.dc(), mode);
        ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 3, 5, source.dc(), 0, 0, 8, 8, SRCCOPY));
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                uint32_t folded = mode == BLACKONWHITE ? 0xFFFFFFFF : 0;
                for (int y = row_runs[row][0]; y <= row_runs[row][1]; ++y) {
                    for (int x = column_runs[column][0]; x <= column_runs[column][1]; ++x)
                        folded = mode == BLACKONWHITE ? folded & source.raw(x, y) : folded | source.raw(x, y);
                }
                EXPECT_EQ(target.raw(column, row), folded) << mode << ": " << column << "," << row;
            }
        }
        EXPECT_EQ(target.raw(3, 0), target.raw(7, 7)) << "nothing beyond the transfer";
    }
    // The first column of the Windows answer, as a spot check of the model above.
    Canvas target(8, 8);
    ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 3, 5, source.dc(), 0, 0, 8, 8, SRCCOPY));
    EXPECT_EQ(target.at(1, 0), RGB(0x58, 0, 0));
    EXPECT_EQ(target.at(0, 2), RGB(0, 0x58, 0));
}

TEST(StretchBlt, EveryPixelTakesItsSourcePixelInAnyDirectionAndClip)
{
    Canvas source(37, 23);
    fill_distinct(source);
    std::mt19937 random(20091102);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 400; ++round) {
        Canvas target(48, 40, RGB(9, 9, 9));
        SetStretchBltMode(target.dc(), COLORONCOLOR);
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
