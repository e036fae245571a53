// ScrollBarLayout: where the parts of a scroll bar lie (the arrow buttons at both ends, the track
// between them, the thumb on the track), which part a point falls on, and how the bar is drawn.
// The runtime's scroll bar controls and the bars of scrolling controls share it.
#pragma once

#include "platform/win32.h"

namespace runtime {

enum class ScrollPart {
    None,
    LessArrow,
    MoreArrow,
    LessTrack,
    MoreTrack,
    Thumb,
};

enum class ArrowDirection { Up, Down, Left, Right };

// Draws a raised button (pushed in while pressed) with an arrow, grey when it cannot act.
void paint_arrow_button(HDC dc, const RECT& button, ArrowDirection direction, bool is_pressed, bool is_active);

struct ScrollBarLayout {
    RECT rect { 0, 0, 0, 0 };
    bool is_horizontal = false;
    // The range: Min and Max may lie either way round; steps towards Max move the thumb on.
    int min = 0;
    int max = 0;
    int value = 0;
    // How much of the content one view shows, in the range's units; 0 gives a square thumb.
    int page = 0;
    bool is_enabled = true;

    // Lengths along the bar, in pixels.
    int length() const;
    int thickness() const;
    int arrow_length() const;
    int thumb_length() const;
    // Where the thumb starts, counted from the bar's start.
    int thumb_start() const;
    // A point's place along the bar, counted from the bar's start.
    int along(POINT point) const;

    ScrollPart part_at(POINT point) const;
    // The value that puts the thumb's start at a place along the bar, kept inside the range.
    int value_at_thumb(int thumb_position) const;
    // Draws the bar; a pressed arrow shows pushed in.
    void paint(HDC dc, ScrollPart pressed = ScrollPart::None) const;
};

}
