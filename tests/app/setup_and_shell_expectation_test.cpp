// The scenario commands that set up the machine (files, attributes, unwritable folders, wallpaper,
// clock, camera) and the expectations about the shell and files, each passing on the state it
// names and failing with the expected and the found value otherwise.
#include "app/kelmor_sim/runner.h"
#include "platform/sim/driver.h"
#include "platform/sim/gdi/png_encoder.h"
#include "platform/sim/shell/capture.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class SetupAndShell : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("kelmor-setup-test-" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
        sim::driver::reset();
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // Runs scenario lines on the desktop as it is, without a reset, so that a test can make state
    // first and look at it afterwards; "" when they hold, otherwise "LINE: message".
    std::string run(const std::string& text)
    {
        auto scenario = kelmor_sim::parse_scenario(text);
        if (!scenario.is_valid())
            return std::to_string(scenario.errors[0].line) + ": " + scenario.errors[0].message;
        kelmor_sim::Runner runner(m_folder / "out", m_folder);
        auto error = runner.run(scenario);
        return error ? std::to_string(error->line) + ": " + error->message : "";
    }

    void write_host_file(const std::string& name, const std::string& bytes)
    {
        std::ofstream file(m_folder / name, std::ios::binary);
        file << bytes;
    }

    fs::path m_folder;
};

