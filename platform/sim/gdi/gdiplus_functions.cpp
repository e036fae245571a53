// The GDI+ flat interface: start-up, images read from files or made in memory, and drawing them
// into device contexts and into images.
#include "platform/api/gdiplus.h"

#include "platform/api/gdi.h"
#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/gdi/picture_drawing.h"
#include "platform/sim/kernel/held_files.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/user/process_faults.h"

#include <optional>
#include <set>
#include <string>

using namespace Gdiplus;

namespace {

// An image's pixels are kept premultiplied by their alpha, so that drawing does not premultiply
// them again. An image read from a file holds the file for as long as it lives, as GDI+ does, and
// is decoded only when its pixels are first needed: loading it and asking its size read the
// header alone. Pixels that cannot be decoded are an empty picture of the size the header gave.
struct ImageObject : GpBitmap {
    sim::Bitmap& pixels()
    {
        if (!encoded.empty()) {
            std::optional<sim::Bitmap> decoded = sim::decode_image(encoded);
            if (decoded && decoded->width() == size.cx && decoded->height() == size.cy) {
                decoded_pixels = std::move(*decoded);
                sim::premultiply(decoded_pixels);
            }
            encoded = {};
        }
        return decoded_pixels;
    }

    SIZE size {};
    std::vector<uint8_t> encoded;
    sim::Bitmap decoded_pixels { 0, 0 };
    sim::StretchCache stretches;
    std::optional<sim::HeldFile> file;
};

// Draws into a device context or into an image.
struct GraphicsObject : GpGraphics {
    HDC dc = nullptr;
    GpImage* image = nullptr;
    sim::Compositing compositing = sim::Compositing::Over;
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
    auto host = sim::host_path(utf8_of(file_name));
    auto bytes = sim::read_host_file(host);
    if (!bytes)
        return FileNotFound;
    std::optional<SIZE> size = sim::declared_image_size(*bytes);
    if (!size)
        return OutOfMemory;
    auto* object = new ImageObject;
    object->size = *size;
    object->encoded = std::move(*bytes);
    object->file.emplace(host);
    live_images().insert(object);
    *image = object;
    return Ok;
}

GpStatus draw_image(GpGraphics* graphics_handle, GpImage* image_handle, double x, double y, double width, double height)
{
    if (!is_started())
        return GdiplusNotInitialized;
    GraphicsObject* graphics = find_graphics(graphics_handle);
    ImageObject* image = find_image(image_handle);
    if (!graphics || !image)
        return InvalidParameter;
    sim::PicturePlace place { x, y, width, height };
    if (image->pixels().is_empty())
        return GenericError;
    if (graphics->dc) {
        auto* dc = sim::find_dc(graphics->dc);
        if (!dc)
            return InvalidParameter;
        auto target = sim::draw_target(*dc);
        if (target)
            sim::draw_picture({ target.bitmap(), target.origin(), target.clip() }, image->pixels(), place,
                graphics->compositing, image->stretches);
        return Ok;
    }
    ImageObject* canvas = find_image(graphics->image);
    if (!canvas)
        return InvalidParameter;
    if (canvas == image)
        return ObjectBusy;
    sim::Region whole = sim::Region::rectangle(0, 0, canvas->pixels().width(), canvas->pixels().height());
    sim::draw_picture({ canvas->pixels(), POINT {}, whole }, image->pixels(), place, graphics->compositing, image->stretches);
    canvas->stretches.clear();
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
    sim::ApiCall api_call;
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
    sim::ApiCall api_call{sim::CallKind::release};
    sim::note_gdiplus_shutdown(token);
}

namespace DllExports {

GpStatus WINGDIPAPI GdipLoadImageFromFile(GDIPCONST WCHAR* file_name, GpImage** image)
{
    sim::ApiCall api_call;
    ImageObject* object = nullptr;
    GpStatus status = load_image(file_name, &object);
    if (image)
        *image = object;
    return status;
}

GpStatus WINGDIPAPI GdipCreateBitmapFromFile(GDIPCONST WCHAR* file_name, GpBitmap** bitmap)
{
    sim::ApiCall api_call;
    ImageObject* object = nullptr;
    GpStatus status = load_image(file_name, &object);
    if (bitmap)
        *bitmap = object;
    return status;
}

// Only what the program makes: bitmaps whose memory GDI+ owns, in premultiplied 32-bit colour,
// transparent black at first.
GpStatus WINGDIPAPI GdipCreateBitmapFromScan0(INT width, INT height, INT, PixelFormat format, BYTE* scan0,
    GpBitmap** bitmap)
{
    sim::ApiCall api_call;
    if (!is_started())
        return GdiplusNotInitialized;
    if (!bitmap || width <= 0 || height <= 0)
        return InvalidParameter;
    *bitmap = nullptr;
    if (format != PixelFormat32bppPARGB || scan0)
        return NotImplemented;
    if (!sim::Bitmap::is_possible_size(width, height))
        return OutOfMemory;
    auto* object = new ImageObject;
    object->size = SIZE { width, height };
    object->decoded_pixels = sim::Bitmap(width, height);
    object->decoded_pixels.fill(0);
    live_images().insert(object);
    *bitmap = object;
    return Ok;
}

GpStatus WINGDIPAPI GdipCreateHBITMAPFromBitmap(GpBitmap* bitmap, HBITMAP* result, ARGB background)
{
    sim::ApiCall api_call;
    if (!is_started())
        return GdiplusNotInitialized;
    ImageObject* image = find_image(bitmap);
    if (!image || !result)
        return InvalidParameter;
    // The picture laid over the background colour, in a top-down 32-bit DIB section whose colours
    // are premultiplied by their alpha.
    const sim::Bitmap& picture = image->pixels();
    if (picture.is_empty())
        return GenericError;
    sim::Bitmap section = sim::Bitmap::dib_section(picture.width(), picture.height(), 32, sim::Bitmap::Orientation::TopDown);
    uint32_t base = sim::premultiplied(background);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            section.set_pixel(x, y, sim::over(base, picture.pixel(x, y)));
    }
    *result = sim::add_bitmap(std::move(section));
    return *result ? Ok : OutOfMemory;
}

GpStatus WINGDIPAPI GdipGetImageDimension(GpImage* image, REAL* width, REAL* height)
{
    sim::ApiCall api_call;
    ImageObject* object = find_image(image);
    if (!object || !width || !height)
        return InvalidParameter;
    *width = static_cast<REAL>(object->size.cx);
    *height = static_cast<REAL>(object->size.cy);
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width)
{
    sim::ApiCall api_call;
    ImageObject* object = find_image(image);
    if (!object || !width)
        return InvalidParameter;
    *width = static_cast<UINT>(object->size.cx);
    return Ok;
}

GpStatus WINGDIPAPI GdipGetImageHeight(GpImage* image, UINT* height)
{
    sim::ApiCall api_call;
    ImageObject* object = find_image(image);
    if (!object || !height)
        return InvalidParameter;
    *height = static_cast<UINT>(object->size.cy);
    return Ok;
}

GpStatus WINGDIPAPI GdipDisposeImage(GpImage* image)
{
    sim::ApiCall api_call{sim::CallKind::release};
    // A graphics object of the image draws nowhere once the image is gone.
    for (GraphicsObject* graphics : live_graphics()) {
        if (graphics->image == image)
            graphics->image = nullptr;
    }
    return free_live(live_images(), image);
}

GpStatus WINGDIPAPI GdipCreateFromHDC(HDC dc, GpGraphics** graphics)
{
    sim::ApiCall api_call;
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

GpStatus WINGDIPAPI GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics)
{
    sim::ApiCall api_call;
    if (!is_started())
        return GdiplusNotInitialized;
    if (!graphics || !find_image(image))
        return InvalidParameter;
    auto* object = new GraphicsObject;
    object->image = image;
    live_graphics().insert(object);
    *graphics = object;
    return Ok;
}

GpStatus WINGDIPAPI GdipSetCompositingMode(GpGraphics* graphics, CompositingMode mode)
{
    sim::ApiCall api_call;
    GraphicsObject* object = find_graphics(graphics);
    if (!object || (mode != CompositingModeSourceOver && mode != CompositingModeSourceCopy))
        return InvalidParameter;
    object->compositing = mode == CompositingModeSourceCopy ? sim::Compositing::Copy : sim::Compositing::Over;
    return Ok;
}

GpStatus WINGDIPAPI GdipDeleteGraphics(GpGraphics* graphics)
{
    sim::ApiCall api_call{sim::CallKind::release};
    return free_live(live_graphics(), graphics);
}

GpStatus WINGDIPAPI GdipDrawImageRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL width, REAL height)
{
    sim::ApiCall api_call;
    return draw_image(graphics, image, x, y, width, height);
}

GpStatus WINGDIPAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height)
{
    sim::ApiCall api_call;
    return draw_image(graphics, image, x, y, width, height);
}

}

}
