// A fresh simulated desktop with the program started on it, and the foreign applications a test opens.
#pragma once

#include "border/frmTrans.h"
#include "control/frmGethWnd.h"
#include "control/frmWinMgr.h"
#include "control/start_kelmor.h"
#include "services/modGlobal.h"
#include "tests/runtime/runtime_fixture.h"
#include "webcam/frmCAM.h"

#include "platform/sim/driver.h"

#include <string>
#include <vector>

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class SystemTest : public RuntimeTest {
protected:
    static constexpr uint64_t Tick = 10;

    // Starts the program as the Windows entry does; the test's own error hook is put back so that
    // a fault of the program shows in m_fatal_errors instead of ending it.
    frmGethWnd& start()
    {
        run([&] { m_controller = &start_kelmor(program()); });
        program().set_fatal_hook([this](const runtime::Error& error) { m_fatal_errors.push_back(error.number); });
        return *m_controller;
    }

    HWND open_window(const std::string& title, const std::string& executable = "C:\\Apps\\notepad.exe",
        DWORD style = 0x10CF0000, RECT rect = sim::driver::AppWindow {}.rect)
    {
        sim::driver::AppWindow window;
        window.title = title;
        window.style = style;
        window.rect = rect;
        return sim::driver::open_app_window(sim::driver::create_process(executable), window);
    }

    // Quits as the tray menu's "Exit" does; false once the program's process has ended.
    bool quit()
    {
        return sim::driver::run_program([&] { m_program->dispatch([&] { m_controller->Command7_Click(); }); });
    }

    // Opens a window after start and lets the poll adopt it and its border finish fading in.
    HWND open_adopted_window(const std::string& title, const std::string& executable = "C:\\Apps\\notepad.exe",
        DWORD style = 0x10CF0000)
    {
        HWND window = open_window(title, executable, style);
        wait_ticks(12);
        return window;
    }

    // Starts the program and opens one window; the border the poll gives it.
    frmTrans& start_with_border(const std::string& title)
    {
        start();
        frmTrans* border = border_of(open_adopted_window(title));
        EXPECT_NE(border, nullptr);
        return *border;
    }

    void wait_ticks(int ticks) { sim::driver::run_for(Tick * ticks); }

    // The loaded border windows in load order.
    std::vector<frmTrans*> borders()
    {
        std::vector<frmTrans*> found;
        for (runtime::Form* form : program().forms()) {
            if (auto* border = dynamic_cast<frmTrans*>(form))
                found.push_back(border);
        }
        return found;
    }

    frmTrans* border_of(HWND target)
    {
        for (frmTrans* border : borders()) {
            if (border->target() == target)
                return border;
        }
        return nullptr;
    }

    frmWinMgr& window_manager()
    {
        frmWinMgr* manager = nullptr;
        run([&] { manager = &program().form<frmWinMgr>(); });
        return *manager;
    }

    std::vector<std::string> rows(const runtime::ListBox& list)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.ListCount(); ++row)
            texts.push_back(list.List(row));
        return texts;
    }

    Globals& globals() { return ::globals(program()); }

    // The webcam loop's pause switch.
    runtime::Timer& webcam_loop()
    {
        runtime::Timer* timer = nullptr;
        run([&] { timer = &program().form<frmCAM>().tmrMain; });
        return *timer;
    }

    sim::driver::WindowState state_of(HWND window) { return sim::driver::window_state(window).value(); }

    frmGethWnd* m_controller = nullptr;
};
