// The Windows error for a file that cannot be found, and for a path that cannot be mapped.
#pragma once

#include "platform/api/kernel.h"

#include <filesystem>

namespace sim {

// ERROR_FILE_NOT_FOUND when the folder exists but the file does not, ERROR_PATH_NOT_FOUND when
// the folder itself is missing (or the path is not on a mapped drive).
inline DWORD missing_file_error(const std::filesystem::path& host)
{
    std::error_code error;
    if (host.empty() || !std::filesystem::is_directory(host.parent_path(), error))
        return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

}
