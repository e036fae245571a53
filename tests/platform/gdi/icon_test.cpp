#include "platform/win32.h"
#include "platform/sim/kernel/paths.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

using gdi_test::Canvas;

namespace {

// A 32 x 32 icon: red on the left half, nothing on the right half, shaped either by the alpha
// channel of its colour picture or by its mask.
HICON make_half_icon(bool uses_alpha)
{
    Canvas color(32, 32, RGB(255, 0, 0));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            uint32_t pixel = color.raw(x, y);
            if (uses_alpha)
                pixel = x < 16 ? 0xFFFF0000 : 0x00000000;
            color.set_raw(x, y, pixel);
        }
    }
    HDC mask_dc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(mask_dc, mask);
    RECT right { 16, 0, 32, 32 };
    FillRect(mask_dc, &right, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SelectObject(mask_dc, old);
    DeleteDC(mask_dc);
    if (!uses_alpha) {
        RECT area { 16, 0, 32, 32 };
        FillRect(color.dc(), &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ICONINFO info { TRUE, 0, 0, mask, color.bitmap() };
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

void write_u16(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void write_u32(std::vector<uint8_t>& bytes, uint32_t value)
{
    write_u16(bytes, static_cast<uint16_t>(value));
    write_u16(bytes, static_cast<uint16_t>(value >> 16));
}

// An icon file with a 32 x 32 red image and a 16 x 16 green image, both 32 bits per pixel; as a
// cursor file each entry names the hot spot (6, 2) in place of planes and bit count.
std::vector<uint8_t> icon_file(bool is_cursor = false)
{
    std::vector<std::vector<uint8_t>> images;
    for (auto [size, pixel] : { std::pair { 32, 0xFFFF0000u }, { 16, 0xFF00FF00u } }) {
        std::vector<uint8_t> image;
        write_u32(image, 40);
        write_u32(image, size);
        write_u32(image, size * 2);
        write_u16(image, 1);
        write_u16(image, 32);
        for (int i = 0; i < 6; ++i)
            write_u32(image, 0);
        for (int i = 0; i < size * size; ++i)
            write_u32(image, pixel);
        image.resize(image.size() + size * 4, 0); // the AND mask: all opaque
        images.push_back(image);
    }
    std::vector<uint8_t> file;
    write_u16(file, 0);
    write_u16(file, is_cursor ? 2 : 1);
    write_u16(file, 2);
    uint32_t offset = 6 + 16 * 2;
    for (size_t i = 0; i < images.size(); ++i) {
        uint8_t size = i == 0 ? 32 : 16;
        file.insert(file.end(), { size, size, 0, 0 });
        write_u16(file, is_cursor ? 6 : 1);
        write_u16(file, is_cursor ? 2 : 32);
        write_u32(file, static_cast<uint32_t>(images[i].size()));
        write_u32(file, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (auto& image : images)
        file.insert(file.end(), image.begin(), image.end());
    return file;
}

}

TEST(Icons, DrawIconExScalesToSixteenAndKeepsTheBackground)
{
    for (bool uses_alpha : { true, false }) {
        HICON icon = make_half_icon(uses_alpha);
        ASSERT_NE(icon, nullptr);
        Canvas box(24, 24, RGB(224, 224, 224));
        EXPECT_TRUE(DrawIconEx(box.dc(), 2, 3, icon, 16, 16, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(box.at(2, 3), RGB(255, 0, 0)) << uses_alpha;
        EXPECT_EQ(box.at(9, 18), RGB(255, 0, 0)) << uses_alpha;
        EXPECT_EQ(box.at(10, 3), RGB(224, 224, 224)) << uses_alpha;
        EXPECT_EQ(box.at(17, 18), RGB(224, 224, 224)) << uses_alpha;
        EXPECT_EQ(box.count(RGB(255, 0, 0)), 8 * 16) << uses_alpha;
        EXPECT_TRUE(DestroyIcon(icon));
        EXPECT_FALSE(DestroyIcon(icon));
    }
}

TEST(Icons, InfoAndCopiesAreIndependentPictures)
{
    HICON icon = make_half_icon(true);
    ICONINFO info {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP color {};
    ASSERT_EQ(GetObjectA(info.hbmColor, sizeof color, &color), static_cast<int>(sizeof color));
    EXPECT_EQ(color.bmWidth, 32);
    BITMAP mask {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmBitsPixel, 1);
    HICON copy = CopyIcon(icon);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, icon);
    DestroyIcon(icon);
    Canvas box(32, 32, RGB(0, 0, 255));
    EXPECT_TRUE(DrawIcon(box.dc(), 0, 0, copy));
    EXPECT_EQ(box.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(box.at(31, 0), RGB(0, 0, 255));
    DestroyIcon(copy);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(Icons, LoadImageChoosesTheImageOfTheAskedSize)
{
    auto path = sim::host_path("C:\\icon-test\\two sizes.ico");
    std::filesystem::create_directories(path.parent_path());
    auto bytes = icon_file();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    auto small = static_cast<HICON>(LoadImageA(nullptr, "C:\\icon-test\\two sizes.ico", IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    auto large = static_cast<HICON>(LoadImageA(nullptr, "C:\\icon-test\\two sizes.ico", IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    Canvas box(32, 32, RGB(0, 0, 0));
    DrawIconEx(box.dc(), 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(box.at(15, 15), RGB(0, 255, 0));
    EXPECT_EQ(box.at(16, 16), RGB(0, 0, 0)) << "drawn at its own size";
    DrawIconEx(box.dc(), 0, 0, large, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(box.at(31, 31), RGB(255, 0, 0));
    EXPECT_EQ(LoadImageA(nullptr, "C:\\icon-test\\missing.ico", IMAGE_ICON, 16, 16, LR_LOADFROMFILE), nullptr);
    DestroyIcon(small);
    DestroyIcon(large);

    auto cursor_path = sim::host_path("C:\\icon-test\\pointer.cur");
    auto cursor_bytes = icon_file(true);
    std::ofstream(cursor_path, std::ios::binary).write(reinterpret_cast<const char*>(cursor_bytes.data()), cursor_bytes.size());
    auto cursor = static_cast<HICON>(LoadImageA(nullptr, "C:\\icon-test\\pointer.cur", IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 2u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(cursor);
}

TEST(LoadImage, ReadsABitmapFileBottomRowFirst)
{
    std::vector<uint8_t> file;
    write_u16(file, 0x4D42);
    write_u32(file, 14 + 40 + 16);
    write_u32(file, 0);
    write_u32(file, 14 + 40);
    write_u32(file, 40);
    write_u32(file, 2);
    write_u32(file, 2);
    write_u16(file, 1);
    write_u16(file, 24);
    for (int i = 0; i < 6; ++i)
        write_u32(file, 0);
    // Bottom row: blue, green; top row: red, white. Rows are padded to four bytes.
    file.insert(file.end(), { 255, 0, 0, 0, 255, 0, 0, 0 });
    file.insert(file.end(), { 0, 0, 255, 255, 255, 255, 0, 0 });
    auto path = sim::host_path("C:\\icon-test\\picture.bmp");
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());

    auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, "C:\\icon-test\\picture.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(Icons, ShrinkingAnAlphaIconLendsNoColourFromTransparentPixels)
{
    // Columns alternate opaque white and transparent black; drawn at half the width over white,
    // each pixel is half-covered white on white and must stay white, not turn grey.
    Canvas color(4, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x)
            color.set_raw(x, y, x % 2 ? 0x00000000 : 0xFFFFFFFF);
    }
    HBITMAP mask = CreateBitmap(4, 2, 1, 1, nullptr);
    ICONINFO info { TRUE, 0, 0, mask, color.bitmap() };
    HICON icon = CreateIconIndirect(&info);
    Canvas box(2, 1, RGB(255, 255, 255));
    EXPECT_TRUE(DrawIconEx(box.dc(), 0, 0, icon, 2, 1, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(box.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(box.at(1, 0), RGB(255, 255, 255));
    Canvas dark(2, 1, RGB(0, 0, 0));
    DrawIconEx(dark.dc(), 0, 0, icon, 2, 1, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(dark.at(0, 0), RGB(128, 128, 128));
    DestroyIcon(icon);
    DeleteObject(mask);
}
