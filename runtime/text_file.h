// Sequential text files with Windows paths: Open For Input (Line Input, EOF), For Output and For
// Append (Print # writes a line ended by CR LF).
#pragma once

#include "platform/win32.h"

#include <optional>
#include <string>
#include <string_view>

namespace runtime {

enum class OpenMode { Input, Output, Append };

class TextFile {
public:
    // Opening a missing file for input raises ErrFileNotFound; a folder that does not exist
    // ErrPathNotFound.
    TextFile(const std::string& path, OpenMode mode);
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Whether every line has been read.
    bool is_at_end() const;
    // The next line without its end (CR LF, or a lone CR or LF); past the end raises ErrInputPastEndOfFile.
    std::string LineInput();
    // Writes the text and CR LF.
    void PrintLine(std::string_view text);
    // Writes the text alone.
    void Print(std::string_view text);
    void Close();

private:
    void write(std::string_view bytes);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    OpenMode m_mode;
    std::string m_contents;
    size_t m_position = 0;
};

// Whether a file (not a folder) exists at a path.
bool FileExists(const std::string& path);
// What Dir looks for besides plain files (which include read-only and archive files); plain
// files alone are 0, the language's vbNormal.
enum VbFileAttribute : int {
    vbReadOnly = 1,
    vbHidden = 2,
    vbSystem = 4,
    vbDirectory = 16,
};

// Whether a directory entry with `found` attributes is one a search for `attributes` lists: hidden
// files, system files and folders only when asked for, each by its own bit.
bool is_listed(DWORD found, int attributes);

// The name of the first entry matching a pattern ("C:\folder\*.dat"), or empty. Hidden files,
// system files and folders are found only when `attributes` asks for each of their kinds.
std::string Dir(const std::string& pattern, int attributes = 0);
// The same search, giving the whole directory entry Dir takes its name from (size, times).
std::optional<WIN32_FIND_DATAA> find_listed(const std::string& pattern, int attributes = 0);

}
