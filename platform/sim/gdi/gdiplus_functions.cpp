// The GDI+ flat interface: start-up, images read from files, and drawing them into device contexts.
#include "platform/api/gdiplus.h"

#include "platform/api/gdi.h"
#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/gdi/painter.h"
#include "platform/sim/kernel/paths.h"

#include <cmath>
#include <set>
#include <string>

using namespace Gdiplus;

namespace {

struct ImageObject : GpBitmap {
    sim::Bitmap pixels { 0, 0 };
};

struct GraphicsObject : GpGraphics {
    HDC dc = nullptr;
};

// The objects GDI+ hands out are checked against these sets, so a stale or foreign pointer is
// refused instead of followed.
std::set<ImageObject*>& live_images()
{
    static std::set<ImageObject*> images;
    return images;
}

std::set<GraphicsObject*>& live_graphics()
{
    static std::set<GraphicsObject*> graphics;
    return graphics;
}

bool is_started()
{
    return sim::is_gdiplus_started();
}

// An object handed out earlier; none for a pointer that is not live.
template<typename Object, typename Handle>
Object* find_live(const std::set<Object*>& live, Handle* handle)
{
    auto* object = static_cast<Object*>(handle);
    return live.count(object) ? object : nullptr;
}

// Frees an object handed out earlier; a pointer that is not live is refused.
template<typename Object, typename Handle>
GpStatus free_live(std::set<Object*>& live, Handle* handle)
{
    auto* object = find_live(live, handle);
    if (!object)
        return InvalidParameter;
    live.erase(object);
    delete object;
    return Ok;
}

ImageObject* find_image(GpImage* image)
{
    return find_live(live_images(), image);
}

GraphicsObject* find_graphics(GpGraphics* graphics)
{
    return find_live(live_graphics(), graphics);
}

std::string utf8_of(const WCHAR* text)
{
    std::string result;
    for (; *text; ++text) {
        auto code = static_cast<uint32_t>(*text);
        if (code < 0x80) {
            result.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (code >> 6)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            result.push_back(static_cast<char>(0xE0 | (code >> 12)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xF0 | (code >> 18)));
            result.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return result;
}

GpStatus load_image(const WCHAR* file_name, ImageObject** image)
{
    if (!is_started())
        return GdiplusNotInitialized;
    if (!file_name || !image)
        return InvalidParameter;
    *image = nullptr;
    auto bytes = sim::read_host_file(sim::host_path(utf8_of(file_name)));
    if (!bytes)
        return FileNotFound;
    auto pixels = sim::decode_image(*bytes);
    if (!pixels)
        return OutOfMemory;
    auto* object = new ImageObject;
    object->pixels = std::move(*pixels);
    live_images().insert(object);
    *image = object;
    return Ok;
}

uint32_t premultiplied(uint32_t pixel)
{
    uint32_t alpha = sim::alpha_of(pixel);
    return (alpha << 24) | (sim::scale_byte(sim::red_of(pixel), alpha) << 16)
        | (sim::scale_byte(sim::green_of(pixel), alpha) << 8) | sim::scale_byte(sim::blue_of(pixel), alpha);
}

// The premultiplied colour at a point of the picture, interpolated between the four pixels
// around it.
uint32_t sample_bilinear(const sim::Bitmap& picture, double u, double v)
{
    u = std::clamp(u, 0.0, double(picture.width() - 1));
    v = std::clamp(v, 0.0, double(picture.height() - 1));
    int x0 = static_cast<int>(u);
    int y0 = static_cast<int>(v);
    int x1 = std::min(x0 + 1, picture.width() - 1);
    int y1 = std::min(y0 + 1, picture.height() - 1);
    double fx = u - x0;
    double fy = v - y0;
    uint32_t corners[4] = { premultiplied(picture.pixel(x0, y0)), premultiplied(picture.pixel(x1, y0)),
        premultiplied(picture.pixel(x0, y1)), premultiplied(picture.pixel(x1, y1)) };
    double weights[4] = { (1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy };
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        double value = 0;
        for (int i = 0; i < 4; ++i)
            value += weights[i] * ((corners[i] >> shift) & 0xFF);
        result |= static_cast<uint32_t>(std::lround(value)) << shift;
    }
    return result;
}

// A premultiplied colour laid over a pixel.
uint32_t over(uint32_t destination, uint32_t source)
{
    uint32_t keep = 255 - sim::alpha_of(source);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t value = ((source >> shift) & 0xFF) + sim::scale_byte((destination >> shift) & 0xFF, keep);
        result |= std::min<uint32_t>(value, 255) << shift;
    }
    return result;
}

GpStatus draw_image(GpGraphics* graphics_handle, GpImage* image_handle, double x, double y, double width, double height)
{
    if (!is_started())
        return GdiplusNotInitialized;
    GraphicsObject* graphics = find_graphics(graphics_handle);
    ImageObject* image = find_image(image_handle);
    if (!graphics || !image)
        return InvalidParameter;
    auto* dc = sim::find_dc(graphics->dc);
    if (!dc)
        return InvalidParameter;
    const sim::Bitmap& picture = image->pixels;
    if (width <= 0 || height <= 0 || picture.is_empty())
        return Ok;
    auto target = sim::draw_target(*dc);
    if (!target)
        return Ok;
    // Pixels whose centres lie in the destination rectangle are drawn; drawn at its own size on
    // whole pixels the picture is copied exactly.
    auto first_centre_from = [](double edge) { return static_cast<LONG>(std::ceil(edge - 0.5)); };
    RECT area { first_centre_from(x), first_centre_from(y), first_centre_from(x + width), first_centre_from(y + height) };
    bool is_exact = width == picture.width() && height == picture.height() && x == std::floor(x) && y == std::floor(y);
    double scale_x = picture.width() / width;
    double scale_y = picture.height() / height;
    POINT origin = target.origin();
    sim::for_each_span(target.clip(), sim::offset_rect(area, origin), [&](int row, int left, int right) {
        uint32_t* pixels = target.bitmap().row(row);
        double dc_y = row - origin.y;
        for (int column = left; column < right; ++column) {
            double dc_x = column - origin.x;
            uint32_t source = 0;
            if (is_exact)
                source = premultiplied(picture.pixel(static_cast<int>(dc_x - x), static_cast<int>(dc_y - y)));
            else
                source = sample_bilinear(picture, (dc_x + 0.5 - x) * scale_x - 0.5, (dc_y + 0.5 - y) * scale_y - 0.5);
            pixels[column] = over(pixels[column], source);
        }
    });
    return Ok;
}

VOID WINAPI no_unhook(ULONG_PTR) { }

Status WINAPI no_hook(ULONG_PTR* token)
{
    if (token)
        *token = 0;
    return Ok;
}

}

namespace Gdiplus {

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)
{
    static ULONG_PTR next_token = 1;
    if (!token || !input)
        return InvalidParameter;
    if (input->GdiplusVersion != 1)
        return UnsupportedGdiplusVersion;
    if (output) {
        output->NotificationHook = no_hook;
        output->NotificationUnhook = no_unhook;
    }
    *token = next_token++;
    sim::note_gdiplus_startup(*token);
    return Ok;
}

VOID WINAPI GdiplusShutdown(ULONG_PTR token)
{
    sim::note_gdiplus_shutdown(token);
}

namespace DllExports {

GpStatus WINGDIPAPI GdipLoadImageFromFile(GDIPCONST WCHAR* file_name, GpImage** image)
{
    ImageObject* object = nullptr;
    GpStatus status = load_image(file_name, &object);
    if (image)
        *image = object;
    return status;
}

GpStatus WINGDIPAPI GdipCreateBitmapFromFile(GDIPCONST WCHAR* file_name, GpBitmap** bitmap)
{
    ImageObject* object = nullptr;
    GpStatus status = load_image(file_name, &object);
    if (bitmap)
        *bitmap = object;
    return status;
}

GpStatus WINGDIPAPI GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* result, ARGB background)
{
    if (!is_started())
        return GdiplusNotInitialized;
    ImageObject* image = find_image(bitmap);
    if (!image || !result)
        return InvalidParameter;
    // The picture laid over the background colour, in a top-down 32-bit DIB section whose colours
    // are premultiplied by their alpha.
    const sim::Bitmap& picture = image->pixels;
    sim::Bitmap section = sim::Bitmap::dib_section(picture.width(), picture.height(), 32, sim::Bitmap::Orientation::TopDown);
    uint32_t base = premultiplied(background);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            section.set_pixel(x, y, over(base, premultiplied(picture.pixel(x, y))));
    }
    *result = sim::add_bitmap(std::move(section));
    return *result ? Ok : OutOfMemory;
}

