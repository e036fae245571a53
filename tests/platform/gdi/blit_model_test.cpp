// AlphaBlend, PlgBlt, StretchBlt and TransparentBlt compared pixel for pixel with a plain per-pixel
// model of each, on many random pictures, rectangles, mirrors, parallelograms and clips: however the pixel loops are arranged, each
// destination pixel must come out as the rule for that one pixel says.
#include "platform/win32.h"
#include "platform/sim/driver.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/platform/gdi/stretch_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

using gdi_test::Canvas;

namespace {

// The pixels of a picture as the model reads and writes them: 0xAARRGGBB, top-down.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> bits;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint32_t& at(int x, int y) { return bits[static_cast<size_t>(y * width + x)]; }
    uint32_t at(int x, int y) const { return bits[static_cast<size_t>(y * width + x)]; }
};

Pixels pixels_of(const Canvas& canvas)
{
    GdiFlush();
    return { canvas.width(), canvas.height(),
        std::vector<uint32_t>(canvas.bits(), canvas.bits() + canvas.width() * canvas.height()) };
}

void fill_random(Canvas& canvas, std::mt19937& random)
{
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x)
            canvas.set_raw(x, y, static_cast<uint32_t>(random()));
    }
}

int random_between(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

// Where drawing may land, in DC coordinates: inside `keep`, outside `hole`.
struct Clip {
    RECT keep;
    RECT hole;

    bool lets_through(int x, int y) const
    {
        auto inside = [&](const RECT& rect) { return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom; };
        return inside(keep) && !inside(hole);
    }
    void select_into(HDC dc) const
    {
        IntersectClipRect(dc, keep.left, keep.top, keep.right, keep.bottom);
        ExcludeClipRect(dc, hole.left, hole.top, hole.right, hole.bottom);
    }
};

Clip random_clip(std::mt19937& random, int width, int height)
{
    // Half the time the whole picture; otherwise a rectangle, mostly with a hole that splits rows.
    if (random() % 2)
        return { { -100, -100, width + 100, height + 100 }, { 0, 0, 0, 0 } };
    int left = random_between(random, -5, width / 2);
    int top = random_between(random, -5, height / 2);
    RECT keep { left, top, random_between(random, left, width + 5), random_between(random, top, height + 5) };
    int hole_left = random_between(random, 0, width);
    int hole_top = random_between(random, 0, height);
    RECT hole { hole_left, hole_top, hole_left + random_between(random, 0, 8), hole_top + random_between(random, 0, 8) };
    return { keep, hole };
}

void compare(const Pixels& expected, const Canvas& actual, const std::string& what)
{
    Pixels got = pixels_of(actual);
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x)
            ASSERT_EQ(got.at(x, y), expected.at(x, y)) << what << " at " << x << "," << y;
    }
}

// value * factor / 255 rounded to the nearest; the quotient is never exactly halfway.
uint32_t scaled(uint32_t value, uint32_t factor)
{
    return (2 * value * factor + 255) / 510;
}

uint32_t blended(uint32_t source, uint32_t destination, BLENDFUNCTION blend)
{
    uint32_t constant = blend.SourceConstantAlpha;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t s = (source >> shift) & 0xFF;
        uint32_t d = (destination >> shift) & 0xFF;
        uint32_t channel = 0;
        if (blend.AlphaFormat & AC_SRC_ALPHA)
            channel = std::min<uint32_t>(255, scaled(s, constant) + scaled(d, 255 - scaled(source >> 24, constant)));
        else
            channel = (s * constant + d * (255 - constant) + 127) / 255;
        result |= channel << shift;
    }
    return result;
}

struct BlendCall {
    int x, y, width, height;
    int source_x, source_y, source_width, source_height;
    BLENDFUNCTION blend;
};

// The source pixel that destination pixel `index` of `size` takes, as Windows steps them.
int nearest(int index, int size, int source_size, bool is_row)
{
    return static_cast<int>(gdi_test::stretch_step(index, size, source_size, is_row));
}

// `source` maps a source point in DC coordinates to its pixel; false where there is none.
using SourceRead = std::function<bool(int, int, uint32_t&)>;

SourceRead read_of(const Pixels& pixels)
{
    return [&pixels](int x, int y, uint32_t& pixel) {
        if (!pixels.contains(x, y))
            return false;
        pixel = pixels.at(x, y);
        return true;
    };
}

