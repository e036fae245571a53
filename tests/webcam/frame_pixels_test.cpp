// The frames the reflection takes from the capture driver: which formats it reads, and how their
// rows become the picture it mirrors.
#include "webcam/frame_pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

BITMAPINFOHEADER format(LONG width, LONG height, WORD bits, DWORD compression = BI_RGB)
{
    BITMAPINFOHEADER header {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = compression;
    return header;
}

TEST(FramePixels, OnlyUncompressedRgbOfTwentyFourOrThirtyTwoBitsAndYuy2AreRead)
{
    EXPECT_TRUE(is_usable_frame_format(format(320, 240, 24)));
    EXPECT_TRUE(is_usable_frame_format(format(320, -240, 32)));
    EXPECT_TRUE(is_usable_frame_format(format(320, 240, 16, 0x32595559)));  // YUY2
    EXPECT_FALSE(is_usable_frame_format(format(320, 240, 24, 0x32595559)));
    EXPECT_FALSE(is_usable_frame_format(format(320, 240, 16)));
    EXPECT_FALSE(is_usable_frame_format(format(320, 240, 8)));
    EXPECT_FALSE(is_usable_frame_format(format(320, 240, 32, 3)));  // bit fields
    EXPECT_FALSE(is_usable_frame_format(format(0, 240, 24)));
    EXPECT_FALSE(is_usable_frame_format(format(320, 0, 24)));
    EXPECT_FALSE(is_usable_frame_format(format(-320, 240, 24)));
    EXPECT_FALSE(is_usable_frame_format(format(100000, 240, 24)));
}

TEST(FramePixels, RowsArePaddedToFourBytes)
{
    EXPECT_EQ(frame_size_in_bytes(format(3, 2, 24)), 12u * 2);
    EXPECT_EQ(frame_size_in_bytes(format(3, -2, 32)), 12u * 2);
    EXPECT_EQ(frame_size_in_bytes(format(320, 240, 24)), 960u * 240);
}

TEST(FramePixels, ATwentyFourBitBottomUpFrameBecomesTopDownPixels)
{
    // Three pixels a row, padded to 12 bytes; the bottom row comes first.
    std::vector<BYTE> frame = {
        0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xEE, 0xEE, 0xEE,  // bottom row
        0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80, 0x90, 0xEE, 0xEE, 0xEE,  // top row
    };
    std::vector<uint32_t> pixels(4 * 2, 0xDEADBEEF);
    copy_frame_pixels(format(3, 2, 24), frame.data(), pixels.data(), 4);
    EXPECT_EQ(pixels[0], 0x302010u);
    EXPECT_EQ(pixels[2], 0x908070u);
    EXPECT_EQ(pixels[3], 0xDEADBEEFu) << "beyond the frame's width nothing is written";
    EXPECT_EQ(pixels[4], 0x030201u);
    EXPECT_EQ(pixels[6], 0x090807u);
}

TEST(FramePixels, EveryWidthOfTwentyFourBitFrameTakesEachPixelsThreeBytes)
{
    // Rows of every padding, filled with bytes that differ, top-down and bottom-up.
    for (LONG width = 1; width <= 9; ++width) {
        for (LONG height : { 3L, -3L }) {
            BITMAPINFOHEADER header = format(width, height, 24);
            std::vector<BYTE> frame(frame_size_in_bytes(header));
            for (size_t i = 0; i < frame.size(); ++i)
                frame[i] = static_cast<BYTE>(i * 37 + 11);
            std::vector<uint32_t> pixels(static_cast<size_t>(width + 1) * 3, 0xDEADBEEF);
            copy_frame_pixels(header, frame.data(), pixels.data(), static_cast<size_t>(width + 1));
            size_t stride = frame.size() / 3;
            for (LONG y = 0; y < 3; ++y) {
                const BYTE* row = frame.data() + stride * static_cast<size_t>(height > 0 ? 2 - y : y);
                for (LONG x = 0; x < width; ++x) {
                    const BYTE* bytes = row + 3 * x;
                    uint32_t expected = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16);
                    ASSERT_EQ(pixels[static_cast<size_t>(y * (width + 1) + x)], expected) << width << "x" << height << " at " << x << "," << y;
                }
                EXPECT_EQ(pixels[static_cast<size_t>(y * (width + 1) + width)], 0xDEADBEEFu);
            }
        }
    }
}

TEST(FramePixels, AThirtyTwoBitTopDownFrameKeepsItsRowsAndDropsTheUnusedByte)
{
    std::vector<BYTE> frame = { 0x01, 0x02, 0x03, 0xFF, 0x04, 0x05, 0x06, 0x7F };
    std::vector<uint32_t> pixels(2);
    copy_frame_pixels(format(1, -2, 32), frame.data(), pixels.data(), 1);
    EXPECT_EQ(pixels[0], 0x030201u);
    EXPECT_EQ(pixels[1], 0x060504u);
}

}
