#include "platform/win32.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/gdi/png_encoder.h"
#include "platform/sim/kernel/paths.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/platform/gdi/gdiplus_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

using gdi_test::Canvas;
using gdi_test::GdiplusTest;

namespace {

// Writes a 4 x 2 PNG into the simulated drive: opaque red, transparent, half-transparent white,
// opaque blue on the top row; the bottom row all opaque green.
void write_test_png(const char* windows_path)
{
    sim::Bitmap picture(4, 2);
    picture.set_pixel(0, 0, 0xFFFF0000);
    picture.set_pixel(1, 0, 0x00FFFFFF);
    picture.set_pixel(2, 0, 0x80FFFFFF);
    picture.set_pixel(3, 0, 0xFF0000FF);
    for (int x = 0; x < 4; ++x)
        picture.set_pixel(x, 1, 0xFF00FF00);
    gdi_test::write_png(windows_path, picture);
}

}

TEST(PngEncoder, WritesWhatTheDecoderReadsBack)
{
    sim::Bitmap picture(3, 2);
    picture.set_pixel(0, 0, 0xFF102030);
    picture.set_pixel(2, 1, 0x80FFFFFF);
    auto bytes = sim::encode_png(picture);
    EXPECT_EQ(bytes, sim::encode_png(picture)) << "the same pixels give the same bytes";
    auto decoded = sim::decode_image(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width(), 3);
    EXPECT_EQ(decoded->pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(decoded->pixel(2, 1), 0x80FFFFFFu);
    EXPECT_EQ(decoded->pixel(1, 0), 0x00000000u);
}

// Files that fault a decoder: an icon whose palette count is 0xFFFFFFFF, a BMP of height -2^31, a
// JPEG Huffman table of 4,080 codes. None is a picture. A PNG whose first image data chunk is
// empty still is one.
TEST(ImageDecoder, InputsThatFaultADecoderAreNoPictures)
{
    auto put32 = [](std::vector<uint8_t>& bytes, uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(value >> shift));
    };
    std::vector<uint8_t> icon { 0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 8, 0 };
    put32(icon, 40 + 64 + 32);
    put32(icon, 22);
    for (uint32_t field : { 40u, 16u, 32u })
        put32(icon, field);
    icon.insert(icon.end(), { 1, 0, 8, 0 });
    for (uint32_t field : { 0u, 0u, 0u, 0u, 0xFFFFFFFFu, 0u })
        put32(icon, field);
    icon.resize(icon.size() + 64 + 32);
    EXPECT_TRUE(sim::decode_icon_file(icon).empty());

    std::vector<uint8_t> bmp { 'B', 'M' };
    for (uint32_t field : { 58u, 0u, 54u, 40u, 1u, 0x80000000u })
        put32(bmp, field);
    bmp.insert(bmp.end(), { 1, 0, 24, 0 });
    for (int field = 0; field < 6; ++field)
        put32(bmp, 0);
    bmp.resize(58);
    EXPECT_FALSE(sim::decode_image(bmp));

    std::vector<uint8_t> jpeg { 0xFF, 0xD8, 0xFF, 0xC4, 0x00, 0x13, 0x00 };
    jpeg.insert(jpeg.end(), 16, 255);
    jpeg.resize(jpeg.size() + 4080);
    EXPECT_FALSE(sim::decode_image(jpeg));

    sim::Bitmap picture(2, 2);
    picture.fill(0xFF336699);
    std::vector<uint8_t> png = sim::encode_png(picture);
    const uint8_t empty_data[] { 0, 0, 0, 0, 'I', 'D', 'A', 'T', 0x35, 0xAF, 0x06, 0x1E };
    png.insert(png.begin() + 8 + 25, std::begin(empty_data), std::end(empty_data));
    auto decoded = sim::decode_image(png);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixel(1, 1), 0xFF336699u);
}

