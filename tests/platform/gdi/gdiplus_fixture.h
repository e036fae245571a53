// Tests of the GDI+ flat interface: GDI+ started for each test, and pictures written as PNG files
// into the simulated drive.
#pragma once

#include "platform/win32.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/png_encoder.h"
#include "platform/sim/kernel/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace gdi_test {

inline void write_png(const char* windows_path, const sim::Bitmap& picture)
{
    auto path = sim::host_path(windows_path);
    std::filesystem::create_directories(path.parent_path());
    auto bytes = sim::encode_png(picture);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class GdiplusTest : public testing::Test {
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

    ULONG_PTR m_token = 0;
};

}
