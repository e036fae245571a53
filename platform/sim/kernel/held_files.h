// Files held open for reading by a reader that shares them for reading only, as GDI+ holds the
// file of every image it loaded from one for as long as the image exists. While a file is held,
// Windows refuses to delete, rename or replace it, or to open it for writing, with
// ERROR_SHARING_VIOLATION; reading it still works.
#pragma once

#include <filesystem>

namespace sim {

// Holds a host file for as long as it lives; one file may be held by several holders.
class HeldFile {
public:
    explicit HeldFile(std::filesystem::path host);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

private:
    std::filesystem::path m_host;
};

bool is_file_held(const std::filesystem::path& host);

}
