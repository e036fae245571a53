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
    Gdiplus::GpImage* image = nullptr;
    std::wstring wide_path = runtime::wide(path);
    if (GdipLoadImageFromFile(wide_path.c_str(), &image) != Gdiplus::Ok || !image) {
        if (image)
            GdipDisposeImage(image);
        return nullptr;
    }
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
