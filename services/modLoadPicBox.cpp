#include "services/modLoadPicBox.h"

#include "platform/win32.h"
#include "runtime/picture_file.h"
#include "runtime/text_file.h"

#include <algorithm>
#include <cctype>

namespace {

using Gdiplus::Ok;

enum class DrawSize { Natural, Stretched, Half };

bool is_blank(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); });
}

// The GDI+ objects of one call, released whatever way the call ends.
class GdiPlusCall {
public:
    GdiPlusCall() = default;
    GdiPlusCall(const GdiPlusCall&) = delete;
    GdiPlusCall& operator=(const GdiPlusCall&) = delete;
    ~GdiPlusCall()
    {
        if (graphics)
            GdipDeleteGraphics(graphics);
        if (image)
            GdipDisposeImage(image);
        if (is_started)
            Gdiplus::GdiplusShutdown(token);
    }

    bool start()
    {
        Gdiplus::GdiplusStartupInput input;
        is_started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Ok;
        return is_started;
    }

    ULONG_PTR token = 0;
    bool is_started = false;
    Gdiplus::GpImage* image = nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
};

// The steps shared by the three loaders; the result is the error text, empty on success.
std::string draw_image(const std::string& file_name, runtime::PictureBox& pic, int x, int y, DrawSize size)
{
    if (is_blank(file_name))
        return "Eingabeparameter fehlen";
    // Hidden files, system files and folders count as missing, as a directory search finds them.
    if (runtime::Dir(file_name, runtime::vbReadOnly).empty())
        return "Datei existiert nicht";
    GdiPlusCall call;
    if (!call.start())
        return "GDIPlus nicht verfügbar";
    std::wstring wide_name = runtime::wide(file_name);
    if (GdipLoadImageFromFile(wide_name.c_str(), &call.image) != Ok || !call.image)
        return "Bitmap kann nicht geöffnet werden";
    Gdiplus::REAL width = 0;
    Gdiplus::REAL height = 0;
    if (GdipGetImageDimension(call.image, &width, &height) != Ok)
        return "Bitmap-Abmessungen nicht verfügbar";
    pic.AutoRedraw(true);
    pic.BorderStyle(0);
    if (GdipCreateFromHDC(pic.hDC(), &call.graphics) != Ok || !call.graphics)
        return "Graphikobjekt nicht verfügbar";
    if (size == DrawSize::Stretched) {
        width = pic.ScaleWidth();
        height = pic.ScaleHeight();
    } else if (size == DrawSize::Half) {
        width = pic.ScaleWidth() / 15;
        height = pic.ScaleHeight() / 2 / 15;
    }
    if (GdipDrawImageRect(call.graphics, call.image, static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y),
            width, height)
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
