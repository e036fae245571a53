#include "platform/sim/shell/wallpaper.h"

#include "platform/api/gdi.h"
#include "platform/api/user.h"
#include "platform/sim/desktop.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/kernel/paths.h"

#include <optional>
#include <vector>

namespace sim {

namespace {

constexpr COLORREF desktop_color = RGB(58, 110, 165);

struct Wallpaper {
    std::string path;
    std::optional<Bitmap> picture;
    // The picture stretched to the screen, made again when the screen size changes. The desktop's
    // reset frees every handle, so the reset only forgets it.
    HBITMAP stretched = nullptr;
    SIZE stretched_size { 0, 0 };
};

Wallpaper& wallpaper()
{
    static Wallpaper state;
    return state;
}

std::optional<Bitmap> read_picture(const std::string& path)
{
    auto bytes = read_host_file(host_path(path));
    if (!bytes)
        return std::nullopt;
    auto picture = decode_image(*bytes);
    if (!picture || picture->is_empty())
        return std::nullopt;
    // The desktop shows the picture opaque, whatever alpha it carries.
    for (int y = 0; y < picture->height(); ++y) {
        auto* row = picture->row(y);
        for (int x = 0; x < picture->width(); ++x)
            row[x] |= 0xFF000000;
    }
    return picture;
}

// Nearest-pixel stretch: the desktop shows the wallpaper without smoothing.
Bitmap stretch(const Bitmap& picture, SIZE size)
{
    Bitmap result(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y) {
        int source_y = static_cast<int>(static_cast<int64_t>(y) * picture.height() / size.cy);
        for (int x = 0; x < size.cx; ++x) {
            int source_x = static_cast<int>(static_cast<int64_t>(x) * picture.width() / size.cx);
            result.set_pixel(x, y, picture.pixel(source_x, source_y));
        }
    }
    return result;
}

void forget_stretched()
{
    auto& state = wallpaper();
    if (state.stretched)
        DeleteObject(state.stretched);
    state.stretched = nullptr;
}

HBITMAP stretched_picture()
{
    auto& state = wallpaper();
    if (!state.picture || state.picture->is_empty())
        return nullptr;
    SIZE screen = screen_size();
    if (!find_bitmap(state.stretched) || state.stretched_size.cx != screen.cx || state.stretched_size.cy != screen.cy) {
        forget_stretched();
        state.stretched = add_bitmap(stretch(*state.picture, screen));
        state.stretched_size = screen;
    }
    return state.stretched;
}

void repaint_desktop()
{
    InvalidateRect(GetDesktopWindow(), nullptr, TRUE);
    if (HWND program_manager = FindWindowA("Progman", nullptr))
        RedrawWindow(program_manager, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}

std::string wallpaper_path()
{
    return wallpaper().path;
}

bool has_wallpaper_picture()
{
    return wallpaper().picture.has_value();
}

void paint_desktop_background(HDC dc, const RECT& area)
{
    HBITMAP picture = stretched_picture();
    if (!picture) {
        HBRUSH brush = CreateSolidBrush(desktop_color);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left, area.top,
        SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

bool set_wallpaper(const std::string& path)
{
    auto& state = wallpaper();
    if (path.empty()) {
        forget_stretched();
        state = Wallpaper {};
        repaint_desktop();
        return true;
    }
    auto picture = read_picture(path);
    if (!picture)
        return false;
    forget_stretched();
    state.path = path;
    state.picture = std::move(picture);
    repaint_desktop();
    return true;
}

void reset_wallpaper()
{
    wallpaper() = Wallpaper {};
}

}
