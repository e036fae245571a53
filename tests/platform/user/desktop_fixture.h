// A fresh simulated desktop for every test, and a window of the program's own that records its messages.
#pragma once

#include "platform/sim/driver.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

class DesktopTest : public ::testing::Test {
public:
    static std::vector<RecordedMessage>& messages();

protected:
    void SetUp() override;

    // A top-level window of the program (the current process), class "TestWindow".
    HWND create_program_window(RECT rect, DWORD style = WS_POPUP | WS_VISIBLE, DWORD ex_style = 0,
        HWND parent = nullptr);
    HWND open_app(const std::string& executable, const std::string& title, RECT rect);
    // Another window of an application process already running, where the driver puts one by default.
    static HWND open_app_window(uint32_t process, const std::string& title,
        RECT rect = sim::driver::AppWindow {}.rect);

    static int count(UINT message, HWND hwnd = nullptr);
    static uint32_t pixel_at(const sim::Bitmap& bitmap, int x, int y) { return bitmap.pixel(x, y) & 0xFFFFFF; }
};
