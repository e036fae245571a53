// Laying out and drawing runs of text in a DC's font.
#pragma once

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/font_engine.h"

#include <optional>
#include <span>
#include <string>

namespace sim {

// The DC's selected font, rendered; null when no face could be loaded.
ScaledFont* selected_font(const DeviceContext&);

int text_width(ScaledFont&, std::u32string_view text);

struct TextRun {
    std::u32string_view text;
    // Top-left corner of the run's cell, DC coordinates.
    POINT position {};
    // Per-character advances instead of the font's; empty for the font's own.
    std::span<const INT> advances;
    // Drawing stays inside this DC rectangle as well as the DC's clip.
    std::optional<RECT> limit;
    // A character to underline, as a prefix "&" marks it; -1 for none.
    int underlined_index = -1;
};

// Draws the run in the DC's text colour, over its background colour when the background mode is
// OPAQUE; returns the run's width.
int draw_text_run(const DeviceContext&, ScaledFont&, const TextRun&);

}
