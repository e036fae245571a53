#include "settings/modReplaceFile.h"

#include "platform/win32.h"
#include "runtime/error.h"

namespace {

bool flush_to_disk(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL is_flushed = FlushFileBuffers(file);
    CloseHandle(file);
    return is_flushed;
}

}

void WriteReplacing(const std::string& path, const std::function<void(const std::string& staging)>& write)
{
    std::string staging = path + ".new";
    bool is_written = runtime::skip_on_error([&] { write(staging); });
    if (is_written && flush_to_disk(staging) && MoveFileExA(staging.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return;
    DeleteFileA(staging.c_str());
    runtime::raise(runtime::ErrPermissionDenied, "Permission denied");
}
