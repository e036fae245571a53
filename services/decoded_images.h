// The image files the image drawers have decoded, kept with GDI+ started for the program's life,
// so that a render pass does not read and decode its skin images again on every mouse move.
#pragma once

#include "platform/win32.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The state of a file an image was decoded from: a file replaced on disk has another size or
// another last write time.
struct FileStamp {
    uint64_t size = 0;
    uint64_t last_write_time = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp stamp_of(const WIN32_FIND_DATAA& entry);

// One per program (a module of it). Every image it holds is a copy in memory, so no file stays
// open; each was made while its GDI+ start-up ran, and goes before that start-up is shut down.
class DecodedImages {
public:
    DecodedImages() = default;
    ~DecodedImages();
    DecodedImages(const DecodedImages&) = delete;
    DecodedImages& operator=(const DecodedImages&) = delete;

    // Starts GDI+ unless it runs already; false when it cannot start.
    bool start_gdiplus();
    // The image of the file at path in the state stamped, decoded now unless it was kept from an
    // earlier call; null when GDI+ cannot read the file. The image stays the cache's.
    Gdiplus::GpImage* image_of(const std::string& path, FileStamp stamp);
    // Disposes of every image and shuts GDI+ down; a later call starts afresh.
    void release();

    size_t size() const { return m_entries.size(); }

    // At most this many images are kept; the one drawn longest ago gives way. A file keeps one
    // image, of its latest state.
    static constexpr size_t capacity = 32;

private:
    struct Entry {
        std::string path;
        FileStamp stamp;
        Gdiplus::GpImage* image = nullptr;
    };

    void forget(std::vector<Entry>::iterator entry);

    // The image drawn last comes first.
    std::vector<Entry> m_entries;
    ULONG_PTR m_token = 0;
    bool m_is_started = false;
};
