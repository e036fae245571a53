// Creating bitmaps and DIB sections, and moving their pixels to and from the program's memory.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/dib_format.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cstdlib>

using namespace sim;

namespace {

bool holds_monochrome_bitmap(HDC handle)
{
    auto* dc = find_dc(handle);
    if (!dc || !dc->is_memory())
        return false;
    auto* bitmap = find_bitmap(dc->state.bitmap);
    return !bitmap || bitmap->is_monochrome();
}

Bitmap monochrome_bitmap(int width, int height)
{
    Bitmap bitmap(width, height);
    bitmap.set_bits_per_pixel(1);
    bitmap.fill(0xFF000000);
    return bitmap;
}

// Calls copy(offset, image_row) for each of `lines` scan lines from `start` that lies in both the
// DIB and the bitmap, `offset` being where the line starts in the program's memory. Scan lines are
// numbered in the DIB's own order: from the bottom for a bottom-up DIB. Answers how many of the
// lines lie in the DIB.
template<typename Copy>
int copy_scan_lines(const DibLayout& layout, const Bitmap& bitmap, UINT start, UINT lines, Copy copy)
{
    int copied = 0;
    for (UINT line = 0; line < lines; ++line) {
        int scan = static_cast<int>(start + line);
        if (scan >= layout.height)
            break;
        int image_row = layout.is_bottom_up ? layout.height - 1 - scan : scan;
        if (image_row < bitmap.height())
            copy(static_cast<size_t>(line) * layout.stride, image_row);
        ++copied;
    }
    return copied;
}

}

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height)
{
    sim::ApiCall api_call;
    if (!find_dc(dc) || !Bitmap::is_possible_size(width, height))
        return nullptr;
    // An empty size gives the 1 x 1 monochrome bitmap every new memory DC holds.
    if (width == 0 || height == 0)
        return default_bitmap_handle();
    // A memory DC that still holds its first bitmap is monochrome, and so is what it makes.
    if (holds_monochrome_bitmap(dc))
        return add_bitmap(monochrome_bitmap(width, height));
    return add_bitmap(Bitmap(width, height));
}

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const VOID* bits)
{
    sim::ApiCall api_call;
    if (width < 0 || height < 0 || planes != 1 || bits_per_pixel > 32 || !Bitmap::is_possible_size(width, height))
        return nullptr;
    // An empty size gives the 1 x 1 monochrome bitmap every new memory DC holds.
    if (width == 0 || height == 0)
        return default_bitmap_handle();
    if (bits_per_pixel == 1) {
        Bitmap bitmap = monochrome_bitmap(width, height);
        if (bits) {
            // Monochrome rows are padded to 16 bits; a set bit is white.
            auto* bytes = static_cast<const uint8_t*>(bits);
            size_t stride = (static_cast<size_t>(width) + 15) / 16 * 2;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    bool is_white = (bytes[y * stride + x / 8] >> (7 - x % 8)) & 1;
                    bitmap.set_pixel(x, y, is_white ? 0xFFFFFFFF : 0xFF000000);
                }
            }
        }
        return add_bitmap(std::move(bitmap));
    }
    Bitmap bitmap(width, height);
    if (bits && (bits_per_pixel == 24 || bits_per_pixel == 32)) {
        auto* bytes = static_cast<const uint8_t*>(bits);
        size_t bytes_per_pixel = bits_per_pixel / 8;
        size_t stride = (static_cast<size_t>(width) * bits_per_pixel + 15) / 16 * 2;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* pixel = bytes + y * stride + x * bytes_per_pixel;
                uint32_t alpha = bytes_per_pixel == 4 ? pixel[3] : 0;
                bitmap.set_pixel(x, y, (alpha << 24) | (uint32_t(pixel[2]) << 16) | (uint32_t(pixel[1]) << 8) | pixel[0]);
            }
        }
    }
    return add_bitmap(std::move(bitmap));
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* info, UINT, VOID** bits, HANDLE section, DWORD)
{
    sim::ApiCall api_call;
    if (bits)
        *bits = nullptr;
    if (!info || section)
        return nullptr;
    auto layout = dib_layout(*info);
    if (!layout || (layout->bits_per_pixel != 24 && layout->bits_per_pixel != 32))
        return nullptr;
    if (!Bitmap::is_possible_size(layout->width, layout->height))
        return nullptr;
    auto orientation = layout->is_bottom_up ? Bitmap::Orientation::BottomUp : Bitmap::Orientation::TopDown;
    auto handle = add_bitmap(Bitmap::dib_section(layout->width, layout->height, layout->bits_per_pixel, orientation));
    if (bits && handle)
        *bits = find_bitmap(handle)->bits();
    return handle;
}

int WINAPI SetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, const VOID* bits, const BITMAPINFO* info, UINT)
{
    sim::ApiCall api_call;
    auto* bitmap = find_bitmap(handle);
    if (!bitmap || !bits || !info)
        return 0;
    auto layout = dib_layout(*info);
    if (!layout)
        return 0;
    bitmap->pull_client_bits();
    auto* bytes = static_cast<const uint8_t*>(bits);
    int width = std::min(layout->width, bitmap->width());
    int copied = copy_scan_lines(*layout, *bitmap, start, lines, [&](size_t offset, int image_row) {
        read_dib_row(*layout, bytes + offset, bitmap->row(image_row), width);
    });
    bitmap->push_client_bits();
    return copied;
}

int WINAPI GetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT)
{
    sim::ApiCall api_call;
    auto* bitmap = find_bitmap(handle);
    if (!bitmap || !info)
        return 0;
    auto& header = info->bmiHeader;
    if (!bits && header.biBitCount == 0) {
        // Only the description is asked for.
        header.biWidth = bitmap->width();
        header.biHeight = bitmap->is_bottom_up() || !bitmap->is_dib_section() ? bitmap->height() : -bitmap->height();
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bitmap->bits_per_pixel() == 1 ? 1 : bitmap->bits_per_pixel());
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>((bitmap->width() * header.biBitCount + 31) / 32 * 4 * bitmap->height());
        return 1;
    }
    auto layout = dib_layout(*info);
    if (!layout || (layout->bits_per_pixel != 24 && layout->bits_per_pixel != 32))
        return 0;
    if (!bits) {
        header.biSizeImage = static_cast<DWORD>(layout->size_in_bytes());
        return 1;
    }
    bitmap->pull_client_bits();
    auto* bytes = static_cast<uint8_t*>(bits);
    int width = std::min(layout->width, bitmap->width());
    return copy_scan_lines(*layout, *bitmap, start, lines, [&](size_t offset, int image_row) {
        write_dib_row(*layout, bytes + offset, bitmap->row(image_row), width);
    });
}
