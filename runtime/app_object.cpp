#include "runtime/app_object.h"

namespace runtime {

AppObject::AppObject()
{
    char file_name[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, file_name, MAX_PATH);
    std::string path(file_name, length);
    size_t separator = path.find_last_of("\\/");
    m_path = separator == std::string::npos ? std::string() : path.substr(0, separator);
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    size_t dot = name.rfind('.');
    m_exe_name = dot == std::string::npos ? name : name.substr(0, dot);
    m_title = m_exe_name;

    // One named mutex per program file: whoever finds it already there is a second instance.
    std::string mutex_name = "Kelmor.Instance." + m_exe_name;
    m_instance_mutex = CreateMutexA(nullptr, FALSE, mutex_name.c_str());
    m_is_previous_instance_running = m_instance_mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

AppObject::~AppObject()
{
    if (m_instance_mutex)
        CloseHandle(m_instance_mutex);
}

}
