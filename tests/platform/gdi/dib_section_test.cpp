#include "platform/win32.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <vector>

TEST(DibSection, BitsAreSharedWithGetObjectInEitherOrientation)
{
    for (int height : { 3, -3 }) {
        BITMAPINFO info = gdi_test::dib_header(2, height, 32);
        HDC dc = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(bitmap, nullptr);
        ASSERT_NE(bits, nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);

        DIBSECTION section {};
        ASSERT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
        EXPECT_EQ(section.dsBm.bmBits, bits);
        EXPECT_EQ(section.dsBm.bmWidth, 2);
        EXPECT_EQ(section.dsBm.bmHeight, 3);
        EXPECT_EQ(section.dsBm.bmWidthBytes, 8);
        EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
        EXPECT_EQ(section.dsBmih.biHeight, 3) << "the height is positive in either orientation";
        BITMAP plain {};
        EXPECT_EQ(GetObjectA(bitmap, sizeof plain, &plain), static_cast<int>(sizeof plain));
        EXPECT_EQ(plain.bmBits, bits);
        EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), static_cast<int>(sizeof plain)) << "the size with no buffer";
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);

        // The first row in memory is the bottom row of a bottom-up DIB and the top row otherwise.
        auto* pixels = static_cast<uint32_t*>(bits);
        pixels[0] = 0x00123456;
        int first_row = height > 0 ? 2 : 0;
        EXPECT_EQ(GetPixel(dc, 0, first_row), RGB(0x12, 0x34, 0x56));
        SetPixelV(dc, 1, 1, RGB(0xAA, 0xBB, 0xCC));
        EXPECT_EQ(pixels[1 * 2 + 1] & 0xFFFFFF, 0xAABBCCu);
        SetPixelV(dc, 1, 0, RGB(1, 2, 3));
        int memory_row = height > 0 ? 2 : 0;
        EXPECT_EQ(pixels[memory_row * 2 + 1] & 0xFFFFFF, 0x010203u);

        EXPECT_FALSE(DeleteObject(bitmap)) << "a selected bitmap stays";
        SelectObject(dc, old);
        EXPECT_TRUE(DeleteObject(bitmap));
        DeleteDC(dc);
    }
}

TEST(DibSection, TwentyFourBitBytesReachTheScreenThroughSetDIBits)
{
    // A 3 x 2 picture, rows bottom-up and padded to four bytes, as the colour picker builds its squares.
    BITMAPINFO info = gdi_test::dib_header(3, 2, 24);
    std::vector<uint8_t> bytes(12 * 2);
    auto put = [&](int row_in_memory, int x, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* pixel = bytes.data() + row_in_memory * 12 + x * 3;
        pixel[0] = b;
        pixel[1] = g;
        pixel[2] = r;
    };
    put(0, 0, 10, 20, 30);  // bottom-left
    put(1, 2, 200, 100, 0); // top-right
    HDC screen_compatible = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen_compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(SetDIBits(screen_compatible, section, 0, 2, bytes.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(bits), static_cast<uint8_t*>(bits) + bytes.size()), bytes);
    HGDIOBJ old = SelectObject(screen_compatible, section);
    gdi_test::Canvas window(10, 10, RGB(0, 0, 0));
    EXPECT_TRUE(BitBlt(window.dc(), 4, 4, 3, 2, screen_compatible, 0, 0, SRCCOPY));
    EXPECT_EQ(window.at(4, 5), RGB(10, 20, 30));
    EXPECT_EQ(window.at(6, 4), RGB(200, 100, 0));

    // Drawing on the section shows in the 24-bit bits the program holds.
    SetPixelV(screen_compatible, 1, 0, RGB(7, 8, 9));
    auto* memory = static_cast<uint8_t*>(bits);
    EXPECT_EQ(memory[12 + 3], 9);
    EXPECT_EQ(memory[12 + 5], 7);

    std::vector<uint8_t> read_back(bytes.size());
    EXPECT_EQ(GetDIBits(screen_compatible, section, 0, 2, read_back.data(), &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(read_back[12 + 3], 9);
    EXPECT_EQ(read_back[0], 30);
    SelectObject(screen_compatible, old);
    DeleteObject(section);
    DeleteDC(screen_compatible);
}

TEST(DibSection, ThirtyTwoBitRowsKeepTheirAlphaAndFillOnlyWhatTheBitmapHolds)
{
    // Two top-down rows of three pixels into a bitmap one pixel narrower and three rows tall.
    BITMAPINFO info = gdi_test::dib_header(3, -2, 32);
    const uint32_t rows[] = { 0x80102030, 0xFF405060, 0x01020304, 0x00A0B0C0, 0x7F000000, 0xFFFFFFFF };
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO target_info = gdi_test::dib_header(2, -3, 32);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &target_info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    auto* pixels = static_cast<uint32_t*>(bits);
    pixels[4] = 0x11111111;
    EXPECT_EQ(SetDIBits(dc, section, 0, 2, rows, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[0], 0x80102030u);
    EXPECT_EQ(pixels[1], 0xFF405060u);
    EXPECT_EQ(pixels[2], 0x00A0B0C0u);
    EXPECT_EQ(pixels[3], 0x7F000000u);
    EXPECT_EQ(pixels[4], 0x11111111u) << "the third row lies outside the DIB";
    DeleteObject(section);
    DeleteDC(dc);
}

TEST(DibSection, StretchDIBitsMirrorsABottomUpPicture)
{
    // Two rows: memory row 0 (the picture's bottom) red, memory row 1 blue.
    BITMAPINFO info = gdi_test::dib_header(1, 2, 32);
    uint32_t pixels[2] = { 0x00FF0000, 0x000000FF };
    gdi_test::Canvas window(1, 4, RGB(0, 0, 0));
    EXPECT_EQ(StretchDIBits(window.dc(), 0, 3, 1, -2, 0, 0, 1, 2, pixels, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(window.at(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(window.at(0, 2), RGB(255, 0, 0));
    EXPECT_EQ(window.at(0, 1), RGB(0, 0, 0));
}

TEST(DibSection, ImpossibleSizesFailInsteadOfExhaustingMemory)
{
    BITMAPINFO info = gdi_test::dib_header(100000, 100000, 32);
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 70000, 70000), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 5), nullptr);
    BITMAPINFO unsupported = gdi_test::dib_header(4, 4, 32);
    unsupported.bmiHeader.biCompression = 1; // run-length encoded
    EXPECT_EQ(CreateDIBSection(dc, &unsupported, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    DeleteDC(dc);
}
