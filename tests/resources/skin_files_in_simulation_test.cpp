#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/kernel/paths.h"
#include "tests/resources/artwork_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Expected {
    const char* name;
    UINT width;
    UINT height;
};

// Every skin file loads through the simulated desktop's GDI+ from the program folder, where the
// program looks for it, and keeps the size it was drawn at.
TEST(SkinFilesInSimulation, EveryFileLoadsThroughGdiPlus)
{
    sim::reset_desktop();
    sim::install_program_folder(artwork_test::program_folder());
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);

    const Expected files[] = { { "back.tpci", 1024, 768 }, { "cd.rcol", 64, 64 }, { "cg.rcol", 64, 64 },
        { "cb.rcol", 64, 64 }, { "ct.rcol", 64, 64 }, { "cr.rcol", 64, 64 }, { "co.rcol", 64, 64 },
        { "cp.rcol", 64, 64 }, { "cf.rcol", 64, 64 }, { "reflections2.refl", 1600, 64 }, { "Light_TL.refl", 120, 40 },
        { "Light_TR.refl", 120, 40 }, { "Light_Side3.refl", 8, 256 }, { "normal_bar.cbox", 99, 18 },
        { "normal_bar_minclose.cbox", 99, 18 }, { "normal_bar_single.cbox", 48, 18 }, { "top_bar.vee", 1600, 30 },
        { "min_glow.cbg", 44, 36 }, { "max_glow.cbg", 43, 36 }, { "close_glow.cbg", 62, 36 },
        { "mLight.mlt", 129, 25 }, { "mLight_D.mlt", 129, 25 } };
    for (auto& file : files) {
        std::wstring path = L"C:\\Program Files\\Kelmor\\";
        for (const char* character = file.name; *character; ++character)
            path += wchar_t(*character);
        Gdiplus::GpImage* image = nullptr;
        ASSERT_EQ(GdipLoadImageFromFile(path.c_str(), &image), Gdiplus::Ok) << file.name;
        UINT width = 0;
        UINT height = 0;
        EXPECT_EQ(GdipGetImageWidth(image, &width), Gdiplus::Ok);
        EXPECT_EQ(GdipGetImageHeight(image, &height), Gdiplus::Ok);
        EXPECT_EQ(width, file.width) << file.name;
        EXPECT_EQ(height, file.height) << file.name;
        GdipDisposeImage(image);
    }
    Gdiplus::GdiplusShutdown(token);
}

}
