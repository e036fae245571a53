// Operations on files and folders by name: delete, copy, move, attributes, folders.
#include "platform/api/kernel.h"

#include "platform/sim/kernel/file_attributes.h"
#include "platform/sim/kernel/file_errors.h"
#include "platform/sim/kernel/held_files.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/user/process_faults.h"

namespace fs = std::filesystem;

namespace {

fs::path mapped(LPCSTR windows_path)
{
    if (!windows_path || !*windows_path)
        return {};
    return sim::host_path(windows_path);
}

bool is_present(const fs::path& host)
{
    std::error_code error;
    return !host.empty() && fs::exists(fs::symlink_status(host, error));
}

bool is_folder(const fs::path& host)
{
    std::error_code error;
    return fs::is_directory(host, error);
}

// A new name is only made in a folder that is already there.
bool has_parent_folder(const fs::path& host)
{
    return !host.empty() && is_folder(host.parent_path());
}

bool is_read_only(const fs::path& host)
{
    return (sim::file_attributes(host, is_folder(host)) & FILE_ATTRIBUTE_READONLY) != 0;
}

// Clears the way for a file about to be copied or moved over an existing one.
void remove_existing(const fs::path& host)
{
    std::error_code ignored;
    fs::remove(host, ignored);
    sim::forget_file_attributes(host);
}

}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName)
{
    sim::ApiCall api_call;
    fs::path host = mapped(lpFileName);
    if (!is_present(host))
        return sim::fail(sim::missing_file_error(host), FALSE);
    if (is_folder(host) || is_read_only(host) || sim::is_write_denied(host))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    if (sim::is_file_held(host))
        return sim::fail(ERROR_SHARING_VIOLATION, FALSE);
    std::error_code error;
    if (!fs::remove(host, error))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    sim::forget_file_attributes(host);
    return TRUE;
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    sim::ApiCall api_call;
    fs::path source = mapped(lpExistingFileName);
    fs::path target = mapped(lpNewFileName);
    if (!is_present(source))
        return sim::fail(sim::missing_file_error(source), FALSE);
    if (is_folder(source))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    if (!has_parent_folder(target))
        return sim::fail(ERROR_PATH_NOT_FOUND, FALSE);
    if (sim::is_write_denied(target))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    // The copy takes the source's attributes, so it replaces a hidden or system file only when
    // the source has those attributes too.
    DWORD attributes = sim::file_attributes(source, false);
    if (is_present(target)) {
        if (bFailIfExists)
            return sim::fail(ERROR_FILE_EXISTS, FALSE);
        DWORD guarded = sim::file_attributes(target, false) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (is_folder(target) || is_read_only(target) || (guarded & ~attributes))
            return sim::fail(ERROR_ACCESS_DENIED, FALSE);
        if (sim::is_file_held(target))
            return sim::fail(ERROR_SHARING_VIOLATION, FALSE);
        remove_existing(target);
    }
    std::error_code error;
    if (!fs::copy_file(source, target, error))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    sim::set_file_attributes(target, attributes | FILE_ATTRIBUTE_ARCHIVE);
    return TRUE;
}

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    sim::ApiCall api_call;
    fs::path source = mapped(lpExistingFileName);
    fs::path target = mapped(lpNewFileName);
    if (!is_present(source))
        return sim::fail(sim::missing_file_error(source), FALSE);
    if (!has_parent_folder(target))
        return sim::fail(ERROR_PATH_NOT_FOUND, FALSE);
    if (sim::is_write_denied(source) || sim::is_write_denied(target))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    if (sim::is_file_held(source))
        return sim::fail(ERROR_SHARING_VIOLATION, FALSE);
    // Renaming a file to another spelling of its own name only changes the spelling.
    if (source == target) {
        std::string full = sim::full_windows_path(lpNewFileName);
        target = target.parent_path() / full.substr(full.find_last_of('\\') + 1);
    } else if (is_present(target)) {
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING) || is_folder(target))
            return sim::fail(ERROR_ALREADY_EXISTS, FALSE);
        if (is_read_only(target))
            return sim::fail(ERROR_ACCESS_DENIED, FALSE);
        if (sim::is_file_held(target))
            return sim::fail(ERROR_SHARING_VIOLATION, FALSE);
        remove_existing(target);
    }
    std::error_code error;
    fs::rename(source, target, error);
    if (error)
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    sim::move_file_attributes(source, target);
    return TRUE;
}

BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    sim::ApiCall api_call;
    return MoveFileExA(lpExistingFileName, lpNewFileName, 0);
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName)
{
    sim::ApiCall api_call;
    fs::path host = mapped(lpFileName);
    if (!is_present(host))
        return sim::fail(sim::missing_file_error(host), INVALID_FILE_ATTRIBUTES);
    return sim::file_attributes(host, is_folder(host));
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    sim::ApiCall api_call;
    fs::path host = mapped(lpFileName);
    if (!is_present(host))
        return sim::fail(sim::missing_file_error(host), FALSE);
    if (sim::is_write_denied(host))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    sim::set_file_attributes(host, dwFileAttributes);
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    sim::ApiCall api_call;
    fs::path host = mapped(lpPathName);
    if (!has_parent_folder(host))
        return sim::fail(ERROR_PATH_NOT_FOUND, FALSE);
    if (is_present(host))
        return sim::fail(ERROR_ALREADY_EXISTS, FALSE);
    if (sim::is_write_denied(host))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    std::error_code error;
    if (!fs::create_directory(host, error))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName)
{
    sim::ApiCall api_call;
    fs::path host = mapped(lpPathName);
    if (!is_present(host))
        return sim::fail(sim::missing_file_error(host), FALSE);
    if (!is_folder(host))
        return sim::fail(ERROR_DIRECTORY, FALSE);
    std::error_code error;
    if (!fs::is_empty(host, error))
        return sim::fail(ERROR_DIR_NOT_EMPTY, FALSE);
    if (is_read_only(host) || sim::is_write_denied(host))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    if (!fs::remove(host, error))
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    sim::forget_file_attributes(host);
    return TRUE;
}