Pixels expected_alpha_blend(Pixels target, const SourceRead& source, const Clip& clip, const BlendCall& call)
{
    Pixels before = target;
    for (int y = call.y; y < call.y + call.height; ++y) {
        for (int x = call.x; x < call.x + call.width; ++x) {
            if (!target.contains(x, y) || !clip.lets_through(x, y))
                continue;
            int column = call.source_x + nearest(x - call.x, call.width, call.source_width, false);
            int row = call.source_y + nearest(y - call.y, call.height, call.source_height, true);
            uint32_t pixel = 0;
            if (source(column, row, pixel))
                target.at(x, y) = blended(pixel, before.at(x, y), call.blend);
        }
    }
    return target;
}

BLENDFUNCTION random_blend(std::mt19937& random)
{
    static const BYTE constants[] = { 0, 1, 2, 64, 127, 128, 129, 195, 254, 255 };
    BYTE constant = random() % 3 ? constants[random() % std::size(constants)] : static_cast<BYTE>(random());
    return { AC_SRC_OVER, 0, constant, static_cast<BYTE>(random() % 2 ? AC_SRC_ALPHA : 0) };
}

BlendCall random_blend_call(std::mt19937& random, int width, int height)
{
    BlendCall call {};
    call.x = random_between(random, -8, width - 1);
    call.y = random_between(random, -8, height - 1);
    call.width = random_between(random, 1, width + 8);
    call.height = random_between(random, 1, height + 8);
    // Mostly 1:1, as the reflection blends; otherwise stretched or shrunk, reaching past the source.
    bool is_same_size = random() % 2;
    call.source_x = random_between(random, -4, 20);
    call.source_y = random_between(random, -4, 20);
    call.source_width = is_same_size ? call.width : random_between(random, 1, 40);
    call.source_height = is_same_size ? call.height : random_between(random, 1, 40);
    call.blend = random_blend(random);
    return call;
}

std::string describe(const BlendCall& call)
{
    return "blend " + std::to_string(call.x) + "," + std::to_string(call.y) + " " + std::to_string(call.width) + "x"
        + std::to_string(call.height) + " from " + std::to_string(call.source_x) + "," + std::to_string(call.source_y)
        + " " + std::to_string(call.source_width) + "x" + std::to_string(call.source_height) + " constant "
        + std::to_string(call.blend.SourceConstantAlpha) + " format " + std::to_string(call.blend.AlphaFormat);
}

BOOL alpha_blend(HDC target, HDC source, const BlendCall& call)
{
    return AlphaBlend(target, call.x, call.y, call.width, call.height, source, call.source_x, call.source_y,
        call.source_width, call.source_height, call.blend);
}

// A stretch along one axis: the destination pixels [first, last) and the source index of each;
// a negative extent runs from its anchor the other way, as a mirror.
struct StretchedAxis {
    int anchor, extent, source_anchor, source_extent;
    bool is_row;

    int first() const { return extent >= 0 ? anchor : anchor + extent + 1; }
    int last() const { return extent >= 0 ? anchor + extent : anchor + 1; }
    int source_of(int dest) const
    {
        int offset = nearest(extent >= 0 ? dest - anchor : anchor - dest, std::abs(extent), std::abs(source_extent), is_row);
        return source_extent >= 0 ? source_anchor + offset : source_anchor - offset;
    }
};

// A StretchBlt with a source copy or a source-invert, or a TransparentBlt leaving out a key colour.
struct StretchCall {
    enum class Kind { Copy, Invert, Transparent } kind;
    StretchedAxis columns, rows;
    uint32_t key;
};

Pixels expected_stretch(Pixels target, const SourceRead& source, const Clip& clip, const StretchCall& call)
{
    for (int y = call.rows.first(); y < call.rows.last(); ++y) {
        for (int x = call.columns.first(); x < call.columns.last(); ++x) {
            uint32_t pixel = 0;
            if (!target.contains(x, y) || !clip.lets_through(x, y)
                || !source(call.columns.source_of(x), call.rows.source_of(y), pixel))
                continue;
            if (call.kind == StretchCall::Kind::Invert)
                target.at(x, y) ^= pixel;
            else if (call.kind == StretchCall::Kind::Copy || (pixel & 0xFFFFFF) != call.key)
                target.at(x, y) = pixel;
        }
    }
    return target;
}

