#include "platform/sim/shell/program_start.h"

#include "platform/api/shell.h"
#include "platform/api/user.h"
#include "platform/sim/driver.h"
#include "platform/sim/kernel/desktop_link.h"
#include "platform/sim/kernel/kernel_object.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/user/process_faults.h"
#include "platform/sim/user/process_table.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace sim {

namespace {

std::vector<ShellExecution>& executions()
{
    static std::vector<ShellExecution> list;
    return list;
}

std::vector<StartedProgram>& started()
{
    static std::vector<StartedProgram> list;
    return list;
}

std::string upper(std::string text)
{
    for (auto& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string first_word(const std::string& command_line)
{
    size_t start = command_line.find_first_not_of(' ');
    if (start == std::string::npos)
        return {};
    if (command_line[start] == '"') {
        size_t end = command_line.find('"', start + 1);
        return command_line.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }
    size_t end = command_line.find(' ', start);
    return command_line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool is_file(const std::string& windows_path)
{
    std::error_code error;
    return fs::is_regular_file(host_path(windows_path), error);
}

// The program search of a command line: a path as given, else the program's own folder, the
// current folder, the system folder and the Windows folder; ".exe" is added to a bare name.
std::string find_program(std::string name)
{
    if (name.empty())
        return {};
    std::string file_name = name.substr(name.find_last_of("\\/") + 1);
    if (file_name.find('.') == std::string::npos)
        name += ".exe";
    if (name.find_first_of("\\/") != std::string::npos) {
        std::string full = full_windows_path(name);
        return is_file(full) ? full : std::string();
    }
    std::string program_folder = kernel::current_executable();
    program_folder = program_folder.substr(0, program_folder.find_last_of('\\'));
    for (const std::string& folder : { program_folder, current_folder(), std::string(system_folder),
             std::string(windows_folder) }) {
        std::string candidate = full_windows_path(folder + "\\" + name);
        if (is_file(candidate))
            return candidate;
    }
    return {};
}

void open_main_window(uint32_t process, const std::string& executable, int show_command)
{
    std::string name = upper(executable.substr(executable.find_last_of('\\') + 1));
    driver::AppWindow window;
    if (name == "EXPLORER.EXE") {
        window.class_name = "CabinetWClass";
        window.title = "My Documents";
    } else if (name == "NOTEPAD.EXE") {
        window.class_name = "Notepad";
        window.title = "Untitled - Notepad";
    } else {
        return;
    }
    window.style &= ~static_cast<DWORD>(WS_VISIBLE);
    HWND handle = driver::open_app_window(process, window);
    // Explorer creates its address edit empty and then puts the folder's path into it.
    if (name == "EXPLORER.EXE") {
        HWND address = driver::add_child_control(handle, "Edit", "", RECT { 60, 4, 600, 24 });
        driver::set_title(address, "C:\\Documents and Settings\\User\\My Documents");
    }
    if (show_command != SW_HIDE) {
        ProcessScope scope(process);
        ShowWindow(handle, show_command);
    }
}

struct ThreadObject : KernelObject {};

}

const std::vector<ShellExecution>& shell_executions()
{
    return executions();
}

const std::vector<StartedProgram>& started_programs()
{
    return started();
}

uint32_t start_program(const std::string& command_line, int show_command)
{
    std::string executable = find_program(first_word(command_line));
    if (executable.empty())
        return 0;
    uint32_t starter = kernel::current_process_id();
    uint32_t process = create_process(executable);
    started().push_back({ process, executable, starter });
    open_main_window(process, executable, show_command);
    return process;
}

void reset_program_start()
{
    executions().clear();
    started().clear();
}

}

HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
    INT nShowCmd)
{
    sim::ApiCall api_call;
    if (!lpFile || !*lpFile)
        return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(SE_ERR_FNF));
    sim::executions().push_back({ lpOperation ? lpOperation : "", lpFile, lpParameters ? lpParameters : "",
        lpDirectory ? lpDirectory : "", nShowCmd });
    // Any value above 32 means success.
    return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(42));
}

UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT uCmdShow)
{
    sim::ApiCall api_call;
    if (!lpCmdLine)
        return ERROR_FILE_NOT_FOUND;
    if (!sim::start_program(lpCmdLine, static_cast<int>(uCmdShow)))
        return ERROR_FILE_NOT_FOUND;
    // Any value above 31 means success.
    return 33;
}

BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
    LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR, LPSTARTUPINFOA lpStartupInfo,
    LPPROCESS_INFORMATION lpProcessInformation)
{
    sim::ApiCall api_call;
    if (!lpProcessInformation || (!lpApplicationName && !lpCommandLine))
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    std::string command = lpApplicationName ? std::string("\"") + lpApplicationName + "\"" : lpCommandLine;
    int show = SW_SHOWDEFAULT;
    if (lpStartupInfo && (lpStartupInfo->dwFlags & STARTF_USESHOWWINDOW))
        show = lpStartupInfo->wShowWindow;
    uint32_t process = sim::start_program(command, show == SW_SHOWDEFAULT ? SW_SHOWNORMAL : show);
    if (!process)
        return sim::fail(ERROR_FILE_NOT_FOUND, FALSE);
    lpProcessInformation->dwProcessId = process;
    lpProcessInformation->dwThreadId = process + 1;
    lpProcessInformation->hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process);
    lpProcessInformation->hThread = reinterpret_cast<HANDLE>(
        sim::add_kernel_object(std::make_unique<sim::ThreadObject>()));
    return TRUE;
}
