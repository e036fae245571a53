// The effects library as the program reaches it: norvex.dll loaded from the program folder by
// basFoxCBmp3, working on the bitmaps of memory device contexts of the simulated desktop.
#include "services/basFoxCBmp3.h"

#include "effects/bitmap_pixels.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"
#include "runtime/error.h"
#include "tests/effects/picture_storage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

std::filesystem::path program_folder()
{
    return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin";
}

constexpr uint32_t red = 0xFFFF0000u;
constexpr uint32_t green = 0xFF00FF00u;
constexpr uint32_t magenta = 0xFFFF00FFu;

using norvex::rows_format;
using norvex::tests::name_of;
using norvex::tests::Storage;
using norvex::tests::storages;

class FoxLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::driver::reset();
        sim::install_program_folder(program_folder());
    }

    void TearDown() override
    {
        for (HDC dc : m_dcs)
            DeleteDC(dc);
        for (HBITMAP bitmap : m_bitmaps)
            DeleteObject(bitmap);
    }

    // A 32-bit DIB section (bottom-up for a positive height, as Windows stores them by default)
    // filled with one colour and selected into a memory DC of its own.
    HDC dib_section(int width, int height, uint32_t fill, HBITMAP* bitmap_out = nullptr)
    {
        BITMAPINFO format = rows_format(width, height);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        EXPECT_NE(bitmap, nullptr);
        auto* pixels = static_cast<uint32_t*>(bits);
        std::fill(pixels, pixels + width * std::abs(height), fill);
        return select_into_new_dc(bitmap, bitmap_out);
    }

    // A picture of the given storage filled with one colour, selected into a memory DC.
    HDC picture(Storage storage, int width, int height, uint32_t fill)
    {
        if (storage == Storage::DeviceDependent)
            return device_bitmap(width, height, fill);
        return dib_section(width, storage == Storage::TopDown ? -height : height, fill);
    }

    // A device-dependent 32-bit bitmap filled with one colour, selected into a memory DC.
    HDC device_bitmap(int width, int height, uint32_t fill, HBITMAP* bitmap_out = nullptr)
    {
        HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
        EXPECT_NE(bitmap, nullptr);
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, fill);
        BITMAPINFO format = rows_format(width, -height);
        SetDIBits(nullptr, bitmap, 0, height, pixels.data(), &format, DIB_RGB_COLORS);
        return select_into_new_dc(bitmap, bitmap_out);
    }

    HDC select_into_new_dc(HBITMAP bitmap, HBITMAP* bitmap_out)
    {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
        m_dcs.push_back(dc);
        m_bitmaps.push_back(bitmap);
        if (bitmap_out)
            *bitmap_out = bitmap;
        return dc;
    }

    // The pixels of the bitmap selected into the DC, rows from the top.
    static std::vector<uint32_t> pixels_of(HDC dc)
    {
        auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
        BITMAP description {};
        GetObjectA(bitmap, sizeof(description), &description);
        std::vector<uint32_t> pixels(static_cast<size_t>(description.bmWidth) * description.bmHeight);
        BITMAPINFO format = rows_format(description.bmWidth, -description.bmHeight);
        EXPECT_EQ(GetDIBits(dc, bitmap, 0, description.bmHeight, pixels.data(), &format, DIB_RGB_COLORS),
            description.bmHeight);
        return pixels;
    }

    static void set_pixel(HDC dc, int x, int y, uint32_t pixel)
    {
        SetPixel(dc, x, y, RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }

    static uint32_t colour_at(HDC dc, int x, int y) { return pixels_of(dc)[y * width_of(dc) + x] & 0x00FFFFFFu; }

    static int width_of(HDC dc)
    {
        BITMAP description {};
        GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(description), &description);
        return description.bmWidth;
    }

    std::vector<HDC> m_dcs;
    std::vector<HBITMAP> m_bitmaps;
};