StretchCall random_stretch_call(std::mt19937& random, int width, int height)
{
    auto kind = static_cast<StretchCall::Kind>(random() % 3);
    bool may_mirror = kind != StretchCall::Kind::Transparent;
    auto extent = [&](int largest) {
        int size = random_between(random, 1, largest);
        return may_mirror && random() % 2 ? -size : size;
    };
    auto axis = [&](int size, bool is_row) {
        int dest_extent = extent(size + 8);
        // As large as the destination, the same way or mirrored, or of any size.
        int choice = random() % 3;
        int source_extent = choice == 0 ? dest_extent : choice == 1 && may_mirror ? -dest_extent : extent(30);
        return StretchedAxis { random_between(random, -8, size + 8), dest_extent, random_between(random, -4, 24),
            source_extent, is_row };
    };
    StretchCall call { kind, axis(width, false), axis(height, true), 0 };
    call.key = random() % 2 ? 0x102030 : 0x405060;
    return call;
}

std::string describe(const StretchCall& call)
{
    auto axis = [](const StretchedAxis& a) {
        return std::to_string(a.anchor) + "/" + std::to_string(a.extent) + " from " + std::to_string(a.source_anchor)
            + "/" + std::to_string(a.source_extent);
    };
    return "stretch kind " + std::to_string(static_cast<int>(call.kind)) + " columns " + axis(call.columns) + " rows "
        + axis(call.rows);
}

BOOL stretch(HDC target, HDC source, const StretchCall& call)
{
    const StretchedAxis& c = call.columns;
    const StretchedAxis& r = call.rows;
    if (call.kind == StretchCall::Kind::Transparent) {
        return TransparentBlt(target, c.anchor, r.anchor, c.extent, r.extent, source, c.source_anchor, r.source_anchor,
            c.source_extent, r.source_extent, RGB(call.key >> 16, (call.key >> 8) & 0xFF, call.key & 0xFF));
    }
    // One source pixel per destination pixel: the default mode folds the pixels a shrink drops.
    SetStretchBltMode(target, COLORONCOLOR);
    return StretchBlt(target, c.anchor, r.anchor, c.extent, r.extent, source, c.source_anchor, r.source_anchor,
        c.source_extent, r.source_extent, call.kind == StretchCall::Kind::Copy ? SRCCOPY : SRCINVERT);
}

// The parallelogram rule: each destination pixel centre inside the bounds of the four corners is
// mapped back into the source rectangle; a mask pixel of black leaves the destination as it was.
struct PlgCall {
    POINT points[3];
    int source_x, source_y, width, height;
};

struct PlgAxes {
    double across_x, across_y, down_x, down_y, determinant;
};

PlgAxes axes_of(const PlgCall& call)
{
    const POINT* p = call.points;
    PlgAxes axes { double(p[1].x - p[0].x) / call.width, double(p[1].y - p[0].y) / call.width,
        double(p[2].x - p[0].x) / call.height, double(p[2].y - p[0].y) / call.height, 0 };
    axes.determinant = axes.across_x * axes.down_y - axes.across_y * axes.down_x;
    return axes;
}

// A parallelogram without area draws nothing and fails.
bool is_flat(const PlgCall& call)
{
    return axes_of(call).determinant == 0;
}

Pixels expected_plg_blt(Pixels target, const SourceRead& source, const Clip& clip, const PlgCall& call,
    const Pixels* mask = nullptr, POINT mask_origin = {})
{
    if (is_flat(call))
        return target;
    const POINT* p = call.points;
    auto [across_x, across_y, down_x, down_y, determinant] = axes_of(call);
    LONG xs[] = { p[0].x, p[1].x, p[2].x, p[1].x + p[2].x - p[0].x };
    LONG ys[] = { p[0].y, p[1].y, p[2].y, p[1].y + p[2].y - p[0].y };
    LONG last_y = std::min<LONG>(*std::max_element(ys, ys + 4), target.height - 1);
    LONG last_x = std::min<LONG>(*std::max_element(xs, xs + 4), target.width - 1);
    for (LONG y = std::max<LONG>(*std::min_element(ys, ys + 4), 0); y <= last_y; ++y) {
        for (LONG x = std::max<LONG>(*std::min_element(xs, xs + 4), 0); x <= last_x; ++x) {
            if (!clip.lets_through(x, y))
                continue;
            double px = x + 0.5 - p[0].x;
            double py = y + 0.5 - p[0].y;
            double u = (px * down_y - py * down_x) / determinant;
            double v = (across_x * py - across_y * px) / determinant;
            if (u < 0 || v < 0 || u >= call.width || v >= call.height)
                continue;
            int offset_x = static_cast<int>(u);
            int offset_y = static_cast<int>(v);
            if (mask) {
                int mx = mask_origin.x + offset_x;
                int my = mask_origin.y + offset_y;
                if (!mask->contains(mx, my) || !(mask->at(mx, my) & 0xFFFFFF))
                    continue;
            }
            uint32_t pixel = 0;
            if (source(call.source_x + offset_x, call.source_y + offset_y, pixel))
                target.at(x, y) = pixel;
        }
    }
    return target;
}

