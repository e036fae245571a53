// Device contexts of the simulated GDI: their state, and what their drawing lands on.
#pragma once

#include "platform/api/gdi.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/gdi/region.h"
#include "platform/sim/handle_table.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace sim {

// Everything SaveDC keeps and RestoreDC brings back.
struct DcState {
    HBITMAP bitmap = nullptr;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    COLORREF text_color = RGB(0, 0, 0);
    COLORREF background_color = RGB(255, 255, 255);
    COLORREF dc_pen_color = RGB(0, 0, 0);
    COLORREF dc_brush_color = RGB(255, 255, 255);
    int background_mode = OPAQUE;
    int mix_mode = R2_COPYPEN;
    int stretch_mode = BLACKONWHITE;
    int polygon_fill_mode = ALTERNATE;
    UINT text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    POINT position {};
    // The selected clip region in DC coordinates; none means no clipping beyond the surface.
    std::optional<Region> clip;
};

// A memory DC draws on the bitmap selected into it; a window DC on its window's surface; the
// screen DC reads the composed screen.
struct DeviceContext : Object {
    enum class Kind { Memory, Window, Screen };

    Kind kind = Kind::Memory;
    HWND window = nullptr;
    bool is_whole_window = false;
    DcState state;
    std::vector<DcState> saved_states;
    // The update region a DC from BeginPaint is limited to, in DC coordinates; the program's own
    // clip region works inside it and cannot reach beyond it.
    std::optional<Region> paint_area;

    bool is_memory() const { return kind == Kind::Memory; }
};

DeviceContext* find_dc(HDC);
HDC create_memory_dc();

// What one drawing operation lands on, resolved afresh for each operation so that a DC that lives
// long follows its window's surface. A 24-bit DIB section's client bits are brought up to date
// when the target is let go.
class DrawTarget {
public:
    DrawTarget() = default;
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;
    DrawTarget(DrawTarget&& other) noexcept
        : m_bitmap(std::exchange(other.m_bitmap, nullptr))
        , m_keep_alive(std::move(other.m_keep_alive))
        , m_origin(other.m_origin)
        , m_clip(std::move(other.m_clip))
    {
    }
    DrawTarget& operator=(DrawTarget&&) = delete;
    ~DrawTarget();

    explicit operator bool() const { return m_bitmap && !m_clip.is_empty(); }
    Bitmap& bitmap() const { return *m_bitmap; }
    // Where the DC's (0, 0) lies in the bitmap.
    POINT origin() const { return m_origin; }
    // Where drawing may land, in bitmap coordinates.
    const Region& clip() const { return m_clip; }

private:
    friend DrawTarget draw_target(const DeviceContext&);
    Bitmap* m_bitmap = nullptr;
    std::shared_ptr<Bitmap> m_keep_alive;
    POINT m_origin {};
    Region m_clip;
};

DrawTarget draw_target(const DeviceContext&);

// Pixels to read for a copy out of a DC, covering at least the DC rectangle asked for.
struct ReadSource {
    const Bitmap* bitmap = nullptr;
    POINT origin {};
    std::shared_ptr<Bitmap> keep_alive;
    explicit operator bool() const { return bitmap != nullptr; }
};

ReadSource read_source(const DeviceContext&, const RECT& area);

// The size of the bitmap or surface behind a DC, for GetDeviceCaps and the clip box.
SIZE surface_size(const DeviceContext&);

}
