#include "platform/sim/user/system_icons.h"

#include "platform/api/gdi.h"

#include <map>
#include <vector>

namespace sim {

namespace {

std::map<int, HICON> g_icons;
std::map<int, HCURSOR> g_cursors;

constexpr uint32_t outline_colour = 0x202020;

}

HICON make_plain_icon(int size, uint32_t colour, bool is_icon)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            bool is_edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            pixels[static_cast<size_t>(y) * size + x] = 0xFF000000 | (is_edge ? outline_colour : colour);
        }
    std::vector<uint8_t> mask(static_cast<size_t>((size + 15) / 16 * 2) * size, 0);
    ICONINFO info {};
    info.fIcon = is_icon ? TRUE : FALSE;
    info.hbmColor = CreateBitmap(size, size, 1, 32, pixels.data());
    info.hbmMask = CreateBitmap(size, size, 1, 1, mask.data());
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

HICON system_icon(int id)
{
    auto it = g_icons.find(id);
    if (it != g_icons.end())
        return it->second;
    HICON icon = make_plain_icon(32, 0x3070C0 + static_cast<uint32_t>(id & 0xF) * 0x100000);
    g_icons[id] = icon;
    return icon;
}

HCURSOR system_cursor(int id)
{
    auto it = g_cursors.find(id);
    if (it != g_cursors.end())
        return it->second;
    HCURSOR cursor = make_plain_icon(32, 0xFFFFFF, false);
    g_cursors[id] = cursor;
    return cursor;
}

int system_cursor_id(HCURSOR cursor)
{
    for (auto& [id, loaded] : g_cursors) {
        if (cursor && loaded == cursor)
            return id;
    }
    return 0;
}

void reset_system_icons()
{
    g_icons.clear();
    g_cursors.clear();
}

}