std::string describe(const PlgCall& call)
{
    std::string text = "parallelogram";
    for (const POINT& point : call.points)
        text += " " + std::to_string(point.x) + "," + std::to_string(point.y);
    return text + " from " + std::to_string(call.source_x) + "," + std::to_string(call.source_y) + " "
        + std::to_string(call.width) + "x" + std::to_string(call.height);
}

BOOL plg_blt(HDC target, HDC source, const PlgCall& call, HBITMAP mask = nullptr, POINT mask_origin = {})
{
    return PlgBlt(target, call.points, source, call.source_x, call.source_y, call.width, call.height, mask,
        mask_origin.x, mask_origin.y);
}

// Corners of a source rectangle turned, scaled and sheared about a point, or mirrored and zoomed
// as the reflection asks; the last corner left to chance now and then.
PlgCall random_plg_call(std::mt19937& random, int width, int height)
{
    PlgCall call {};
    call.width = random_between(random, 1, 30);
    call.height = random_between(random, 1, 30);
    call.source_x = random_between(random, -4, 10);
    call.source_y = random_between(random, -4, 10);
    double angle = random() % 3 ? random_between(random, 0, 359) * 3.14159265358979 / 180 : 0;
    double scale_x = random_between(random, -30, 30) / 10.0;
    double scale_y = random_between(random, -30, 30) / 10.0;
    double centre_x = random_between(random, -5, width + 5);
    double centre_y = random_between(random, -5, height + 5);
    auto corner = [&](double x, double y) {
        x *= scale_x;
        y *= scale_y;
        return POINT { static_cast<LONG>(std::lround(centre_x + x * std::cos(angle) - y * std::sin(angle))),
            static_cast<LONG>(std::lround(centre_y + x * std::sin(angle) + y * std::cos(angle))) };
    };
    double half_width = call.width / 2.0;
    double half_height = call.height / 2.0;
    call.points[0] = corner(-half_width, -half_height);
    call.points[1] = corner(half_width, -half_height);
    call.points[2] = corner(-half_width, half_height);
    if (random() % 8 == 0)
        call.points[2] = { random_between(random, -5, width + 5), random_between(random, -5, height + 5) };
    return call;
}

class BlitModel : public ::testing::Test {
protected:
    void SetUp() override { sim::driver::reset(); }

    // Makes random calls on fresh random pictures under random clips: make(random, width, height)
    // gives a call, expect(before, source, clip, call) the model's pixels, run(target, source, call)
    // makes the call. fill_source, when given, paints the source instead of random pixels.
    template<typename Make, typename Expect, typename Run>
    void check_random_calls(Canvas& source, Canvas& target, Make make, Expect expect, Run run,
        const std::function<void(Canvas&)>& fill_source = {})
    {
        for (int round = 0; round < 400; ++round) {
            if (fill_source)
                fill_source(source);
            else
                fill_random(source, m_random);
            fill_random(target, m_random);
            auto call = make(m_random, target.width(), target.height());
            Clip clip = random_clip(m_random, target.width(), target.height());
            Pixels source_pixels = pixels_of(source);
            Pixels expected = expect(pixels_of(target), read_of(source_pixels), clip, call);
            clip.select_into(target.dc());
            run(target.dc(), source.dc(), call);
            SelectClipRgn(target.dc(), nullptr);
            compare(expected, target, describe(call));
        }
    }

    std::mt19937 m_random { 20261209 };
};

}

TEST_F(BlitModel, AlphaBlendMatchesThePerPixelRuleOnRandomCalls)
{
    Canvas source(24, 19);
    Canvas target(37, 29);
    check_random_calls(source, target, random_blend_call, expected_alpha_blend, [](HDC to, HDC from, const BlendCall& call) {
        EXPECT_TRUE(alpha_blend(to, from, call)) << describe(call);
    });
}

