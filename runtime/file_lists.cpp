#include "runtime/file_lists.h"

#include "runtime/error.h"
#include "runtime/text_file.h"

#include <algorithm>
#include <cctype>

namespace runtime {

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string joined(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        return folder + name;
    return folder + "\\" + name;
}

// Names in a folder matching a pattern, folders or files, sorted without regard to case. Hidden and
// system files are left out, as the file list shows them only when asked to.
std::vector<std::string> find_names(const std::string& folder, const std::string& pattern, bool want_folders)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(joined(folder, pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        bool is_directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name == "." || name == ".." || is_directory != want_folders)
            continue;
        if (!is_directory && !is_listed(found.dwFileAttributes, 0))
            continue;
        names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return lowered(a) < lowered(b); });
    return names;
}

// A folder path as the lists keep it: "c:" and "c: [label]" become "c:\", other trailing separators go.
std::string normalised_folder(std::string path)
{
    if (path.size() > 2 && path[1] == ':' && path[2] == ' ')
        path.resize(2);
    if (path.size() == 2 && path[1] == ':')
        return path + "\\";
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

}

bool is_folder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileListBox::FileListBox(Container& container, std::string name, int index)
    : ListBox(container, std::move(name), index)
{
}

void FileListBox::Path(std::string path)
{
    path = normalised_folder(std::move(path));
    if (!is_folder(path))
        raise(ErrPathNotFound, "Path not found");
    m_path = std::move(path);
    Refresh();
}

void FileListBox::Pattern(std::string pattern)
{
    m_pattern = std::move(pattern);
    Refresh();
}

void FileListBox::Refresh()
{
    std::vector<std::string> files;
    size_t start = 0;
    while (start <= m_pattern.size()) {
        size_t end = m_pattern.find(';', start);
        std::string one = m_pattern.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!one.empty()) {
            for (auto& name : find_names(m_path, one, false)) {
                if (std::find(files.begin(), files.end(), name) == files.end())
                    files.push_back(name);
            }
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) { return lowered(a) < lowered(b); });
    set_items(std::move(files));
}

DirListBox::DirListBox(Container& container, std::string name, int index)
    : ListBox(container, std::move(name), index)
{
}

void DirListBox::Path(std::string path)
{
    path = normalised_folder(std::move(path));
    if (!is_folder(path))
        raise(ErrPathNotFound, "Path not found");
    bool has_changed = lowered(path) != lowered(m_path) || ListCount() == 0;
    m_path = std::move(path);
    fill();
    if (has_changed)
        raise_event(on_change);
}

void DirListBox::fill()
{
    std::vector<std::string> rows;
    m_row_paths.clear();
    // The way down: the root, then each folder of the path, indented by its depth.
    std::string so_far;
    int depth = 0;
    size_t start = 0;
    while (start < m_path.size()) {
        size_t end = m_path.find_first_of("\\/", start);
        std::string part = m_path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? m_path.size() : end + 1;
        if (part.empty())
            continue;
        so_far = so_far.empty() ? part + "\\" : joined(so_far, part);
        rows.push_back(std::string(depth * 2, ' ') + part);
        m_row_paths.push_back(so_far);
        ++depth;
    }
    int current_row = static_cast<int>(rows.size()) - 1;
    for (auto& name : find_names(m_path, "*", true)) {
        rows.push_back(std::string(depth * 2, ' ') + name);
        m_row_paths.push_back(joined(m_path, name));
    }
    set_items(std::move(rows));
    if (current_row >= 0)
        ListBox::ListIndex(current_row);
}

void DirListBox::after_window_created()
{
    if (ListCount() == 0)
        fill();
}

void DirListBox::fire_dbl_click()
{
    int row = ListIndex();
    // A folder that has gone since the list was filled leaves the list as it is.
    if (row >= 0 && row < static_cast<int>(m_row_paths.size()))
        skip_on_error([&] { Path(m_row_paths[row]); });
    ListBox::fire_dbl_click();
}

}
