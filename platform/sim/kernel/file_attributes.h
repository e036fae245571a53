// The attributes Windows keeps beside a file's data (read-only, hidden, system, archive), and the
// folders the program's process may not write in. Host files carry neither, so the desktop keeps
// them by host path.
#pragma once

#include "platform/api/kernel.h"

#include <filesystem>
#include <string_view>

namespace sim {

// The attribute bits a file or folder keeps; the rest (directory, normal) follow from what it is.
inline constexpr DWORD kept_attributes
    = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The attributes as GetFileAttributesA reports them for an existing file or folder: a folder has
// FILE_ATTRIBUTE_DIRECTORY, a new file FILE_ATTRIBUTE_ARCHIVE, a file with none FILE_ATTRIBUTE_NORMAL.
DWORD file_attributes(const std::filesystem::path& host, bool is_folder);
// Keeps the `kept_attributes` bits of `attributes` for a file or folder.
void set_file_attributes(const std::filesystem::path& host, DWORD attributes);
// A file that is deleted loses its attributes; one that is moved takes them along.
void forget_file_attributes(const std::filesystem::path& host);
void move_file_attributes(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes a folder and everything below it unwritable for the program (every process of its
// executable), as "C:\Program Files" is for a user without administrator rights: creating,
// replacing, deleting and changing files there fails with ERROR_ACCESS_DENIED, reading still works.
void deny_writes(std::string_view windows_folder);
// Whether the current process may not change the file or folder at `host`, because a folder
// above it is unwritable for it.
bool is_write_denied(const std::filesystem::path& host);

void reset_file_attributes();

}
