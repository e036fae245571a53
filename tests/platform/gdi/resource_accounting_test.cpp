#include "platform/sim/driver.h"
#include "platform/win32.h"
#include "platform/api/process.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/platform/own_dc_window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ResourceAccounting : public testing::Test {
protected:
    void SetUp() override { sim::driver::reset(); }

    static sim::driver::ResourceUsage program_usage()
    {
        return sim::driver::resource_usage(sim::driver::program_process());
    }
    static DWORD gdi_objects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
    static DWORD user_objects() { return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); }
};

HICON make_icon()
{
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HBITMAP color = CreateBitmap(16, 16, 1, 32, nullptr);
    ICONINFO info { TRUE, 0, 0, mask, color };
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

}

TEST_F(ResourceAccounting, EveryKindOfGdiObjectCountsWhileItLivesAndStockObjectsNever)
{
    DWORD before = gdi_objects();
    EXPECT_EQ(static_cast<int>(before), program_usage().gdi_objects);
    LOGFONTA description {};
    BITMAPINFO info = gdi_test::dib_header(4, 4, 32);
    void* bits = nullptr;
    std::vector<HGDIOBJ> made { CreatePen(PS_SOLID, 1, 0), CreateSolidBrush(0), CreateFontIndirectA(&description),
        CreateRectRgn(0, 0, 5, 5), CreateBitmap(4, 4, 1, 32, nullptr),
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), CreateCompatibleDC(nullptr) };
    GetStockObject(WHITE_BRUSH);
    EXPECT_EQ(gdi_objects(), before + made.size());
    for (HGDIOBJ object : made) {
        if (GetObjectType(object) == OBJ_MEMDC)
            EXPECT_TRUE(DeleteDC(static_cast<HDC>(object)));
        else
            EXPECT_TRUE(DeleteObject(object));
    }
    EXPECT_EQ(gdi_objects(), before);
    EXPECT_EQ(program_usage().double_frees, 0);
}

TEST_F(ResourceAccounting, WindowsAndIconsAreUserObjectsOfTheirOwnProcess)
{
    DWORD before = user_objects();
    HICON icon = make_icon();
    EXPECT_EQ(user_objects(), before + 1);
    DestroyIcon(icon);
    EXPECT_EQ(user_objects(), before);

    uint32_t editor = sim::driver::create_process("C:\\Apps\\editor.exe");
    HWND window = sim::driver::open_app_window(editor, {});
    int with_window = sim::driver::resource_usage(editor).user_objects;
    EXPECT_GE(with_window, 1);
    sim::driver::add_child_control(window, "Edit", "", { 0, 0, 50, 20 });
    EXPECT_EQ(sim::driver::resource_usage(editor).user_objects, with_window + 1);
    sim::driver::close(window);
    EXPECT_EQ(sim::driver::resource_usage(editor).user_objects, with_window - 1);
    EXPECT_EQ(user_objects(), before) << "another process's windows are not the program's";
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), 7), 0u);
}

TEST_F(ResourceAccounting, CreationFailsBeyondTheQuotaAndWorksAgainOnceObjectsAreFreed)
{
    std::vector<HGDIOBJ> made;
    while (HPEN pen = CreatePen(PS_SOLID, 1, 0)) {
        made.push_back(pen);
        ASSERT_LE(made.size(), 10000u);
    }
    EXPECT_EQ(gdi_objects(), 10000u);
    EXPECT_EQ(CreateSolidBrush(0), nullptr);
    EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
    EXPECT_EQ(CreateRectRgn(0, 0, 1, 1), nullptr);
    EXPECT_EQ(GetDC(nullptr), nullptr);
    BITMAPINFO info = gdi_test::dib_header(4, 4, 32);
    void* bits = &info;
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_NE(GetStockObject(BLACK_PEN), nullptr) << "stock objects are no process's";

    uint32_t editor = sim::driver::create_process("C:\\Apps\\editor.exe");
    sim::driver::set_current_process(editor);
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_NE(brush, nullptr) << "the quota is per process";
    DeleteObject(brush);
    sim::driver::set_current_process(sim::driver::program_process());

    DeleteObject(made.back());
    made.pop_back();
    HBRUSH again = CreateSolidBrush(0);
    EXPECT_NE(again, nullptr);
    made.push_back(again);
    for (HGDIOBJ object : made)
        DeleteObject(object);
    EXPECT_EQ(gdi_objects(), 0u);
}

