#include "services/modLoadPicBox.h"

#include "platform/win32.h"
#include "runtime/text_file.h"
#include "services/decoded_images.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

using Gdiplus::Ok;

enum class DrawSize { Natural, Stretched, Half };

bool is_blank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); });
}

// The graphics object of one call, deleted whatever way the call ends.
class CallGraphics {
public:
    CallGraphics() = default;
    CallGraphics(const CallGraphics&) = delete;
    CallGraphics& operator=(const CallGraphics&) = delete;
    ~CallGraphics()
    {
        if (graphics)
            GdipDeleteGraphics(graphics);
    }

    Gdiplus::GpGraphics* graphics = nullptr;
};

// The steps shared by the three loaders; the result is the error text, empty on success. The
// image comes decoded from the program's cache, which decodes a file again once it has changed.
std::string draw_image(const std::string& file_name, runtime::PictureBox& pic, int x, int y, DrawSize size)
{
    if (is_blank(file_name))
        return "Eingabeparameter fehlen";
    // Hidden files, system files and folders count as missing, as a directory search finds them.
    std::optional<WIN32_FIND_DATAA> entry = runtime::find_listed(file_name, runtime::vbReadOnly);
    if (!entry)
        return "Datei existiert nicht";
    DecodedImages& images = pic.program().module<DecodedImages>();
    if (!images.start_gdiplus())
        return "GDIPlus nicht verfügbar";
    Gdiplus::GpImage* image = images.image_of(file_name, stamp_of(*entry));
    if (!image)
        return "Bitmap kann nicht geöffnet werden";
    Gdiplus::REAL width = 0;
    Gdiplus::REAL height = 0;
    if (GdipGetImageDimension(image, &width, &height) != Ok)
        return "Bitmap-Abmessungen nicht verfügbar";
    pic.AutoRedraw(true);
    pic.BorderStyle(0);
    CallGraphics call;
    if (GdipCreateFromHDC(pic.hDC(), &call.graphics) != Ok || !call.graphics)
        return "Graphikobjekt nicht verfügbar";
    if (size == DrawSize::Stretched) {
        width = pic.ScaleWidth();
        height = pic.ScaleHeight();
    } else if (size == DrawSize::Half) {
        width = pic.ScaleWidth() / 15;
        height = pic.ScaleHeight() / 2 / 15;
    }
    if (GdipDrawImageRect(call.graphics, image, static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y), width,
            height)
        != Ok)
        return "Bild kann nicht gezeichnet werden";
    return {};
}

bool load(const std::string& file_name, runtime::PictureBox& pic, int x, int y, DrawSize size, std::string& error)
{
    error.clear();
    try {
        error = draw_image(file_name, pic, x, y, size);
    } catch (const runtime::Error& failure) {
        error = failure.description.empty() ? "Error" : failure.description;
    }
    return error.empty();
}

}

bool LoadPictureGDIPlus(std::string FileName, runtime::PictureBox& Pic, int16_t X, int16_t Y, bool, std::string& ErrMsg)
{
    return load(FileName, Pic, X, Y, DrawSize::Natural, ErrMsg);
}

bool LoadPictureGDIPlusStretched(std::string FileName, runtime::PictureBox& Pic, int16_t X, int16_t Y, bool,
    std::string& ErrMsg)
{
    return load(FileName, Pic, X, Y, DrawSize::Stretched, ErrMsg);
}

bool LoadPictureGDIPlusHalf(std::string FileName, runtime::PictureBox& Pic, int16_t X, int16_t Y, bool,
    std::string& ErrMsg)
{
    return load(FileName, Pic, X, Y, DrawSize::Half, ErrMsg);
}

void release_image_drawing(runtime::Program& program)
{
    program.module<DecodedImages>().release();
}
