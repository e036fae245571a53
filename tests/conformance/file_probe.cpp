// File attributes through a folder of the probe's own beside its executable: what a new file and
// folder carry, setting and clearing attributes, a read-only file refusing deletion, and the
// errors for what does not exist.
#include "tests/conformance/conformance.h"

#include <string>

namespace {

std::string program_folder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

void print_attributes(const std::string& key, const std::string& path)
{
    SetLastError(0);
    DWORD attributes = GetFileAttributesA(path.c_str());
    print_hex(key + ".attributes", attributes);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        print_line(key + ".GetLastError", GetLastError());
}

void print_call(const std::string& key, BOOL returned)
{
    print_yes_no(key + ".returns", returned);
    if (!returned)
        print_line(key + ".GetLastError", GetLastError());
}

}

void probe_files()
{
    std::string folder = program_folder() + "\\conformance-files";
    std::string file = folder + "\\note.txt";
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());

    print_call("files.CreateDirectoryA", CreateDirectoryA(folder.c_str(), nullptr));
    print_call("files.CreateDirectoryA.again", CreateDirectoryA(folder.c_str(), nullptr));
    print_attributes("files.folder", folder);
    print_attributes("files.folder_with_backslash", folder + "\\");

    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    print_yes_no("files.CreateFileA", handle != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, "probe", 5, &written, nullptr);
    CloseHandle(handle);
    print_attributes("files.new_file", file);
    std::string upper = folder + "\\NOTE.TXT";
    print_attributes("files.other_case", upper);

    print_call("files.SetFileAttributesA(READONLY)", SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    print_attributes("files.read_only", file);
    SetLastError(0);
    print_call("files.DeleteFileA(read_only)", DeleteFileA(file.c_str()));
    print_call("files.SetFileAttributesA(NORMAL)", SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    print_attributes("files.normal", file);
    print_call("files.SetFileAttributesA(ARCHIVE)", SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE));
    print_attributes("files.archive", file);
    SetLastError(0);
    print_call("files.RemoveDirectoryA(not_empty)", RemoveDirectoryA(folder.c_str()));
    print_call("files.DeleteFileA", DeleteFileA(file.c_str()));
    print_attributes("files.deleted", file);
    print_attributes("files.missing_folder", folder + "\\missing\\note.txt");
    SetLastError(0);
    print_call("files.SetFileAttributesA(missing)", SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    print_call("files.RemoveDirectoryA", RemoveDirectoryA(folder.c_str()));
    print_attributes("files.removed_folder", folder);
}
