// The composition of the screen from the windows' surfaces, and the surfaces the GDI draws on.
#include "platform/sim/user/window_surface.h"

#include "platform/sim/desktop.h"
#include "platform/sim/user/window_tree.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace sim {

namespace {

// What a window may cover on the screen: a rectangle, and within it a region when a window or one
// of its ancestors has one (both in screen coordinates).
struct Clip {
    RECT rect {};
    std::optional<Region> region;

    bool is_empty() const
    {
        return rect.left >= rect.right || rect.top >= rect.bottom || (region && region->is_empty());
    }
};

RECT intersect(const RECT& a, const RECT& b)
{
    RECT result {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom)};
    if (result.left >= result.right || result.top >= result.bottom)
        return RECT {};
    return result;
}

Clip narrowed(const Clip& clip, const RECT& rect, const std::optional<Region>& region_on_screen)
{
    Clip result;
    result.rect = intersect(clip.rect, rect);
    if (clip.region)
        result.region = clip.region->intersected(result.rect);
    if (region_on_screen)
        result.region = (result.region ? *result.region : Region::rectangle(result.rect)).intersected(*region_on_screen);
    return result;
}

std::optional<Region> region_on_screen(const Window& window)
{
    if (!window.region)
        return std::nullopt;
    RECT screen = window_rect_on_screen(window);
    return window.region->offsetted(screen.left, screen.top);
}

// The target of a composition: a bitmap that shows the screen from `origin` on.
struct Target {
    Bitmap& bitmap;
    POINT origin;
};

// Calls visit(target row, source row, count) for every run of pixels of `clip` (screen coordinates)
// that a source placed at `source_origin` provides.
template<typename Visit>
void for_each_run(Target& target, const Bitmap& source, POINT source_origin, const Clip& clip, Visit visit)
{
    RECT source_rect {source_origin.x, source_origin.y, source_origin.x + source.width(),
        source_origin.y + source.height()};
    RECT target_rect {target.origin.x, target.origin.y, target.origin.x + target.bitmap.width(),
        target.origin.y + target.bitmap.height()};
    RECT bounds = intersect(intersect(clip.rect, source_rect), target_rect);
    if (bounds.left >= bounds.right)
        return;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        uint32_t* target_row = target.bitmap.row(y - target.origin.y);
        const uint32_t* source_row = source.row(y - source_origin.y);
        auto run = [&](int left, int right) {
            left = std::max<int>(left, bounds.left);
            right = std::min<int>(right, bounds.right);
            if (left < right)
                visit(target_row + (left - target.origin.x), source_row + (left - source_origin.x), right - left);
        };
        if (!clip.region) {
            run(bounds.left, bounds.right);
            continue;
        }
        for (auto& span : clip.region->spans_in_row(y))
            run(span.left, span.right);
    }
}

void copy_opaque(Target& target, const Bitmap& source, POINT source_origin, const Clip& clip)
{
    for_each_run(target, source, source_origin, clip, [](uint32_t* to, const uint32_t* from, int count) {
        std::memcpy(to, from, sizeof(uint32_t) * count);
    });
}

// Rounds v / 255 for v up to 65025 without a division.
uint32_t divide_by_255(uint32_t v)
{
    v += 127;
    return (v + 1 + (v >> 8)) >> 8;
}

uint32_t blend_channel(uint32_t top, uint32_t bottom, uint32_t alpha)
{
    return divide_by_255(top * alpha + bottom * (255 - alpha));
}

uint32_t blend_constant(uint32_t top, uint32_t bottom, uint32_t alpha)
{
    uint32_t r = blend_channel((top >> 16) & 0xFF, (bottom >> 16) & 0xFF, alpha);
    uint32_t g = blend_channel((top >> 8) & 0xFF, (bottom >> 8) & 0xFF, alpha);
    uint32_t b = blend_channel(top & 0xFF, bottom & 0xFF, alpha);
    return 0xFF000000 | (r << 16) | (g << 8) | b;
}

