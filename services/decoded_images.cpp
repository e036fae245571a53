#include "services/decoded_images.h"

#include "runtime/picture_file.h"

#include <algorithm>

FileStamp stamp_of(const WIN32_FIND_DATAA& entry)
{
    auto join = [](DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; };
    return FileStamp { join(entry.nFileSizeHigh, entry.nFileSizeLow),
        join(entry.ftLastWriteTime.dwHighDateTime, entry.ftLastWriteTime.dwLowDateTime) };
}

DecodedImages::~DecodedImages()
{
    release();
}

bool DecodedImages::start_gdiplus()
{
    if (m_is_started)
        return true;
    Gdiplus::GdiplusStartupInput input;
    m_is_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    return m_is_started;
}

namespace {

// A copy of an image in memory of GDI+'s own, its colours premultiplied as GDI+ draws them
// fastest; null when it cannot be made, or when the image is larger than any screen: such a file
// is refused before its pixels are decoded, as a missing one is. Copied with source-copy
// compositing at its own size, every pixel keeps its alpha exactly.
Gdiplus::GpImage* memory_copy(Gdiplus::GpImage* image)
{
    UINT width = 0;
    UINT height = 0;
    if (GdipGetImageWidth(image, &width) != Gdiplus::Ok || GdipGetImageHeight(image, &height) != Gdiplus::Ok
        || !runtime::is_screen_sized(width, height))
        return nullptr;
    Gdiplus::GpBitmap* copy = nullptr;
    if (GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0, PixelFormat32bppPARGB, nullptr,
            &copy)
            != Gdiplus::Ok
        || !copy)
        return nullptr;
    Gdiplus::GpGraphics* graphics = nullptr;
    bool is_copied = GdipGetImageGraphicsContext(copy, &graphics) == Gdiplus::Ok && graphics
        && GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceCopy) == Gdiplus::Ok
        && GdipDrawImageRectI(graphics, image, 0, 0, static_cast<INT>(width), static_cast<INT>(height)) == Gdiplus::Ok;
    if (graphics)
        GdipDeleteGraphics(graphics);
    if (is_copied)
        return copy;
    GdipDisposeImage(copy);
    return nullptr;
}

// The image of the file at path in memory of its own; null when it cannot be read. GDI+ keeps the
// file of an image loaded from one open, and on Windows locked against replacing and deleting, for
// as long as the image exists; the copy lets the file go at once.
Gdiplus::GpImage* decoded(const std::string& path)
{
    Gdiplus::GpImage* image = nullptr;
    std::wstring wide_path = runtime::wide(path);
    Gdiplus::GpStatus status = GdipLoadImageFromFile(wide_path.c_str(), &image);
    Gdiplus::GpImage* copy = status == Gdiplus::Ok && image ? memory_copy(image) : nullptr;
    if (image)
        GdipDisposeImage(image);
    return copy;
}

}

Gdiplus::GpImage* DecodedImages::image_of(const std::string& path, FileStamp stamp)
{
    auto kept = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) { return entry.path == path; });
    if (kept != m_entries.end()) {
        if (kept->stamp == stamp) {
            std::rotate(m_entries.begin(), kept, kept + 1);
            return m_entries.front().image;
        }
        forget(kept);
    }
    Gdiplus::GpImage* image = decoded(path);
    if (!image)
        return nullptr;
    if (m_entries.size() == capacity)
        forget(m_entries.end() - 1);
    m_entries.insert(m_entries.begin(), Entry { path, stamp, image });
    return image;
}

void DecodedImages::forget(std::vector<Entry>::iterator entry)
{
    GdipDisposeImage(entry->image);
    m_entries.erase(entry);
}

void DecodedImages::release()
{
    while (!m_entries.empty())
        forget(m_entries.end() - 1);
    if (m_is_started)
        Gdiplus::GdiplusShutdown(m_token);
    m_is_started = false;
}
