#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/gdi/gdi_objects.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ClipboardTest : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }

    static HGLOBAL text_block(const char* text)
    {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
        std::memcpy(GlobalLock(memory), text, std::strlen(text) + 1);
        GlobalUnlock(memory);
        return memory;
    }
};

TEST_F(ClipboardTest, TextGoesThroughAndIsFreedWhenEmptied)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL memory = text_block("hello");
    EXPECT_EQ(SetClipboardData(CF_TEXT, memory), memory);
    ASSERT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    // Reading needs the clipboard open.
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "hello");
    GlobalUnlock(text);
    auto* wide = static_cast<const WCHAR*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(wide[0], static_cast<WCHAR>('h'));
    EXPECT_EQ(wide[5], static_cast<WCHAR>(0));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalSize(memory), 0u);
    CloseClipboard();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(ClipboardTest, BitmapIsAlsoOfferedAsADeviceIndependentBitmap)
{
    sim::Bitmap picture(3, 2);
    picture.fill(0xFF102030);
    picture.set_pixel(2, 1, 0xFFAABBCC);
    HBITMAP bitmap = sim::add_bitmap(picture);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardData(CF_BITMAP), bitmap);
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(header->biWidth, 3);
    EXPECT_EQ(header->biHeight, 2);
    EXPECT_EQ(header->biBitCount, 32);
    // Bottom-up rows: the picture's last row comes first.
    auto* pixels = reinterpret_cast<const uint32_t*>(header + 1);
    EXPECT_EQ(pixels[2] & 0xFFFFFF, 0xAABBCCu);
    EXPECT_EQ(pixels[3] & 0xFFFFFF, 0x102030u);
    GlobalUnlock(dib);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(sim::find_bitmap(bitmap), nullptr);
}

TEST_F(ClipboardTest, OneWindowAtATimeHasItOpen)
{
    HWND desktop = GetDesktopWindow();
    ASSERT_TRUE(OpenClipboard(desktop));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(SetClipboardData(CF_TEXT, text_block("x")), nullptr);
}

}