// Lays premultiplied pixels over the screen, scaled first by a constant alpha.
uint32_t blend_premultiplied(uint32_t top, uint32_t bottom, uint32_t constant_alpha)
{
    auto scale = [&](uint32_t channel) { return divide_by_255(channel * constant_alpha); };
    uint32_t alpha = scale(top >> 24);
    auto channel = [&](int shift) {
        uint32_t value = scale((top >> shift) & 0xFF) + divide_by_255(((bottom >> shift) & 0xFF) * (255 - alpha));
        return std::min<uint32_t>(value, 255);
    };
    return 0xFF000000 | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

uint32_t colour_key_pixel(COLORREF key)
{
    return (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
}

void draw_tree(Target& target, const Window& window, const Clip& parent_clip, bool include_layered);

void draw_children(Target& target, const Window& window, const Clip& clip, bool include_layered)
{
    Clip inside = narrowed(clip, client_rect_on_screen(window), std::nullopt);
    if (inside.is_empty())
        return;
    for (auto it = window.children.rbegin(); it != window.children.rend(); ++it)
        if (Window* child = find_window(*it))
            draw_tree(target, *child, inside, include_layered);
}

void draw_layered(Target& target, const Window& window, const Clip& clip)
{
    RECT screen = window_rect_on_screen(window);
    POINT origin {screen.left, screen.top};
    if (window.layered.per_pixel) {
        uint32_t alpha = window.layered.per_pixel_alpha;
        for_each_run(target, *window.layered.per_pixel, origin, clip, [&](uint32_t* to, const uint32_t* from, int count) {
            for (int i = 0; i < count; ++i)
                to[i] = blend_premultiplied(from[i], to[i], alpha);
        });
        return;
    }
    if (!window.layered.has_attributes)
        return;
    uint32_t alpha = (window.layered.flags & LWA_ALPHA) ? window.layered.alpha : 255;
    bool has_key = (window.layered.flags & LWA_COLORKEY) != 0;
    uint32_t key = colour_key_pixel(window.layered.key);
    auto blend = [&](uint32_t* to, const uint32_t* from, int count) {
        for (int i = 0; i < count; ++i) {
            if (has_key && (from[i] & 0xFFFFFF) == key)
                continue;
            to[i] = alpha == 255 ? from[i] : blend_constant(from[i], to[i], alpha);
        }
    };
    if (window.children.empty()) {
        for_each_run(target, *window.surface, origin, clip, blend);
        return;
    }
    // The window and its children are composed on their own first, then blended as one picture.
    RECT bounds = intersect(clip.rect, screen);
    if (bounds.left >= bounds.right)
        return;
    Bitmap picture(bounds.right - bounds.left, bounds.bottom - bounds.top);
    Target inner {picture, POINT {bounds.left, bounds.top}};
    Clip whole {bounds, std::nullopt};
    copy_opaque(inner, *window.surface, origin, whole);
    draw_children(inner, window, whole, true);
    for_each_run(target, picture, inner.origin, clip, blend);
}

void draw_clipped(Target& target, const Window& window, const Clip& clip, bool include_layered)
{
    if (clip.is_empty())
        return;
    if (!window.parent && window.is_layered()) {
        draw_layered(target, window, clip);
        return;
    }
    RECT screen = window_rect_on_screen(window);
    copy_opaque(target, *window.surface, POINT {screen.left, screen.top}, clip);
    draw_children(target, window, clip, include_layered);
}

bool is_drawn(const Window& window, bool include_layered)
{
    if (!window.is_visible_style())
        return false;
    return include_layered || window.parent || !window.is_layered();
}

void draw_tree(Target& target, const Window& window, const Clip& parent_clip, bool include_layered)
{
    if (!is_drawn(window, include_layered))
        return;
    draw_clipped(target, window, narrowed(parent_clip, window_rect_on_screen(window), region_on_screen(window)),
        include_layered);
}

Region area_of(const Clip& clip)
{
    return clip.region ? *clip.region : Region::rectangle(clip.rect);
}

void subtract(Clip& clip, const Region& covered)
{
    if (covered.is_empty() || clip.is_empty())
        return;
    clip.region = area_of(clip).subtracted(covered);
}

// What the visible children of a window cover, in the window's bitmap coordinates: each child's
// rectangle, cut to its region when it has one.
Region area_of_children(const Window& window)
{
    RECT client = client_rect_in_window(window);
    Region covered;
    for (HWND hwnd : window.children) {
        Window* child = find_window(hwnd);
        if (!child || !child->is_visible_style())
            continue;
        RECT rect = child->rect;
        Region area = child->region ? child->region->offsetted(rect.left, rect.top).intersected(rect) : Region::rectangle(rect);
        covered = covered.united(area.offsetted(client.left, client.top));
    }
    return covered;
}

}

SIZE surface_size_for(int width, int height)
{
    constexpr int least_limit = 4096;
    SIZE screen = screen_size();
    return SIZE {std::clamp(width, 0, std::max<int>(least_limit, screen.cx)),
        std::clamp(height, 0, std::max<int>(least_limit, screen.cy))};
}

WindowSurface window_surface(HWND hwnd, bool whole_window)
{
    Window* window = find_window(hwnd);
    if (!window)
        return WindowSurface {};
    WindowSurface surface;
    surface.bitmap = window->surface;
    RECT bitmap_rect {0, 0, window->surface->width(), window->surface->height()};
    if (whole_window) {
        surface.clip = Region::rectangle(bitmap_rect);
        return surface;
    }
    RECT client = client_rect_in_window(*window);
    surface.origin = POINT {client.left, client.top};
    surface.clip = Region::rectangle(intersect(client, bitmap_rect));
    // A window with WS_CLIPCHILDREN draws nothing where its children lie. The desktop's children
    // are the top-level windows, composed over it from their own surfaces.
    if ((window->style & WS_CLIPCHILDREN) && !window->children.empty() && !is_desktop(hwnd))
        surface.clip = surface.clip.subtracted(area_of_children(*window));
    return surface;
}

Bitmap compose_screen(RECT area, bool include_layered)
{
    SIZE screen = screen_size();
    RECT bounds = intersect(area, RECT {0, 0, screen.cx, screen.cy});
    Bitmap result(bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (result.is_empty())
        return result;
    Target target {result, POINT {bounds.left, bounds.top}};
    Window& desktop = desktop_window();
    Clip screen_clip {bounds, std::nullopt};
    // Front to back, every top-level window gives up what opaque windows in front of it cover, so
    // each pixel is copied about once; then they are drawn back to front.
    std::vector<std::pair<const Window*, Clip>> plan;
    Region covered;
    for (HWND hwnd : desktop.children) {
        Window* window = find_window(hwnd);
        if (!window || !is_drawn(*window, include_layered))
            continue;
        Clip clip = narrowed(screen_clip, window_rect_on_screen(*window), region_on_screen(*window));
        subtract(clip, covered);
        if (clip.is_empty())
            continue;
        if (!window->is_layered())
            covered = covered.united(area_of(clip));
        plan.emplace_back(window, std::move(clip));
    }
    Clip desktop_clip = screen_clip;
    subtract(desktop_clip, covered);
    copy_opaque(target, *desktop.surface, POINT {0, 0}, desktop_clip);
    for (auto it = plan.rbegin(); it != plan.rend(); ++it)
        draw_clipped(target, *it->first, it->second, include_layered);
    for (int y = 0; y < result.height(); ++y) {
        uint32_t* row = result.row(y);
        for (int x = 0; x < result.width(); ++x)
            row[x] |= 0xFF000000;
    }
    return result;
}

}
