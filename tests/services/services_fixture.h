// A fresh simulated desktop and program for every services test, and small helpers over it.
#pragma once

#include "platform/sim/driver.h"
#include "runtime/forms.h"

#include <gtest/gtest.h>

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::driver::reset();
        m_program = std::make_unique<runtime::Program>();
        m_program->set_fatal_hook([this](const runtime::Error& error) { m_fatal_errors.push_back(error.number); });
    }
    void TearDown() override
    {
        sim::driver::run_program([&] { m_program.reset(); });
        EXPECT_TRUE(m_fatal_errors.empty());
    }

    runtime::Program& program() { return *m_program; }

    // Runs code as the program does: inside an event dispatch, as the program's process.
    template<typename Code>
    void run(Code&& code)
    {
        sim::driver::run_program([&] { m_program->dispatch(code); });
    }

    // A window of another application.
    HWND open_foreign_window(const std::string& title, RECT rect = {100, 100, 740, 580},
        const std::string& executable = "C:\\Windows\\notepad.exe")
    {
        sim::driver::AppWindow window;
        window.title = title;
        window.rect = rect;
        return sim::driver::open_app_window(sim::driver::create_process(executable), window);
    }

    std::unique_ptr<runtime::Program> m_program;
    std::vector<long> m_fatal_errors;
};