TEST_F(FoxLibrary, BlurSoftensTheImageOnceInPlace)
{
    for (bool is_dib_section : { true, false }) {
        SCOPED_TRACE(is_dib_section ? "DIB section" : "device-dependent bitmap");
        HBITMAP image = nullptr;
        HDC dc = is_dib_section ? dib_section(5, 5, 0xFF000000u, &image) : device_bitmap(5, 5, 0xFF000000u, &image);
        set_pixel(dc, 2, 2, 0xFFFFFFFFu);
        LONG zero = 0;
        EXPECT_NE(FoxBlur(dc, image, dc, image, zero, 0, 0), 0);
        EXPECT_EQ(colour_at(dc, 2, 2), 0x404040u);
        EXPECT_EQ(colour_at(dc, 1, 2), 0x202020u);
        EXPECT_EQ(colour_at(dc, 3, 3), 0x101010u);
        EXPECT_EQ(colour_at(dc, 0, 0), 0u);
        EXPECT_EQ(zero, 0);
    }
}

TEST_F(FoxLibrary, BrightnessWritesTheShiftedPictureIntoTheImage)
{
    HBITMAP image = nullptr;
    HBITMAP picture = nullptr;
    HDC dc = dib_section(4, 3, 0xFF0A0A0Au, &image);
    device_bitmap(6, 6, 0xFF646464u, &picture);
    EXPECT_NE(FoxBrightness(dc, image, dc, picture, 35, 0, 0), 0);
    for (uint32_t pixel : pixels_of(dc))
        ASSERT_EQ(pixel & 0x00FFFFFFu, 0x878787u);

    EXPECT_NE(FoxBrightness(dc, image, dc, image, -300, 0, 0), 0);
    for (uint32_t pixel : pixels_of(dc))
        ASSERT_EQ(pixel & 0x00FFFFFFu, 0u);
}

TEST_F(FoxLibrary, AlphaBlendLeavesKeyColouredPixelsOut)
{
    HDC destination = dib_section(3, 1, 0xFF000000u);
    HDC source = dib_section(3, 1, 0xFFC86432u);
    set_pixel(source, 0, 0, magenta);
    set_pixel(source, 2, 0, 0xFF0A141Eu);
    EXPECT_NE(FoxAlphaBlend(destination, 0, 0, 3, 1, source, 0, 0, 128, RGB(255, 0, 255), 1), 0);
    EXPECT_EQ(colour_at(destination, 0, 0), 0u);
    EXPECT_EQ(colour_at(destination, 1, 0), 0x643219u);

    // The key is a COLORREF: red in its low byte.
    EXPECT_NE(FoxAlphaBlend(destination, 0, 0, 3, 1, source, 0, 0, 255, RGB(10, 20, 30), 1), 0);
    EXPECT_EQ(colour_at(destination, 0, 0), 0xFF00FFu);
    EXPECT_EQ(colour_at(destination, 2, 0), 0x050A0Fu);
}

TEST_F(FoxLibrary, RectanglesLandWhereTheyAreGivenAndAreClipped)
{
    for (int both = 0; both < 9; ++both) {
        Storage destination_storage = storages[both / 3];
        Storage source_storage = storages[both % 3];
        SCOPED_TRACE(std::string(name_of(source_storage)) + " onto " + name_of(destination_storage));
        HDC destination = picture(destination_storage, 6, 4, 0xFF000000u);
        HDC source = picture(source_storage, 6, 4, 0xFF000000u);
        set_pixel(source, 0, 1, 0xFFFFFFFFu);
        set_pixel(source, 1, 1, 0xFF808080u);
        EXPECT_NE(FoxAlphaBlend(destination, 1, 0, 2, 1, source, 0, 1, 255, RGB(255, 0, 255), 1), 0);
        EXPECT_EQ(colour_at(destination, 1, 0), 0xFFFFFFu);
        EXPECT_EQ(colour_at(destination, 2, 0), 0x808080u);
        EXPECT_EQ(colour_at(destination, 0, 1), 0u);

        // Beyond the right and bottom edges, and before the left one.
        EXPECT_NE(FoxAlphaBlend(destination, 5, 3, 100, 100, source, 0, 1, 255, RGB(255, 0, 255), 1), 0);
        EXPECT_EQ(colour_at(destination, 5, 3), 0xFFFFFFu);
        EXPECT_NE(FoxAlphaBlend(destination, -1, 2, 2, 1, source, 0, 1, 255, RGB(255, 0, 255), 1), 0);
        EXPECT_EQ(colour_at(destination, 0, 2), 0x808080u);
    }
}