TEST_F(GdiplusTest, LoadsAPngWithAlphaAndDrawsItBlended)
{
    write_test_png("C:\\Program Files\\Kelmor\\glow-test.cbg");
    Gdiplus::GpImage* image = nullptr;
    ASSERT_EQ(GdipLoadImageFromFile(L"c:\\program files\\KELMOR\\glow-test.cbg", &image), Gdiplus::Ok);
    Gdiplus::REAL width = 0;
    Gdiplus::REAL height = 0;
    EXPECT_EQ(GdipGetImageDimension(image, &width, &height), Gdiplus::Ok);
    EXPECT_EQ(width, 4.0f);
    EXPECT_EQ(height, 2.0f);

    Canvas box(8, 4, RGB(0, 0, 0));
    Gdiplus::GpGraphics* graphics = nullptr;
    ASSERT_EQ(GdipCreateFromHDC(box.dc(), &graphics), Gdiplus::Ok);
    EXPECT_EQ(GdipDrawImageRect(graphics, image, 1, 1, width, height), Gdiplus::Ok);
    EXPECT_EQ(box.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(box.at(2, 1), RGB(0, 0, 0)) << "a transparent pixel keeps the box colour";
    EXPECT_EQ(box.at(3, 1), RGB(128, 128, 128));
    EXPECT_EQ(box.at(4, 1), RGB(0, 0, 255));
    EXPECT_EQ(box.at(2, 2), RGB(0, 255, 0));
    EXPECT_EQ(box.at(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(box.at(5, 1), RGB(0, 0, 0));
    EXPECT_EQ(box.at(1, 3), RGB(0, 0, 0));

    // Stretched over the whole box, the picture covers every pixel's row band.
    box.fill_with(RGB(0, 0, 0));
    EXPECT_EQ(GdipDrawImageRectI(graphics, image, 0, 0, 8, 4), Gdiplus::Ok);
    EXPECT_EQ(box.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(box.at(7, 0), RGB(0, 0, 255));
    EXPECT_EQ(box.at(3, 3), RGB(0, 255, 0));

    // Into a fresh 32-bit DIB section the picture lands premultiplied, ready for a layered window.
    Canvas layer(4, 2, RGB(0, 0, 0));
    std::fill(layer.bits(), layer.bits() + 8, 0u);
    Gdiplus::GpGraphics* layer_graphics = nullptr;
    GdipCreateFromHDC(layer.dc(), &layer_graphics);
    GdipDrawImageRect(layer_graphics, image, 0, 0, width, height);
    EXPECT_EQ(layer.raw(0, 0), 0xFFFF0000u);
    EXPECT_EQ(layer.raw(1, 0), 0x00000000u);
    EXPECT_EQ(layer.raw(2, 0), 0x80808080u);

    EXPECT_EQ(GdipDeleteGraphics(layer_graphics), Gdiplus::Ok);
    EXPECT_EQ(GdipDeleteGraphics(graphics), Gdiplus::Ok);
    EXPECT_EQ(GdipDisposeImage(image), Gdiplus::Ok);
    EXPECT_EQ(GdipDisposeImage(image), Gdiplus::InvalidParameter) << "a disposed image is refused";
}

TEST_F(GdiplusTest, ReportsMissingAndBrokenFiles)
{
    Gdiplus::GpImage* image = reinterpret_cast<Gdiplus::GpImage*>(1);
    EXPECT_NE(GdipLoadImageFromFile(L"C:\\Program Files\\Kelmor\\missing.png", &image), Gdiplus::Ok);
    EXPECT_EQ(image, nullptr);
    auto path = sim::host_path("C:\\Program Files\\Kelmor\\not-an-image.refl");
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "plain text";
    EXPECT_NE(GdipLoadImageFromFile(L"C:\\Program Files\\Kelmor\\not-an-image.refl", &image), Gdiplus::Ok);
    EXPECT_EQ(image, nullptr);
    Gdiplus::GpGraphics* graphics = nullptr;
    EXPECT_NE(GdipCreateFromHDC(nullptr, &graphics), Gdiplus::Ok);
}

TEST(Gdiplus, RefusesWorkBeforeStartupAndAfterShutdown)
{
    write_test_png("C:\\gdiplus-test\\picture.png");
    Gdiplus::GpImage* image = nullptr;
    EXPECT_EQ(GdipLoadImageFromFile(L"C:\\gdiplus-test\\picture.png", &image), Gdiplus::GdiplusNotInitialized);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    EXPECT_EQ(GdipLoadImageFromFile(L"C:\\gdiplus-test\\picture.png", &image), Gdiplus::Ok);
    Gdiplus::GpBitmap* bitmap = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromFile(L"C:\\gdiplus-test\\picture.png", &bitmap), Gdiplus::Ok);
    HBITMAP converted = nullptr;
    ASSERT_EQ(GdipCreateHBITMAPFromBitmap(bitmap, &converted, 0xFF000000), Gdiplus::Ok);
    DIBSECTION section {};
    ASSERT_EQ(GetObjectA(converted, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(section.dsBm.bmWidth, 4);
    auto* pixels = static_cast<uint32_t*>(section.dsBm.bmBits);
    EXPECT_EQ(pixels[0], 0xFFFF0000u);
    EXPECT_EQ(pixels[1], 0xFF000000u) << "transparent pixels show the background";
    Gdiplus::GdiplusShutdown(token);
    Canvas box(4, 2);
    Gdiplus::GpGraphics* graphics = nullptr;
    EXPECT_EQ(GdipCreateFromHDC(box.dc(), &graphics), Gdiplus::GdiplusNotInitialized);
    GdipDisposeImage(image);
    GdipDisposeImage(bitmap);
    DeleteObject(converted);
}

TEST_F(GdiplusTest, AnImageFromAFileHoldsTheFileAgainstChangesUntilItIsDisposed)
{
    const char* path = "C:\\gdiplus-test\\held.png";
    const char* other = "C:\\gdiplus-test\\other.png";
    write_test_png(path);
    write_test_png(other);
    Gdiplus::GpImage* first = nullptr;
    Gdiplus::GpImage* second = nullptr;
    ASSERT_EQ(GdipLoadImageFromFile(L"C:\\gdiplus-test\\held.png", &first), Gdiplus::Ok);
    ASSERT_EQ(GdipLoadImageFromFile(L"c:\\GDIPLUS-TEST\\held.png", &second), Gdiplus::Ok);
    auto expect_refused = [](BOOL done, const char* what) {
        EXPECT_FALSE(done) << what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << what;
    };
    expect_refused(DeleteFileA(path), "delete");
    expect_refused(MoveFileExA(path, "C:\\gdiplus-test\\moved.png", 0), "rename");
    expect_refused(MoveFileExA(other, path, MOVEFILE_REPLACE_EXISTING), "replace by a move");
    expect_refused(CopyFileA(other, path, FALSE), "replace by a copy");
    for (DWORD disposition : { static_cast<DWORD>(OPEN_EXISTING), static_cast<DWORD>(CREATE_ALWAYS) }) {
        HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        expect_refused(file != INVALID_HANDLE_VALUE, "open for writing");
    }
    HANDLE reading = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reading, INVALID_HANDLE_VALUE) << "reading is shared";
    CloseHandle(reading);
    EXPECT_TRUE(DeleteFileA(other)) << "another file stays free";

    GdipDisposeImage(first);
    EXPECT_FALSE(DeleteFileA(path)) << "the second image still holds the file";
    GdipDisposeImage(second);
    EXPECT_TRUE(DeleteFileA(path));
}

TEST_F(GdiplusTest, AMemoryBitmapTakesACopyWithEveryAlphaKeptAndHoldsNoFile)
{
    write_test_png("C:\\gdiplus-test\\copied.png");
    Gdiplus::GpImage* image = nullptr;
    ASSERT_EQ(GdipLoadImageFromFile(L"C:\\gdiplus-test\\copied.png", &image), Gdiplus::Ok);
    Gdiplus::GpBitmap* copy = nullptr;
    EXPECT_EQ(GdipCreateBitmapFromScan0(4, 2, 0, PixelFormat32bppPARGB, nullptr, &copy), Gdiplus::Ok);
    Gdiplus::GpGraphics* graphics = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(copy, &graphics), Gdiplus::Ok);
    // Laid over what the copy holds, a half-transparent pixel blends; copied, it replaces it.
    auto premultiplied_pixels = [&] {
        HBITMAP section = nullptr;
        EXPECT_EQ(GdipCreateHBITMAPFromBitmap(copy, &section, 0), Gdiplus::Ok);
        DIBSECTION description {};
        GetObjectA(section, sizeof description, &description);
        auto* bits = static_cast<uint32_t*>(description.dsBm.bmBits);
        std::vector<uint32_t> pixels(bits, bits + 8);
        DeleteObject(section);
        return pixels;
    };
    GdipDrawImageRectI(graphics, image, 0, 0, 4, 2);
    GdipDrawImageRectI(graphics, image, 0, 0, 4, 2);
    EXPECT_EQ(premultiplied_pixels()[2], 0xC0C0C0C0u);
    EXPECT_EQ(GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceCopy), Gdiplus::Ok);
    GdipDrawImageRectI(graphics, image, 0, 0, 4, 2);
    std::vector<uint32_t> expected { 0xFFFF0000, 0x00000000, 0x80808080, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00,
        0xFF00FF00, 0xFF00FF00 };
    EXPECT_EQ(premultiplied_pixels(), expected);
    EXPECT_EQ(GdipDrawImageRectI(graphics, copy, 0, 0, 4, 2), Gdiplus::ObjectBusy) << "not into itself";
    EXPECT_EQ(GdipDeleteGraphics(graphics), Gdiplus::Ok);
    EXPECT_EQ(GdipDisposeImage(image), Gdiplus::Ok);
    EXPECT_TRUE(DeleteFileA("C:\\gdiplus-test\\copied.png")) << "the copy holds no file";

    // The copy draws as the image it was taken from did.
    Canvas box(6, 3, RGB(0, 0, 0));
    ASSERT_EQ(GdipCreateFromHDC(box.dc(), &graphics), Gdiplus::Ok);
    GdipDrawImageRect(graphics, copy, 1, 1, 4, 2);
    EXPECT_EQ(box.at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(box.at(2, 1), RGB(0, 0, 0));
    EXPECT_EQ(box.at(3, 1), RGB(128, 128, 128));
    GdipDeleteGraphics(graphics);

    // A graphics object of a disposed bitmap draws nowhere.
    ASSERT_EQ(GdipGetImageGraphicsContext(copy, &graphics), Gdiplus::Ok);
    GdipDisposeImage(copy);
    Gdiplus::GpBitmap* other = nullptr;
    GdipCreateBitmapFromScan0(2, 2, 0, PixelFormat32bppPARGB, nullptr, &other);
    EXPECT_EQ(GdipDrawImageRectI(graphics, other, 0, 0, 2, 2), Gdiplus::InvalidParameter);
    GdipDeleteGraphics(graphics);
    GdipDisposeImage(other);
    EXPECT_EQ(GdipCreateBitmapFromScan0(0, 2, 0, PixelFormat32bppPARGB, nullptr, &other), Gdiplus::InvalidParameter);
}