TEST_F(ResourceAccounting, WindowAndScreenDcsAreOutstandingUntilReleased)
{
    HWND window = sim::driver::open_app_window(sim::driver::create_process("C:\\Apps\\editor.exe"), {});
    HDC screen = GetDC(nullptr);
    HDC frame = GetWindowDC(window);
    HDC client = GetDC(window);
    EXPECT_EQ(program_usage().screen_dcs, 3);
    EXPECT_EQ(program_usage().gdi_objects, 3);
    ReleaseDC(nullptr, screen);
    ReleaseDC(window, frame);
    EXPECT_EQ(program_usage().screen_dcs, 1);
    ReleaseDC(window, client);
    EXPECT_EQ(program_usage().screen_dcs, 0);

    // Painting takes and gives back its DC.
    InvalidateRect(window, nullptr, TRUE);
    sim::driver::pump();
    PAINTSTRUCT paint {};
    BeginPaint(window, &paint);
    EXPECT_EQ(program_usage().screen_dcs, 1);
    EndPaint(window, &paint);
    EXPECT_EQ(program_usage().screen_dcs, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(program_usage().screen_dcs, 0) << "a memory DC is no window DC";
    DeleteDC(memory);

    // A window with a DC of its own keeps it for its life: a GDI object, but no cache DC held.
    HWND canvas = create_own_dc_window(RECT {0, 0, 50, 50});
    ASSERT_NE(canvas, nullptr);
    int objects = program_usage().gdi_objects;
    HDC kept = GetDC(canvas);
    EXPECT_EQ(program_usage().screen_dcs, 0);
    EXPECT_EQ(program_usage().gdi_objects, objects + 1);
    ReleaseDC(canvas, kept);
    HDC frame_of_own = GetWindowDC(canvas);
    EXPECT_EQ(program_usage().screen_dcs, 1) << "the whole-window DC still comes from the cache";
    ReleaseDC(canvas, frame_of_own);
}

TEST_F(ResourceAccounting, GdiplusStartupsAreCountedUntilShutDownOnce)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR first = 0;
    ULONG_PTR second = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&first, &input, nullptr), Gdiplus::Ok);
    ASSERT_EQ(Gdiplus::GdiplusStartup(&second, &input, nullptr), Gdiplus::Ok);
    EXPECT_EQ(program_usage().gdiplus_startups, 2);
    Gdiplus::GpImage* image = nullptr;
    uint32_t editor = sim::driver::create_process("C:\\Apps\\editor.exe");
    sim::driver::set_current_process(editor);
    EXPECT_EQ(GdipLoadImageFromFile(L"C:\\none.png", &image), Gdiplus::GdiplusNotInitialized)
        << "GDI+ works only in the process that started it";
    sim::driver::set_current_process(sim::driver::program_process());
    Gdiplus::GdiplusShutdown(first);
    Gdiplus::GdiplusShutdown(first);
    EXPECT_EQ(program_usage().gdiplus_startups, 1);
    Gdiplus::GdiplusShutdown(second);
    EXPECT_EQ(program_usage().gdiplus_startups, 0);
    EXPECT_EQ(GdipLoadImageFromFile(L"C:\\none.png", &image), Gdiplus::GdiplusNotInitialized);
}

TEST_F(ResourceAccounting, FreeingAHandleTwiceFailsAndIsAFaultOfTheProcessThatDidIt)
{
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_EQ(program_usage().double_frees, 0);

    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_FALSE(DeleteDC(memory));
    EXPECT_FALSE(DeleteObject(memory)) << "a freed DC handle given to DeleteObject";
    EXPECT_EQ(program_usage().double_frees, 3);

    // Handles that never named an object, null, and stock objects are no double frees.
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0x7FFF0000)));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
    EXPECT_EQ(program_usage().double_frees, 3);

    uint32_t editor = sim::driver::create_process("C:\\Apps\\editor.exe");
    HBRUSH brush = CreateSolidBrush(0);
    DeleteObject(brush);
    sim::driver::set_current_process(editor);
    DeleteObject(brush);
    sim::driver::set_current_process(sim::driver::program_process());
    EXPECT_EQ(sim::driver::resource_usage(editor).double_frees, 1);
    EXPECT_EQ(program_usage().double_frees, 3);

    sim::driver::reset();
    EXPECT_EQ(program_usage().double_frees, 0) << "a fresh desktop starts clean";
}
