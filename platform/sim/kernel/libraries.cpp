// Modules: the program's own image and libraries loaded at run time. A library's Windows path
// maps to a host shared object, which dlopen loads.
#include "platform/api/kernel.h"

#include "platform/sim/handle_table.h"
#include "platform/sim/kernel/desktop_link.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <dlfcn.h>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Where Windows puts a program's image; GetModuleHandleA(NULL) returns it.
const auto program_module = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));

struct LibraryObject : sim::Object {
    LibraryObject(void* library, std::string windows_path)
        : library(library)
        , windows_path(std::move(windows_path))
    {
    }
    ~LibraryObject() override { dlclose(library); }
    LibraryObject(const LibraryObject&) = delete;
    LibraryObject& operator=(const LibraryObject&) = delete;

    void* library = nullptr;
    std::string windows_path;
    int references = 1;
};

std::string upper(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string folder_of(const std::string& windows_path)
{
    return windows_path.substr(0, windows_path.find_last_of('\\'));
}

std::string file_name_of(const std::string& windows_path)
{
    return windows_path.substr(windows_path.find_last_of("\\/") + 1);
}

bool is_file(const std::string& windows_path)
{
    std::error_code error;
    return fs::is_regular_file(sim::host_path(windows_path), error);
}

// The library search: a name with a folder is taken as it is; a bare name is looked for in the
// program's folder, the system folder, the Windows folder and the current folder, in this order.
std::string find_library(std::string name)
{
    std::string file_name = name.substr(name.find_last_of("\\/") + 1);
    if (!file_name.empty() && file_name.back() == '.')
        name.pop_back();
    else if (file_name.find('.') == std::string::npos)
        name += ".dll";
    if (name.find_first_of("\\/") != std::string::npos)
        return sim::stored_windows_path(name);
    std::vector<std::string> folders = { folder_of(sim::kernel::current_executable()), std::string(sim::system_folder),
        std::string(sim::windows_folder), sim::current_folder() };
    for (auto& folder : folders) {
        std::string candidate = sim::stored_windows_path(folder + "\\" + name);
        if (is_file(candidate))
            return candidate;
    }
    return {};
}

// The handles LoadLibraryA has handed out, in handle order: every library object among them, and
// handles that have since been freed or reused, which a lookup drops. A program that asks for its
// library on every call of it looks at these few, not at every object of the desktop.
std::set<uintptr_t>& library_handles()
{
    static std::set<uintptr_t> handles;
    return handles;
}

LibraryObject* loaded_library(const std::string& windows_path, uintptr_t* handle_out)
{
    LibraryObject* found = nullptr;
    sim::handles().for_each([&](uintptr_t handle, sim::Object& object) {
        auto* library = dynamic_cast<LibraryObject*>(&object);
        if (!found && library && upper(library->windows_path) == upper(windows_path)) {
            found = library;
            *handle_out = handle;
        }
    });
    return found;
}

}

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName)
{
    sim::ApiCall api_call;
    if (!lpLibFileName || !*lpLibFileName)
        return sim::fail(ERROR_INVALID_PARAMETER, HMODULE {});
    std::string windows_path = find_library(lpLibFileName);
    if (windows_path.empty() || !is_file(windows_path))
        return sim::fail(ERROR_MOD_NOT_FOUND, HMODULE {});

    uintptr_t handle = 0;
    if (auto* library = loaded_library(windows_path, &handle)) {
        ++library->references;
        return reinterpret_cast<HMODULE>(handle);
    }
    void* library = dlopen(sim::host_path(windows_path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return sim::fail(ERROR_BAD_EXE_FORMAT, HMODULE {});
    handle = sim::handles().add(std::make_unique<LibraryObject>(library, windows_path));
    library_handles().insert(handle);
    return reinterpret_cast<HMODULE>(handle);
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    sim::ApiCall api_call;
    auto* library = sim::handles().find<LibraryObject>(hModule);
    if (!library)
        return sim::fail(ERROR_MOD_NOT_FOUND, FARPROC {});
    if (!lpProcName || IS_INTRESOURCE(lpProcName))
        return sim::fail(ERROR_PROC_NOT_FOUND, FARPROC {});
    void* symbol = dlsym(library->library, lpProcName);
    if (!symbol)
        return sim::fail(ERROR_PROC_NOT_FOUND, FARPROC {});
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    sim::ApiCall api_call{sim::CallKind::release};
    auto* library = sim::handles().find<LibraryObject>(hLibModule);
    if (!library)
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    if (--library->references == 0)
        sim::handles().remove(hLibModule);
    return TRUE;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName)
{
    sim::ApiCall api_call;
    if (!lpModuleName)
        return program_module;
    std::string wanted = upper(file_name_of(lpModuleName));
    if (wanted.find('.') == std::string::npos)
        wanted += ".DLL";
    if (wanted == upper(file_name_of(sim::kernel::current_executable())))
        return program_module;
    uintptr_t found = 0;
    auto& handles = library_handles();
    for (auto handle = handles.begin(); handle != handles.end() && !found;) {
        auto* library = sim::handles().find<LibraryObject>(*handle);
        if (!library) {
            handle = handles.erase(handle);
            continue;
        }
        if (upper(file_name_of(library->windows_path)) == wanted)
            found = *handle;
        ++handle;
    }
    if (!found)
        return sim::fail(ERROR_MOD_NOT_FOUND, HMODULE {});
    return reinterpret_cast<HMODULE>(found);
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    sim::ApiCall api_call;
    std::string path;
    if (!hModule || hModule == program_module) {
        path = sim::kernel::current_executable();
    } else {
        auto* library = sim::handles().find<LibraryObject>(hModule);
        if (!library)
            return sim::fail(ERROR_MOD_NOT_FOUND, DWORD { 0 });
        path = library->windows_path;
    }
    if (!lpFilename || nSize == 0)
        return sim::fail(ERROR_INSUFFICIENT_BUFFER, DWORD { 0 });
    // A path that does not fit is cut short and still ends with a NUL, and the call says so.
    if (path.size() + 1 > nSize) {
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        return sim::fail(ERROR_INSUFFICIENT_BUFFER, nSize);
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}