TEST_F(BlitModel, AlphaBlendMatchesThePerPixelRuleWithinOneBitmapAndAtCameraSize)
{
    // Within one bitmap the source is read as it was before the blend began.
    Canvas canvas(40, 30);
    for (int round = 0; round < 50; ++round) {
        fill_random(canvas, m_random);
        BlendCall call = random_blend_call(m_random, canvas.width(), canvas.height());
        Pixels before = pixels_of(canvas);
        Pixels expected = expected_alpha_blend(before, read_of(before), Clip { { 0, 0, 40, 30 }, {} }, call);
        EXPECT_TRUE(alpha_blend(canvas.dc(), canvas.dc(), call)) << describe(call);
        compare(expected, canvas, "within one bitmap, " + describe(call));
    }
    // The reflection's blend: a caption image over a whole frame, at every opacity the slider gives.
    Canvas caption(320, 240);
    Canvas frame(320, 240);
    fill_random(caption, m_random);
    Pixels caption_pixels = pixels_of(caption);
    for (int constant = 0; constant <= 255; constant += 17) {
        fill_random(frame, m_random);
        BlendCall call { 0, 0, 320, 240, 0, 0, 320, 240, { AC_SRC_OVER, 0, static_cast<BYTE>(constant), 0 } };
        Pixels expected = expected_alpha_blend(pixels_of(frame), read_of(caption_pixels), Clip { { 0, 0, 320, 240 }, {} }, call);
        alpha_blend(frame.dc(), caption.dc(), call);
        compare(expected, frame, describe(call));
    }
}

TEST_F(BlitModel, StretchBltAndTransparentBltMatchThePerPixelRuleMirroredOrNot)
{
    // A source of few colours, so that the key colour is often met.
    Canvas source(23, 17);
    Canvas target(35, 27);
    static const uint32_t colours[] = { 0x00102030, 0xFF102030, 0x80405060, 0x00708090, 0x12345678 };
    auto fill_source = [&](Canvas& canvas) {
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x)
                canvas.set_raw(x, y, colours[m_random() % std::size(colours)]);
        }
    };
    check_random_calls(
        source, target, random_stretch_call, expected_stretch,
        [](HDC to, HDC from, const StretchCall& call) { EXPECT_TRUE(stretch(to, from, call)) << describe(call); },
        fill_source);
}

