// How Windows paths of the simulated desktop map to files on the host.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sim {

// The standard folders of the simulated machine, as the program sees them.
inline constexpr std::string_view windows_folder = "C:\\Windows";
inline constexpr std::string_view system_folder = "C:\\Windows\\system32";
inline constexpr std::string_view kelmor_program_folder = "C:\\Program Files\\Kelmor";

// Maps a Windows path ("C:\Program Files\Kelmor\data.dat", "c:/windows/SYSTEM32", or a path
// relative to the current folder) to the host file behind it. Both separators are accepted and
// each component is matched case-insensitively against what exists, as Windows does; components
// that do not exist yet keep their spelling, so new files can be created. Returns an empty path
// for a drive that is not mapped.
std::filesystem::path host_path(std::string_view windows_path);

// Makes a Windows path absolute and canonical: drive letter upper-case, "\" as separator,
// "." and ".." resolved. Returns an empty string for a path it cannot make absolute.
std::string full_windows_path(std::string_view windows_path);

// The full path with every component that exists spelled as it is stored ("c:\windows\NOTEPAD.EXE"
// gives "C:\Windows\notepad.exe"); empty for a path that cannot be mapped.
std::string stored_windows_path(std::string_view windows_path);

// The host folder behind drive C:. By default a fresh temporary folder per desktop reset, holding
// the standard folders; the driver may point it at a folder of its own.
std::filesystem::path drive_root();
void set_drive_root(std::filesystem::path host_folder);

// The current folder relative paths resolve against; "C:\" by default.
std::string current_folder();
void set_current_folder(std::string_view windows_path);

// Fills the program folder "C:\Program Files\Kelmor" with links to every file of a host folder
// (the build's program folder). Writing to such a file first replaces the link with a copy, so
// the host folder is never changed.
void install_program_folder(const std::filesystem::path& host_folder);

// Replaces a host file that is a link into another folder with a copy of its own, before it is
// written, moved or truncated.
void make_private_copy(const std::filesystem::path& host_file);

// Forgets the drive mapping and removes the temporary folder made for it.
void reset_paths();

}
