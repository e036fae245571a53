#include "border/LayeredWindow.h"

#include "runtime/statements.h"

#include <string>

namespace {

std::wstring wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

}

LayeredWindow::LayeredWindow()
{
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    if (Gdiplus::GdiplusStartup(&GdipToken, &input, nullptr) == Gdiplus::Ok) {
        m_is_started = true;
        return;
    }
    // The object stays usable; the GDI+ calls that follow fail and show nothing.
    runtime::MsgBox("Error loading GDI+!", runtime::vbCritical, "GDI Plus Error");
}

LayeredWindow::~LayeredWindow()
{
    UnloadPNGForm();
}

bool LayeredWindow::MakeTrans(const std::string& pngPath, runtime::Form& Frm)
{
    // A second picture on the same layer replaces the first.
    release_picture();
    int width = static_cast<int>(Frm.ScaleWidth());
    int height = static_cast<int>(Frm.ScaleHeight());
    BITMAPINFO header {};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    header.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;

    HWND window = Frm.hWnd();
    HDC form_dc = GetDC(window);
    MemDC = CreateCompatibleDC(form_dc);
    DibSection = CreateDIBSection(MemDC, &header, DIB_RGB_COLORS, nullptr, nullptr, 0);
    if (DibSection)
        OldBitmap = SelectObject(MemDC, DibSection);

    // GDI+ draws the picture with its alpha; a missing or unreadable file leaves the layer clear.
    Gdiplus::GpGraphics* graphics = nullptr;
    Gdiplus::GpImage* image = nullptr;
    GdipCreateFromHDC(MemDC, &graphics);
    std::wstring path = wide(pngPath);
    bool is_drawn = false;
    if (GdipLoadImageFromFile(path.c_str(), &image) == Gdiplus::Ok) {
        UINT image_width = 0;
        UINT image_height = 0;
        GdipGetImageHeight(image, &image_height);
        GdipGetImageWidth(image, &image_width);
        GdipDrawImageRect(graphics, image, 0, 0, static_cast<Gdiplus::REAL>(image_width), static_cast<Gdiplus::REAL>(image_height));
        is_drawn = DibSection != nullptr;
    }

    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Blend.BlendOp = AC_SRC_OVER;
    Blend.BlendFlags = 0;
    Blend.SourceConstantAlpha = 255;
    Blend.AlphaFormat = AC_SRC_ALPHA;
    if (image)
        GdipDisposeImage(image);
    if (graphics)
        GdipDeleteGraphics(graphics);

    SIZE size { width, height };
    POINT source { 0, 0 };
    UpdateLayeredWindow(window, form_dc, nullptr, &size, MemDC, &source, 0, &Blend, ULW_ALPHA);
    ReleaseDC(window, form_dc);
    return is_drawn;
}

void LayeredWindow::release_picture()
{
    if (MemDC && OldBitmap)
        SelectObject(MemDC, OldBitmap);
    if (DibSection)
        DeleteObject(DibSection);
    if (MemDC)
        DeleteDC(MemDC);
    MemDC = nullptr;
    DibSection = nullptr;
    OldBitmap = nullptr;
}

void LayeredWindow::UnloadPNGForm()
{
    if (m_is_started)
        Gdiplus::GdiplusShutdown(GdipToken);
    m_is_started = false;
    release_picture();
}