TEST_F(SetupAndShell, FilesArePutOnDriveCAndCheckedByLineBytesAndPresence)
{
    write_host_file("data.dat", "BLUR:1\r\nHUE:2\r\n");
    EXPECT_EQ(run("file \"C:\\Program Files\\Kelmor\\New\\a.dat\" \"one\\r\\ntwo\\nthree\"\n"
                  "file C:\\data.dat from data.dat\n"
                  "expect file \"C:\\Program Files\\Kelmor\\New\\a.dat\" exists\n"
                  "expect file \"c:\\program files\\kelmor\\new\\A.DAT\" line 2 \"two\"\n"
                  "expect file C:\\Kelmor.dat absent\nexpect file \"C:\\Program Files\\Kelmor\\New\\a.dat\" line 3 three\n"
                  "expect file C:\\data.dat same-as data.dat\n"
                  "expect file C:\\none.dat absent\n"),
        "");
    EXPECT_EQ(run("expect file C:\\data.dat line 2 \"HUE:3\"\n"),
        "1: expect: file \"C:\\data.dat\": expected line 2 \"HUE:3\", found \"HUE:2\"");
    EXPECT_EQ(run("expect file C:\\data.dat line 3 \"\"\n"),
        "1: expect: file \"C:\\data.dat\": expected line 3 \"\", found 2 lines");
    EXPECT_EQ(run("expect file C:\\data.dat absent\n"), "1: expect: file \"C:\\data.dat\": expected absent, found it exists");
    EXPECT_EQ(run("expect file C:\\none.dat exists\n"), "1: expect: file \"C:\\none.dat\": expected exists, found no such file");
    write_host_file("other.dat", "BLUR:1\r\nHUE:9\r\n");
    EXPECT_EQ(run("expect file C:\\data.dat same-as other.dat\n"),
        "1: expect: file \"C:\\data.dat\": expected the bytes of other.dat (15), found 15 bytes that differ from byte 12");
    EXPECT_EQ(run("file C:\\x.dat from missing.dat\n").rfind("1: file: cannot read ", 0), 0u);
    EXPECT_EQ(run("expect file C:\\data.dat line 0 \"x\"\n").rfind("1: expect: file expects PATH", 0), 0u);

    // The file is written as given, and replaces what was there.
    char text[32] {};
    DWORD read = 0;
    HANDLE file = CreateFileA("C:\\Program Files\\Kelmor\\New\\a.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ReadFile(file, text, sizeof text, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(text, read), "one\r\ntwo\nthree");
    EXPECT_EQ(run("file C:\\data.dat \"x\"\nexpect file C:\\data.dat line 1 x\n"), "");
}

TEST_F(SetupAndShell, AttributesAndUnwritableFoldersReachThePrograms)
{
    EXPECT_EQ(run("file \"C:\\Program Files\\Kelmor\\a.dat\" \"1\"\nfile C:\\b.dat \"2\"\n"
                  "attributes \"C:\\Program Files\\Kelmor\\a.dat\" hidden system\nattributes C:\\b.dat readonly\n"
                  "deny-write \"C:\\Program Files\"\n"),
        "");
    EXPECT_EQ(GetFileAttributesA("C:\\Program Files\\Kelmor\\a.dat"),
        static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_FALSE(DeleteFileA("C:\\b.dat"));
    HANDLE created = CreateFileA("C:\\Program Files\\Kelmor\\new.dat", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    EXPECT_EQ(created, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    EXPECT_EQ(run("attributes C:\\b.dat normal\n"), "");
    EXPECT_EQ(GetFileAttributesA("C:\\b.dat"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(run("attributes C:\\none.dat hidden\n"), "1: attributes: there is no file \"C:\\none.dat\"");
    EXPECT_EQ(run("attributes C:\\b.dat normal hidden\n"),
        "1: attributes: expects hidden, readonly and system in any combination, or normal");
    EXPECT_EQ(run("deny-write Q:\\Games\n"), "1: deny-write: \"Q:\\Games\" is not on drive C:");
}

TEST_F(SetupAndShell, ClockAndCameraSizeAreSet)
{
    EXPECT_EQ(run("clock 23:59:30\nwait 31000\ncamera plugged 640x480\n"), "");
    SYSTEMTIME now {};
    GetLocalTime(&now);
    EXPECT_EQ(now.wHour, 0);
    EXPECT_EQ(now.wMinute, 0);
    EXPECT_EQ(now.wSecond, 1);
    EXPECT_EQ(sim::camera_frame_size().cx, 640);
    EXPECT_EQ(sim::camera_frame_size().cy, 480);
    EXPECT_TRUE(sim::is_camera_plugged());
    EXPECT_EQ(run("clock 24:00:00\n"), "1: clock: expects the time as HH:MM:SS, not \"24:00:00\"");
    EXPECT_EQ(run("clock 9:00:00\n"), "1: clock: expects the time as HH:MM:SS, not \"9:00:00\"");
    EXPECT_EQ(run("camera plugged 0x480\n"), "1: camera: expects the frame size as WxH, 1 to 4096 each, not \"0x480\"");
    EXPECT_EQ(run("camera unplugged 640x480\n"), "1: camera: expects plugged [WxH] or unplugged");
}

TEST_F(SetupAndShell, CameraFormatClipboardTextAndCaptureWindowsAreSetAndChecked)
{
    EXPECT_EQ(run("clipboard \"hello\\r\\nthere\"\nexpect clipboard text \"hello\\r\\nthere\"\n"), "");
    EXPECT_EQ(run("camera format rgb32\nexpect camera windows 0\nexpect camera disconnected\n"), "");
    EXPECT_EQ(run("camera format rgb16\n"), "1: camera: expects format rgb24, rgb32, yuy2 or mjpg, then only or nothing");
    EXPECT_EQ(run("expect camera windows -1\n"), "1: expect: camera expects windows N, connected or disconnected");

    HWND window = capCreateCaptureWindowA("Capture", 0, 0, 0, 320, 240, nullptr, 0);
    SendMessageA(window, WM_CAP_DRIVER_CONNECT, 0, 0);
    BITMAPINFOHEADER format {};
    SendMessageA(window, WM_CAP_GET_VIDEOFORMAT, sizeof format, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.biBitCount, 32);
    EXPECT_EQ(format.biSizeImage, 320u * 4 * 240);
    EXPECT_EQ(run("expect camera windows 1\nexpect camera connected\n"), "");
    EXPECT_EQ(run("expect camera disconnected\n"), "1: expect: camera: expected disconnected, found connected");
    EXPECT_EQ(run("expect camera windows 2\n"), "1: expect: camera: expected windows 2, found 1");
    EXPECT_EQ(run("camera format yuy2\n"), "");
    SendMessageA(window, WM_CAP_GET_VIDEOFORMAT, sizeof format, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(format.biCompression, 0x32595559u);
    EXPECT_EQ(format.biSizeImage, 320u * 2 * 240);
}

TEST_F(SetupAndShell, WallpaperIsSetAsTheDesktopSettingsDoAndChecked)
{
    sim::Bitmap picture(8, 4);
    auto png = sim::encode_png(picture);
    write_host_file("w.png", std::string(png.begin(), png.end()));
    const std::string key = "\"HKEY_CURRENT_USER\\Control Panel\\Desktop\"";
    EXPECT_EQ(run("expect wallpaper \"\"\nexpect registry " + key + " Wallpaper \"\"\n"
                  "file C:\\Pictures\\w.png from w.png\nwallpaper C:\\Pictures\\w.png\n"
                  "expect wallpaper c:\\pictures\\W.PNG\nexpect registry " + key + " Wallpaper \"C:\\Pictures\\w.png\"\n"
                  "expect registry HKCU\\Software\\Kelmor Blur absent\n"),
        "");
    char path[MAX_PATH] {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0));
    EXPECT_STREQ(path, "C:\\Pictures\\w.png");
    EXPECT_EQ(run("expect wallpaper C:\\other.png\n"),
        "1: expect: wallpaper: expected \"C:\\other.png\", found \"C:\\Pictures\\w.png\"");
    EXPECT_EQ(run("expect registry " + key + " Wallpaper \"C:\\other.png\"\n"),
        "1: expect: registry HKEY_CURRENT_USER\\Control Panel\\Desktop \"Wallpaper\": expected \"C:\\other.png\", "
        "found \"C:\\Pictures\\w.png\"");
    EXPECT_EQ(run("expect registry HKCU\\Software\\Kelmor Blur 1\n"),
        "1: expect: registry HKCU\\Software\\Kelmor \"Blur\": expected \"1\", found absent");
    EXPECT_EQ(run("expect registry " + key + " Wallpaper absent\n"),
        "1: expect: registry HKEY_CURRENT_USER\\Control Panel\\Desktop \"Wallpaper\": expected absent, "
        "found \"C:\\Pictures\\w.png\"");
    EXPECT_EQ(run("file C:\\not.png \"text\"\nwallpaper C:\\not.png\n"),
        "2: wallpaper: \"C:\\not.png\" cannot be shown as the wallpaper");
}

TEST_F(SetupAndShell, RequestsExecutionsStartedProgramsDesktopViewAndClipboard)
{
    EXPECT_EQ(run("expect http-requests\nexpect desktop-view large\nexpect clipboard text \"\"\n"), "");
    EXPECT_EQ(run("expect started notepad.exe\n"),
        "1: expect: started: expected notepad.exe, found no program started by Kelmor");

    HINTERNET session = InternetOpenA("Kelmor", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    InternetOpenUrlA(session, "http://a.example/1", nullptr, 0, 0, 0);
    InternetOpenUrlA(session, "http://a.example/2", nullptr, 0, 0, 0);
    InternetCloseHandle(session);
    ShellExecuteA(nullptr, "open", "http://www.example.com/", nullptr, nullptr, SW_SHOWMAXIMIZED);
    WinExec("notepad", SW_SHOWNORMAL);
    HWND list_view = sim::desktop_list_view();
    SetWindowLongA(list_view, GWL_STYLE, (GetWindowLongA(list_view, GWL_STYLE) & ~3) | 3);
    const char text[] = "one\r\ntwo";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();

    EXPECT_EQ(run("expect http-requests http://a.example/1 http://a.example/2\n"
                  "expect shell-executed open http://www.example.com/ maximized\n"
                  "expect shell-executed OPEN http://www.example.com/ 3\n"
                  "expect started notepad.exe\nexpect started C:\\WINDOWS\\system32\\NOTEPAD.EXE\n"
                  "expect desktop-view list\nexpect clipboard text \"one\\r\\ntwo\"\n"),
        "");
    EXPECT_EQ(run("expect http-requests http://a.example/2 http://a.example/1\n"),
        "1: expect: http-requests: expected http://a.example/2 http://a.example/1, "
        "found http://a.example/1 http://a.example/2");
    EXPECT_EQ(run("expect http-requests\n"),
        "1: expect: http-requests: expected no requests, found http://a.example/1 http://a.example/2");
    EXPECT_EQ(run("expect shell-executed open http://www.example.com/ normal\n"),
        "1: expect: shell-executed: expected \"open\" \"http://www.example.com/\" normal, "
        "found \"open\" \"http://www.example.com/\" maximized");
    EXPECT_EQ(run("expect started explorer.exe\n"),
        "1: expect: started: expected explorer.exe, found C:\\Windows\\system32\\notepad.exe");
    EXPECT_EQ(run("expect desktop-view details\n"), "1: expect: desktop-view: expected details, found list");
    EXPECT_EQ(run("expect clipboard text \"one\"\n"),
        "1: expect: clipboard: expected text \"one\", found text \"one\r\ntwo\"");
    EXPECT_EQ(run("expect shell-executed open x sideways\n").rfind("1: expect: shell-executed expects VERB TARGET SHOW", 0),
        0u);
    EXPECT_EQ(run("expect desktop-view tiles\n"), "1: expect: desktop-view expects list|large|small|details");
}

TEST_F(SetupAndShell, ProgramsStartedByOtherProcessesDoNotCount)
{
    sim::driver::set_current_process(sim::driver::shell_process());
    WinExec("notepad", SW_SHOWNORMAL);
    sim::driver::set_current_process(sim::driver::program_process());
    EXPECT_EQ(run("expect started notepad.exe\n"),
        "1: expect: started: expected notepad.exe, found no program started by Kelmor");
}

}