TEST_F(BlitModel, AlphaBlendFromAMonochromeSourceTakesTheTargetsColours)
{
    HDC mono_dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(16, 9, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(mono_dc, mono);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 16; ++x)
            SetPixelV(mono_dc, x, y, (x * 7 + y * 3) % 5 < 2 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
    Canvas target(20, 12);
    SetTextColor(target.dc(), RGB(10, 200, 30));
    SetBkColor(target.dc(), RGB(250, 40, 90));
    SourceRead read_mono = [&](int x, int y, uint32_t& pixel) {
        if (x < 0 || y < 0 || x >= 16 || y >= 9)
            return false;
        COLORREF color = GetPixel(mono_dc, x, y) ? GetBkColor(target.dc()) : GetTextColor(target.dc());
        pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        return true;
    };
    for (int round = 0; round < 40; ++round) {
        fill_random(target, m_random);
        BlendCall call = random_blend_call(m_random, target.width(), target.height());
        Pixels expected = expected_alpha_blend(pixels_of(target), read_mono, Clip { { 0, 0, 20, 12 }, {} }, call);
        alpha_blend(target.dc(), mono_dc, call);
        compare(expected, target, "monochrome, " + describe(call));
    }
    SelectObject(mono_dc, old);
    DeleteObject(mono);
    DeleteDC(mono_dc);
}

TEST_F(BlitModel, PlgBltMatchesThePerPixelRuleOnRandomParallelograms)
{
    Canvas source(26, 21);
    Canvas target(41, 33);
    auto expect = [](const Pixels& before, const SourceRead& read, const Clip& clip, const PlgCall& call) {
        return expected_plg_blt(before, read, clip, call);
    };
    check_random_calls(source, target, random_plg_call, expect, [](HDC to, HDC from, const PlgCall& call) {
        EXPECT_EQ(plg_blt(to, from, call), is_flat(call) ? FALSE : TRUE) << describe(call);
    });
}

TEST_F(BlitModel, PlgBltMatchesThePerPixelRuleForTheReflectionsMirrorAndZooms)
{
    Canvas source(320, 240);
    fill_random(source, m_random);
    Pixels source_pixels = pixels_of(source);
    Canvas target(320, 240);
    // The mirror at zoom 45, the corners zoom 60 and 86 give, and a 321-pixel frame's mirror.
    PlgCall calls[] = { { { { 320, 0 }, { 0, 0 }, { 320, 240 } }, 0, 0, 320, 240 },
        { { { 437, -88 }, { -117, -88 }, { 437, 328 } }, 0, 0, 320, 240 },
        { { { 4742, -3276 }, { -4422, -3276 }, { 4742, 3516 } }, 0, 0, 320, 240 },
        { { { 320, 0 }, { 0, 0 }, { 320, 240 } }, 0, 0, 321, 240 } };
    for (const PlgCall& call : calls) {
        fill_random(target, m_random);
        Pixels expected = expected_plg_blt(pixels_of(target), read_of(source_pixels), Clip { { 0, 0, 320, 240 }, {} }, call);
        EXPECT_TRUE(plg_blt(target.dc(), source.dc(), call)) << describe(call);
        compare(expected, target, describe(call));
    }
}

TEST_F(BlitModel, PlgBltWithAMaskAndBothBlendsOnAFramedWindowMeasureFromItsClientArea)
{
    // A framed window's DC starts inside its surface; its client area is what may change.
    HWND hwnd = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 60, 50, nullptr,
        nullptr, nullptr, nullptr);
    RECT client {};
    GetClientRect(hwnd, &client);
    HDC window_dc = GetDC(hwnd);
    Canvas readback(client.right, client.bottom);
    Canvas source(22, 17);
    Canvas mask_canvas(22, 17);
    HBITMAP mask = CreateBitmap(22, 17, 1, 1, nullptr);
    HDC mask_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old_mask = SelectObject(mask_dc, mask);
    auto window_pixels = [&] {
        BitBlt(readback.dc(), 0, 0, client.right, client.bottom, window_dc, 0, 0, SRCCOPY);
        return pixels_of(readback);
    };
    auto check_window = [&](const Pixels& expected, const std::string& what) {
        window_pixels();
        compare(expected, readback, what);
    };
    for (int round = 0; round < 60; ++round) {
        fill_random(source, m_random);
        fill_random(readback, m_random);
        BitBlt(window_dc, 0, 0, client.right, client.bottom, readback.dc(), 0, 0, SRCCOPY);
        Pixels source_pixels = pixels_of(source);
        Clip clip = random_clip(m_random, client.right, client.bottom);
        clip.select_into(window_dc);
        if (round % 3 == 0) {
            BlendCall call = random_blend_call(m_random, client.right, client.bottom);
            Pixels expected = expected_alpha_blend(window_pixels(), read_of(source_pixels), clip, call);
            alpha_blend(window_dc, source.dc(), call);
            SelectClipRgn(window_dc, nullptr);
            check_window(expected, "window, " + describe(call));
            continue;
        }
        PlgCall call = random_plg_call(m_random, client.right, client.bottom);
        bool is_masked = round % 3 == 1;
        POINT mask_origin { random_between(m_random, -3, 6), random_between(m_random, -3, 6) };
        Pixels mask_pixels {};
        if (is_masked) {
            for (int y = 0; y < 17; ++y) {
                for (int x = 0; x < 22; ++x)
                    SetPixelV(mask_dc, x, y, m_random() % 3 ? RGB(255, 255, 255) : RGB(0, 0, 0));
            }
            BitBlt(mask_canvas.dc(), 0, 0, 22, 17, mask_dc, 0, 0, SRCCOPY);
            mask_pixels = pixels_of(mask_canvas);
        }
        Pixels expected = expected_plg_blt(window_pixels(), read_of(source_pixels), clip, call,
            is_masked ? &mask_pixels : nullptr, mask_origin);
        plg_blt(window_dc, source.dc(), call, is_masked ? mask : nullptr, mask_origin);
        SelectClipRgn(window_dc, nullptr);
        check_window(expected, std::string(is_masked ? "masked, " : "window, ") + describe(call));
    }
    SelectObject(mask_dc, old_mask);
    DeleteDC(mask_dc);
    DeleteObject(mask);
    ReleaseDC(hwnd, window_dc);
    DestroyWindow(hwnd);
}
