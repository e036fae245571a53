// App: what the running program knows about itself (folder, name, other instances).
#pragma once

#include "platform/win32.h"

#include <string>

namespace runtime {

class AppObject {
public:
    AppObject();
    ~AppObject();
    AppObject(const AppObject&) = delete;
    AppObject& operator=(const AppObject&) = delete;

    // The program folder, without a trailing separator ("C:\Program Files\Kelmor").
    const std::string& Path() const { return m_path; }
    // The program file's name without its extension ("Kelmor 2").
    const std::string& EXEName() const { return m_exe_name; }
    const std::string& Title() const { return m_title; }
    void Title(std::string title) { m_title = std::move(title); }
    // Whether another instance of the same program file was already running when this one started.
    bool PrevInstance() const { return m_is_previous_instance_running; }
    // Whether the program is listed in the system's task list.
    bool TaskVisible() const { return m_is_task_visible; }
    void TaskVisible(bool visible) { m_is_task_visible = visible; }

private:
    std::string m_path;
    std::string m_exe_name;
    std::string m_title;
    HANDLE m_instance_mutex = nullptr;
    bool m_is_previous_instance_running = false;
    bool m_is_task_visible = true;
};

}