TEST_F(FoxLibrary, HslRecoloursItsRectangleInPlace)
{
    for (Storage storage : { Storage::BottomUp, Storage::TopDown }) {
        SCOPED_TRACE(name_of(storage));
        HDC dc = picture(storage, 4, 4, red);
        EXPECT_NE(FoxHSL(dc, 1, 0, 2, 3, dc, 1, 0, 120.0f, 1.0f, 0, 0, 0), 0);
        auto pixels = pixels_of(dc);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                bool is_inside = x >= 1 && x <= 2 && y <= 2;
                ASSERT_EQ(pixels[y * 4 + x], is_inside ? green : red) << x << ", " << y;
            }
        }
    }
}

TEST_F(FoxLibrary, ASourceOverlappingItsDestinationIsReadBeforeItIsWritten)
{
    HDC dc = dib_section(4, 1, 0xFF000000u);
    for (int x = 0; x < 4; ++x)
        set_pixel(dc, x, 0, 0xFF000000u | (0x10u * (x + 1)));
    EXPECT_NE(FoxHSL(dc, 1, 0, 3, 1, dc, 0, 0, 0.0f, 1.0f, 0, 0, 0), 0);
    EXPECT_EQ(colour_at(dc, 1, 0), 0x10u);
    EXPECT_EQ(colour_at(dc, 2, 0), 0x20u);
    EXPECT_EQ(colour_at(dc, 3, 0), 0x30u);
}

TEST_F(FoxLibrary, CallsWithoutAUsableBitmapDoNothingAndSaySo)
{
    LONG zero = 0;
    HDC dc = dib_section(2, 2, red);
    EXPECT_EQ(FoxBlur(nullptr, nullptr, nullptr, nullptr, zero, 0, 0), 0);
    EXPECT_EQ(FoxBrightness(dc, nullptr, nullptr, nullptr, 10, 0, 0), 0);
    EXPECT_EQ(FoxAlphaBlend(dc, 0, 0, 2, 2, nullptr, 0, 0, 128, 0, 1), 0);
    EXPECT_EQ(FoxHSL(dc, 0, 0, 2, 2, dc, 0, 0, std::nanf(""), 1.0f, 0, 0, 0), 0);
    EXPECT_EQ(pixels_of(dc), std::vector<uint32_t>(4, red));
}

TEST_F(FoxLibrary, WithoutTheLibraryEveryCallFailsAndTheStatementIsSkipped)
{
    sim::driver::reset();
    HBITMAP image = nullptr;
    HDC dc = dib_section(3, 3, red, &image);
    LONG zero = 0;
    std::vector<std::function<void()>> statements = {
        [&] { FoxBlur(dc, image, dc, image, zero, 0, 0); },
        [&] { FoxBrightness(dc, image, dc, image, 35, 0, 0); },
        [&] { FoxAlphaBlend(dc, 0, 0, 3, 3, dc, 0, 0, 128, RGB(255, 0, 255), 1); },
        [&] { FoxHSL(dc, 0, 0, 3, 3, dc, 0, 0, 120.0f, 1.0f, 0, 0, 0); },
    };
    for (auto& statement : statements) {
        bool has_run_next_line = false;
        EXPECT_FALSE(runtime::skip_on_error([&] {
            statement();
            has_run_next_line = true;
        }));
        EXPECT_FALSE(has_run_next_line);
        try {
            statement();
            ADD_FAILURE() << "the call did not fail";
        } catch (const runtime::Error& error) {
            EXPECT_EQ(error.number, runtime::ErrDllNotFound);
        }
    }
    EXPECT_EQ(pixels_of(dc), std::vector<uint32_t>(9, red));
}

TEST_F(FoxLibrary, TheLibraryIsFoundAgainAfterTheDesktopIsReset)
{
    HDC first = dib_section(2, 1, 0xFF101010u);
    EXPECT_NE(FoxBrightness(first, nullptr, first, nullptr, 1, 0, 0), 0);
    sim::driver::reset();
    sim::install_program_folder(program_folder());
    HDC second = dib_section(2, 1, 0xFF101010u);
    EXPECT_NE(FoxBrightness(second, nullptr, second, nullptr, 2, 0, 0), 0);
    EXPECT_EQ(colour_at(second, 1, 0), 0x121212u);
}

}
