// Listing a folder: FindFirstFileA, FindNextFileA and FindClose.
#include "platform/api/kernel.h"

#include "platform/sim/kernel/file_attributes.h"
#include "platform/sim/kernel/file_errors.h"
#include "platform/sim/kernel/kernel_object.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/kernel/wildcard.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct FindObject : sim::KernelObject {
    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
};

std::string upper(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The host file's last change in 100 ns units since 1601, as NTFS keeps it. It is the only time
// of a file the desktop reports, and it serves to tell that a file was replaced: nothing reads it
// as a date, so the run stays the same from one day to the next.
FILETIME file_time_of(const fs::path& host)
{
    std::error_code error;
    auto written = fs::last_write_time(host, error);
    if (error)
        return {};
    constexpr int64_t ticks_from_1601_to_1970 = 116444736000000000;
    auto since_1970 = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::file_clock::to_sys(written).time_since_epoch());
    auto ticks = static_cast<uint64_t>(ticks_from_1601_to_1970 + since_1970.count() / 100);
    return FILETIME { static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32) };
}

// Every entry is listed with its attributes, hidden and system ones too: choosing among them is
// the caller's business.
WIN32_FIND_DATAA describe(const std::string& name, const fs::path& host, bool is_folder, uint64_t size)
{
    WIN32_FIND_DATAA data {};
    data.dwFileAttributes = sim::file_attributes(host, is_folder);
    data.ftLastWriteTime = file_time_of(host);
    data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data.nFileSizeLow = static_cast<DWORD>(size);
    std::strncpy(data.cFileName, name.c_str(), MAX_PATH - 1);
    return data;
}

// Lists the entries of a folder that match a pattern in the order NTFS returns them: by name
// without regard to case, "." and ".." first in every folder but a drive's root.
std::vector<WIN32_FIND_DATAA> list_matching(const fs::path& folder, const std::string& pattern, bool is_root)
{
    std::vector<WIN32_FIND_DATAA> entries;
    if (!is_root) {
        for (const char* dot : { ".", ".." }) {
            if (sim::matches_wildcard(pattern, dot))
                entries.push_back(describe(dot, (folder / dot).lexically_normal(), true, 0));
        }
    }
    std::vector<std::pair<std::string, WIN32_FIND_DATAA>> named;
    std::error_code error;
    for (auto& entry : fs::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (name.size() >= MAX_PATH || !sim::matches_wildcard(pattern, name))
            continue;
        std::error_code ignored;
        bool is_folder = entry.is_directory(ignored);
        uint64_t size = is_folder ? 0 : entry.file_size(ignored);
        named.emplace_back(upper(name) + '\0' + name, describe(name, entry.path(), is_folder, size));
    }
    std::sort(named.begin(), named.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (auto& [key, data] : named)
        entries.push_back(data);
    return entries;
}

// A name without wildcards finds the one entry of that name, as opening it finds it, without
// listing the folder.
bool is_literal(const std::string& pattern)
{
    return pattern.find_first_of("*?") == std::string::npos && pattern != "." && pattern != "..";
}

std::vector<WIN32_FIND_DATAA> named_entry(const std::string& windows_path)
{
    fs::path host = sim::host_path(windows_path);
    std::error_code error;
    fs::file_status status = fs::status(host, error);
    if (error || !fs::exists(status))
        return {};
    bool is_folder = fs::is_directory(status);
    uint64_t size = is_folder ? 0 : fs::file_size(host, error);
    return { describe(host.filename().string(), host, is_folder, error ? 0 : size) };
}

}

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    sim::ApiCall api_call;
    if (!lpFileName || !lpFindFileData)
        return sim::fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    std::string full = sim::full_windows_path(lpFileName);
    if (full.empty())
        return sim::fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    size_t last_separator = full.find_last_of('\\');
    std::string folder = full.substr(0, last_separator + 1);
    std::string pattern = full.substr(last_separator + 1);
    fs::path host_folder = sim::host_path(folder);
    std::error_code error;
    if (pattern.empty() || host_folder.empty() || !fs::is_directory(host_folder, error))
        return sim::fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);

    auto find = std::make_unique<FindObject>();
    find->entries = is_literal(pattern) ? named_entry(full) : list_matching(host_folder, pattern, folder.size() == 3);
    if (find->entries.empty())
        return sim::fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    *lpFindFileData = find->entries[0];
    find->next = 1;
    SetLastError(ERROR_SUCCESS);
    return reinterpret_cast<HANDLE>(sim::add_kernel_object(std::move(find)));
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    sim::ApiCall api_call;
    auto* find = sim::handles().find<FindObject>(hFindFile);
    if (!find || !lpFindFileData)
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    if (find->next >= find->entries.size())
        return sim::fail(ERROR_NO_MORE_FILES, FALSE);
    *lpFindFileData = find->entries[find->next++];
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile)
{
    sim::ApiCall api_call;
    if (!sim::handles().find<FindObject>(hFindFile))
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    sim::handles().remove(hFindFile);
    return TRUE;
}