GpStatus WINGDIPAPI GdipGetImageDimension(GpImage* image, REAL* width, REAL* height)
{
    ImageObject* object = find_image(image);
    if (!object || !width || !height)
        return InvalidParameter;
    *width = static_cast<REAL>(object->pixels.width());
    *height = static_cast<REAL>(object->pixels.height());
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width)
{
    ImageObject* object = find_image(image);
    if (!object || !width)
        return InvalidParameter;
    *width = static_cast<UINT>(object->pixels.width());
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageHeight(GpImage* image, UINT* height)
{
    ImageObject* object = find_image(image);
    if (!object || !height)
        return InvalidParameter;
    *height = static_cast<UINT>(object->pixels.height());
    return Ok;
}

GpStatus WINGDIPAPI GdipDisposeImage(GpImage* image)
{
    return free_live(live_images(), image);
}

GpStatus WINGDIPAPI GdipCreateFromHDC(HDC dc, GpGraphics** graphics)
{
    if (!is_started())
        return GdiplusNotInitialized;
    if (!graphics)
        return InvalidParameter;
    *graphics = nullptr;
    if (!sim::find_dc(dc))
        return OutOfMemory;
    auto* object = new GraphicsObject;
    object->dc = dc;
    live_graphics().insert(object);
    *graphics = object;
    return Ok;
}

GpStatus WINGDIPAPI GdipDeleteGraphics(GpGraphics* graphics)
{
    return free_live(live_graphics(), graphics);
}

GpStatus WINGDIPAPI GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height)
{
    return draw_image(graphics, image, x, y, width, height);
}

GpStatus WINGDIPAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height)
{
    return draw_image(graphics, image, x, y, width, height);
}

}

}
