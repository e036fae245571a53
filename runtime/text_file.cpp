#include "runtime/text_file.h"

#include "runtime/error.h"

namespace runtime {

TextFile::TextFile(const std::string& path, OpenMode mode)
    : m_mode(mode)
{
    DWORD access = mode == OpenMode::Input ? GENERIC_READ : GENERIC_WRITE;
    DWORD disposition = mode == OpenMode::Input ? OPEN_EXISTING : mode == OpenMode::Output ? CREATE_ALWAYS : OPEN_ALWAYS;
    m_file = CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_PATH_NOT_FOUND)
            raise(ErrPathNotFound, "Path not found");
        if (mode == OpenMode::Input)
            raise(ErrFileNotFound, "File not found");
        raise(ErrPermissionDenied, "Permission denied");
    }
    if (mode == OpenMode::Append)
        SetFilePointer(m_file, 0, nullptr, FILE_END);
    if (mode != OpenMode::Input)
        return;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(m_file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        m_contents.append(buffer, read);
}

TextFile::~TextFile()
{
    Close();
}

void TextFile::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}

bool TextFile::is_at_end() const
{
    return m_position >= m_contents.size();
}

std::string TextFile::LineInput()
{
    if (m_mode != OpenMode::Input || m_file == INVALID_HANDLE_VALUE)
        raise(ErrBadFileNameOrNumber, "Bad file mode");
    if (is_at_end())
        raise(ErrInputPastEndOfFile, "Input past end of file");
    size_t end = m_contents.find_first_of("\r\n", m_position);
    if (end == std::string::npos)
        end = m_contents.size();
    std::string line = m_contents.substr(m_position, end - m_position);
    m_position = end;
    if (m_position < m_contents.size() && m_contents[m_position] == '\r')
        ++m_position;
    if (m_position < m_contents.size() && m_contents[m_position] == '\n')
        ++m_position;
    return line;
}

void TextFile::PrintLine(std::string_view text)
{
    write(text);
    write("\r\n");
}

void TextFile::Print(std::string_view text)
{
    write(text);
}

void TextFile::write(std::string_view bytes)
{
    if (m_mode == OpenMode::Input || m_file == INVALID_HANDLE_VALUE)
        raise(ErrBadFileNameOrNumber, "Bad file mode");
    DWORD written = 0;
    if (!WriteFile(m_file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written != bytes.size())
        raise(ErrPermissionDenied, "Permission denied");
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool is_listed(DWORD found, int attributes)
{
    constexpr DWORD selective = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    return (found & selective & ~static_cast<DWORD>(attributes)) == 0;
}

std::optional<WIN32_FIND_DATAA> find_listed(const std::string& pattern, int attributes)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<WIN32_FIND_DATAA> entry;
    do {
        if (is_listed(found.dwFileAttributes, attributes)) {
            entry = found;
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entry;
}

std::string Dir(const std::string& pattern, int attributes)
{
    std::optional<WIN32_FIND_DATAA> entry = find_listed(pattern, attributes);
    return entry ? std::string(entry->cFileName) : std::string();
}

}
