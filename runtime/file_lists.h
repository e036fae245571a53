// The file, folder and drive lists: list boxes filled from the file system.
#pragma once

#include "runtime/drive_list_box.h"
#include "runtime/list_box.h"

namespace runtime {

// The files of one folder that match a pattern ("*.exe", several separated by ";").
class FileListBox : public ListBox {
public:
    FileListBox(Container& container, std::string name, int index = -1);

    const std::string& Path() const { return m_path; }
    // A folder that does not exist is refused (ErrPathNotFound) and the list stays as it was.
    void Path(std::string path);
    const std::string& Pattern() const { return m_pattern; }
    void Pattern(std::string pattern);
    std::string FileName() const { return Text(); }
    // Reads the folder again.
    void Refresh();

private:
    std::string m_path = "C:\\";
    std::string m_pattern = "*.*";
};

// A folder and the way to it: the folders from the root down to it, then its subfolders.
// Assigning Path, or opening a row with a double-click, raises Change.
class DirListBox : public ListBox {
public:
    DirListBox(Container& container, std::string name, int index = -1);

    const std::string& Path() const { return m_path; }
    // "c:" (also "c: [label]", as the drive list names a drive) means the root of drive C; a folder
    // that does not exist is refused (ErrPathNotFound).
    void Path(std::string path);

    EventHandler on_change;

protected:
    void after_window_created() override;
    void fire_dbl_click() override;

private:
    void fill();

    std::string m_path = "C:\\";
    std::vector<std::string> m_row_paths;
};

// Whether a path names an existing folder.
bool is_folder(const std::string& path);

}
