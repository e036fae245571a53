// Open files: CreateFileA and what reads, writes and sizes an open file.
#include "platform/api/kernel.h"

#include "platform/sim/kernel/file_attributes.h"
#include "platform/sim/kernel/file_errors.h"
#include "platform/sim/kernel/file_object.h"
#include "platform/sim/kernel/held_files.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/user/process_faults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sim {

FileObject::~FileObject()
{
    if (descriptor >= 0)
        ::close(descriptor);
}

}

namespace {

sim::FileObject* find_file(HANDLE handle)
{
    return sim::handles().find<sim::FileObject>(handle);
}

// The open file behind a handle when it was opened with `right`; none, with the last error set,
// when there is no such file or it lacks the right.
sim::FileObject* file_with_right(HANDLE handle, bool sim::FileObject::*right)
{
    auto* file = find_file(handle);
    if (!file)
        return sim::fail<sim::FileObject*>(ERROR_INVALID_HANDLE, nullptr);
    if (!(file->*right))
        return sim::fail<sim::FileObject*>(ERROR_ACCESS_DENIED, nullptr);
    return file;
}

int open_flags(bool can_read, bool can_write)
{
    if (can_read && can_write)
        return O_RDWR;
    if (can_write)
        return O_WRONLY;
    return O_RDONLY;
}

// Why Windows refuses to open or make a file the way asked, or 0 when it does not: an unwritable
// folder allows no change; a read-only file allows no writing or replacing; a hidden or system file
// is replaced only by a call that names those attributes again; a file another holds open for
// reading only may not be written.
DWORD refusal(const fs::path& host, bool exists, bool changes, bool replaces, DWORD requested_attributes)
{
    if (changes && sim::is_write_denied(host))
        return ERROR_ACCESS_DENIED;
    if (!exists)
        return 0;
    DWORD attributes = sim::file_attributes(host, false);
    if ((attributes & FILE_ATTRIBUTE_READONLY) && changes)
        return ERROR_ACCESS_DENIED;
    DWORD guarded = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (replaces && (guarded & ~requested_attributes))
        return ERROR_ACCESS_DENIED;
    if (changes && sim::is_file_held(host))
        return ERROR_SHARING_VIOLATION;
    return 0;
}

}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
    DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE)
{
    sim::ApiCall api_call;
    if (!lpFileName || !*lpFileName)
        return sim::fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    fs::path host = sim::host_path(lpFileName);
    if (host.empty())
        return sim::fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);

    std::error_code error;
    if (fs::is_directory(host, error))
        return sim::fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    bool exists = fs::exists(host, error);
    bool can_read = (dwDesiredAccess & (GENERIC_READ | GENERIC_ALL)) != 0;
    bool can_write = (dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL)) != 0;

    int flags = open_flags(can_read, can_write);
    switch (dwCreationDisposition) {
    case CREATE_NEW:
        if (exists)
            return sim::fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
        flags |= O_CREAT;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT | O_TRUNC;
        break;
    case OPEN_EXISTING:
        if (!exists)
            return sim::fail(sim::missing_file_error(host), INVALID_HANDLE_VALUE);
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        if (!exists)
            return sim::fail(sim::missing_file_error(host), INVALID_HANDLE_VALUE);
        if (!can_write)
            return sim::fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
        flags |= O_TRUNC;
        break;
    default:
        return sim::fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    }
    bool replaces = exists && (flags & O_TRUNC);
    bool creates = !exists && (flags & O_CREAT);
    if (DWORD reason = refusal(host, exists, can_write || creates || replaces, replaces, dwFlagsAndAttributes))
        return sim::fail(reason, INVALID_HANDLE_VALUE);
    if ((flags & O_TRUNC) && !can_write)
        flags = (flags & ~O_ACCMODE) | O_RDWR;

    // A file of the program folder that links into the build folder gets a copy of its own first.
    if (can_write || (flags & O_TRUNC))
        sim::make_private_copy(host);

    int descriptor = ::open(host.c_str(), flags | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        if (errno == ENOENT)
            return sim::fail(sim::missing_file_error(host), INVALID_HANDLE_VALUE);
        return sim::fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    }
    // A file made or replaced takes the attributes of the call, and is marked for archiving.
    if (creates || replaces)
        sim::set_file_attributes(host, (dwFlagsAndAttributes & sim::kept_attributes) | FILE_ATTRIBUTE_ARCHIVE);
    auto object = std::make_unique<sim::FileObject>(descriptor, can_read, can_write);
    auto handle = reinterpret_cast<HANDLE>(sim::add_kernel_object(std::move(object)));
    bool reports_existing = exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(reports_existing ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
    LPOVERLAPPED)
{
    sim::ApiCall api_call;
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    auto* file = file_with_right(hFile, &sim::FileObject::can_read);
    if (!file)
        return FALSE;
    if (!lpBuffer && nNumberOfBytesToRead)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    DWORD total = 0;
    while (total < nNumberOfBytesToRead) {
        ssize_t count = ::read(file->descriptor, static_cast<char*>(lpBuffer) + total, nNumberOfBytesToRead - total);
        if (count < 0)
            return sim::fail(ERROR_ACCESS_DENIED, FALSE);
        if (count == 0)
            break;
        total += static_cast<DWORD>(count);
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = total;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
    LPOVERLAPPED)
{
    sim::ApiCall api_call;
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    auto* file = file_with_right(hFile, &sim::FileObject::can_write);
    if (!file)
        return FALSE;
    if (!lpBuffer && nNumberOfBytesToWrite)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        ssize_t count = ::write(file->descriptor, static_cast<const char*>(lpBuffer) + total,
            nNumberOfBytesToWrite - total);
        if (count <= 0)
            return sim::fail(ERROR_ACCESS_DENIED, FALSE);
        total += static_cast<DWORD>(count);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = total;
    return TRUE;
}

BOOL WINAPI SetEndOfFile(HANDLE hFile)
{
    sim::ApiCall api_call;
    auto* file = file_with_right(hFile, &sim::FileObject::can_write);
    if (!file)
        return FALSE;
    off_t position = ::lseek(file->descriptor, 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(file->descriptor, position) != 0)
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, LONG* lpDistanceToMoveHigh, DWORD dwMoveMethod)
{
    sim::ApiCall api_call;
    auto* file = find_file(hFile);
    if (!file)
        return sim::fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
    int64_t distance = lDistanceToMove;
    if (lpDistanceToMoveHigh)
        distance = (static_cast<int64_t>(*lpDistanceToMoveHigh) << 32) | static_cast<uint32_t>(lDistanceToMove);
    int whence = SEEK_SET;
    if (dwMoveMethod == FILE_CURRENT)
        whence = SEEK_CUR;
    else if (dwMoveMethod == FILE_END)
        whence = SEEK_END;
    else if (dwMoveMethod != FILE_BEGIN)
        return sim::fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);

    off_t current = ::lseek(file->descriptor, 0, SEEK_CUR);
    off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? current : ::lseek(file->descriptor, 0, SEEK_END);
    if (base + distance < 0) {
        ::lseek(file->descriptor, current, SEEK_SET);
        return sim::fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
    }
    off_t position = ::lseek(file->descriptor, base + distance, SEEK_SET);
    if (lpDistanceToMoveHigh)
        *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<int64_t>(position) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position);
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    sim::ApiCall api_call;
    auto* file = find_file(hFile);
    if (!file)
        return sim::fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    struct stat status {};
    if (::fstat(file->descriptor, &status) != 0)
        return sim::fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(static_cast<uint64_t>(status.st_size) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(status.st_size);
}

BOOL WINAPI FlushFileBuffers(HANDLE hFile)
{
    sim::ApiCall api_call;
    if (!find_file(hFile))
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    return TRUE;
}
