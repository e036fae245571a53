// A fresh simulated desktop and program for every services test, and small helpers over it.
#pragma once

#include "platform/sim/driver.h"
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

class ServicesTest : public RuntimeTest {
protected:
    void TearDown() override
    {
        RuntimeTest::TearDown();
        EXPECT_TRUE(m_fatal_errors.empty());
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
};
