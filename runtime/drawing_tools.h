// DrawingTools: the pen and brush a canvas's drawing surface carries, made from its ForeColor and
// DrawWidth and its FillStyle and FillColor, so that shapes drawn on its hDC with the platform's
// calls take the canvas's colours.
#pragma once

#include "platform/win32.h"

#include <vector>

namespace runtime {

struct DrawingSettings {
    COLORREF pen_colour = 0;
    int pen_width = 1;
    bool is_filled = false;
    COLORREF fill_colour = 0;

    bool operator==(const DrawingSettings&) const = default;
};

class DrawingTools {
public:
    DrawingTools() = default;
    ~DrawingTools();
    DrawingTools(const DrawingTools&) = delete;
    DrawingTools& operator=(const DrawingTools&) = delete;

    // Selects the pen and brush of these settings into the context; changed settings make new
    // ones, which replace the old in every context that carries them.
    void select_into(HDC dc, const DrawingSettings& settings);
    // The context is about to be deleted or released: its own pen and brush go back into it.
    void detach(HDC dc);

private:
    struct Selection {
        HDC dc = nullptr;
        HGDIOBJ original_pen = nullptr;
        HGDIOBJ original_brush = nullptr;
    };

    void make_tools(const DrawingSettings& settings);
    void delete_tools();

    std::vector<Selection> m_selections;
    DrawingSettings m_settings;
    HPEN m_pen = nullptr;
    HBRUSH m_brush = nullptr;
};

}
