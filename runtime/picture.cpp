#include "runtime/picture.h"

#include "runtime/gdi_helpers.h"

#include <cstring>
#include <vector>

namespace runtime {

struct StdPicture::Data {
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
    bool owned = true;
    HDC selected_in = nullptr;
    int width = 0;
    int height = 0;

    ~Data()
    {
        if (!owned)
            return;
        if (bitmap)
            DeleteObject(bitmap);
        if (icon)
            DestroyIcon(icon);
    }
};

namespace {

// The colour and mask bitmaps of an icon or cursor made from 32-bit pixels.
HICON create_icon_from_pixels(const uint32_t* pixels, int width, int height, bool is_icon, int hot_x, int hot_y)
{
    uint32_t* colour_bits = nullptr;
    HBITMAP colour = create_dib_section(width, height, &colour_bits);
    if (!colour)
        return nullptr;
    std::memcpy(colour_bits, pixels, sizeof(uint32_t) * width * height);
    // The mask marks fully transparent pixels, one bit a pixel, rows padded to 16 bits.
    int stride = ((width + 15) / 16) * 2;
    std::vector<uint8_t> mask_bits(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[y * width + x] >> 24) == 0)
                mask_bits[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    HBITMAP mask = CreateBitmap(width, height, 1, 1, mask_bits.data());
    ICONINFO info;
    std::memset(&info, 0, sizeof info);
    info.fIcon = is_icon ? TRUE : FALSE;
    info.xHotspot = static_cast<DWORD>(hot_x);
    info.yHotspot = static_cast<DWORD>(hot_y);
    info.hbmMask = mask;
    info.hbmColor = colour;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

SIZE icon_size(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return SIZE { 0, 0 };
    SIZE size = bitmap_size(info.hbmColor ? info.hbmColor : info.hbmMask);
    if (!info.hbmColor)
        size.cy /= 2;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

}

StdPicture StdPicture::from_bitmap(HBITMAP bitmap, bool owned, HDC selected_in)
{
    StdPicture picture;
    if (!bitmap)
        return picture;
    picture.m_data = std::make_shared<Data>();
    picture.m_data->bitmap = bitmap;
    picture.m_data->owned = owned;
    picture.m_data->selected_in = selected_in;
    SIZE size = bitmap_size(bitmap);
    picture.m_data->width = size.cx;
    picture.m_data->height = size.cy;
    return picture;
}

StdPicture StdPicture::from_icon(HICON icon, bool owned)
{
    StdPicture picture;
    if (!icon)
        return picture;
    picture.m_data = std::make_shared<Data>();
    picture.m_data->icon = icon;
    picture.m_data->owned = owned;
    SIZE size = icon_size(icon);
    picture.m_data->width = size.cx;
    picture.m_data->height = size.cy;
    return picture;
}

StdPicture StdPicture::from_pixels(const uint32_t* pixels, int width, int height)
{
    uint32_t* bits = nullptr;
    HBITMAP bitmap = create_dib_section(width, height, &bits);
    if (!bitmap)
        return {};
    std::memcpy(bits, pixels, sizeof(uint32_t) * width * height);
    return from_bitmap(bitmap, true);
}

StdPicture StdPicture::icon_from_pixels(const uint32_t* pixels, int width, int height)
{
    return from_icon(create_icon_from_pixels(pixels, width, height, true, 0, 0), true);
}

StdPicture StdPicture::cursor_from_pixels(const uint32_t* pixels, int width, int height, int hot_x, int hot_y)
{
    return from_icon(create_icon_from_pixels(pixels, width, height, false, hot_x, hot_y), true);
}

StdPicture::Kind StdPicture::kind() const
{
    if (!m_data)
        return Kind::None;
    return m_data->icon ? Kind::Icon : Kind::Bitmap;
}

bool StdPicture::is_borrowed() const
{
    return m_data && !m_data->owned;
}

uintptr_t StdPicture::Handle() const
{
    if (!m_data)
        return 0;
    if (m_data->icon)
        return reinterpret_cast<uintptr_t>(m_data->icon);
    return reinterpret_cast<uintptr_t>(m_data->bitmap);
}

HBITMAP StdPicture::bitmap() const
{
    return m_data ? m_data->bitmap : nullptr;
}

HICON StdPicture::icon() const
{
    return m_data ? m_data->icon : nullptr;
}

int StdPicture::width_pixels() const
{
    return m_data ? m_data->width : 0;
}

int StdPicture::height_pixels() const
{
    return m_data ? m_data->height : 0;
}

StdPicture StdPicture::copy() const
{
    if (!m_data)
        return {};
    if (m_data->icon)
        return from_icon(CopyIcon(m_data->icon), true);
    HBITMAP bitmap = create_dib_section(m_data->width, m_data->height);
    if (!bitmap)
        return {};
    SelectedBitmap target(bitmap);
    draw(target.dc(), 0, 0, m_data->width, m_data->height);
    return from_bitmap(bitmap, true);
}

void StdPicture::draw(HDC dc, int x, int y, int width, int height, DWORD raster_operation) const
{
    if (!m_data)
        return;
    draw_part(dc, x, y, width, height, 0, 0, m_data->width, m_data->height, raster_operation);
}

void StdPicture::draw_part(HDC dc, int x, int y, int width, int height, int source_x, int source_y,
    int source_width, int source_height, DWORD raster_operation) const
{
    if (!m_data)
        return;
    if (m_data->icon) {
        DrawIconEx(dc, x, y, m_data->icon, width, height, 0, nullptr, DI_NORMAL);
        return;
    }
    auto blit = [&](HDC source) {
        if (width == source_width && height == source_height) {
            BitBlt(dc, x, y, width, height, source, source_x, source_y, raster_operation);
            return;
        }
        int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, x, y, width, height, source, source_x, source_y, source_width, source_height, raster_operation);
        SetStretchBltMode(dc, old_mode);
    };
    // A bitmap selected into another context can only be read through that context.
    if (m_data->selected_in) {
        blit(m_data->selected_in);
        return;
    }
    SelectedBitmap source(m_data->bitmap);
    blit(source.dc());
}

}
