// Text output and measurement: TextOutA, ExtTextOutA, GetTextExtentPoint32A, GetTextMetricsA.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/gdi/painter.h"
#include "platform/sim/gdi/text_painter.h"
#include "platform/sim/user/process_faults.h"

#include <cstring>

using namespace sim;

namespace {

std::string_view text_of(LPCSTR text, int count)
{
    if (!text)
        return {};
    return std::string_view(text, count < 0 ? std::strlen(text) : static_cast<size_t>(count));
}

// The run's top-left corner for a reference point and the DC's alignment.
POINT aligned_position(UINT align, POINT reference, int width, ScaledFont& font)
{
    POINT position = reference;
    if ((align & TA_CENTER) == TA_CENTER)
        position.x -= width / 2;
    else if (align & TA_RIGHT)
        position.x -= width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        position.y -= font.ascent();
    else if (align & TA_BOTTOM)
        position.y -= font.height();
    return position;
}

BOOL text_out(HDC handle, int x, int y, UINT options, const RECT* rect, std::string_view bytes, const INT* advances)
{
    auto* dc = find_dc(handle);
    if (!dc)
        return FALSE;
    ScaledFont* font = selected_font(*dc);
    if (!font)
        return FALSE;
    std::u32string text = decode_ansi(bytes);
    std::span<const INT> custom;
    if (advances)
        custom = std::span(advances, text.size());
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i)
        width += advances ? advances[i] : font->advance_of(text[i]);
    bool updates_position = dc->state.text_align & TA_UPDATECP;
    POINT reference = updates_position ? dc->state.position : POINT { x, y };
    TextRun run { text, aligned_position(dc->state.text_align, reference, width, *font), custom, std::nullopt, -1 };
    if (rect && (options & ETO_OPAQUE)) {
        auto target = draw_target(*dc);
        uint32_t background = gdi_pixel(dc->state.background_color);
        if (target)
            paint_rect(target, *rect, [&](uint32_t& pixel) { pixel = background; });
    }
    if (rect && (options & ETO_CLIPPED))
        run.limit = *rect;
    draw_text_run(*dc, *font, run);
    // The current position moves past left- and right-aligned text; centred text leaves it.
    UINT horizontal = dc->state.text_align & TA_CENTER;
    if (updates_position && horizontal == TA_LEFT)
        dc->state.position.x += width;
    if (updates_position && horizontal == TA_RIGHT)
        dc->state.position.x -= width;
    return TRUE;
}

}

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count)
{
    sim::ApiCall api_call;
    return text_out(dc, x, y, 0, nullptr, text_of(text, count), nullptr);
}

BOOL WINAPI ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* advances)
{
    sim::ApiCall api_call;
    return text_out(dc, x, y, options, rect, text_of(text, static_cast<int>(count)), advances);
}

BOOL WINAPI GetTextExtentPoint32A(HDC handle, LPCSTR text, int count, LPSIZE size)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !size || count < 0 || (!text && count > 0))
        return FALSE;
    ScaledFont* font = selected_font(*dc);
    if (!font)
        return FALSE;
    // No characters measure nothing, not even the line's height.
    std::string_view measured = text_of(text, count);
    size->cx = measured.empty() ? 0 : text_width(*font, decode_ansi(measured));
    size->cy = measured.empty() ? 0 : font->height();
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC handle, LPTEXTMETRICA metrics)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc || !metrics)
        return FALSE;
    ScaledFont* font = selected_font(*dc);
    if (!font)
        return FALSE;
    auto& description = font->description();
    *metrics = {};
    metrics->tmHeight = font->height();
    metrics->tmAscent = font->ascent();
    metrics->tmDescent = font->descent();
    metrics->tmInternalLeading = font->height() - font->em_size();
    metrics->tmAveCharWidth = font->average_width();
    metrics->tmMaxCharWidth = font->max_width();
    metrics->tmWeight = description.lfWeight ? description.lfWeight : FW_NORMAL;
    metrics->tmDigitizedAspectX = 96;
    metrics->tmDigitizedAspectY = 96;
    metrics->tmFirstChar = 0x20;
    metrics->tmLastChar = 0xFF;
    metrics->tmDefaultChar = 0x1F;
    metrics->tmBreakChar = 0x20;
    metrics->tmItalic = description.lfItalic;
    metrics->tmUnderlined = description.lfUnderline;
    metrics->tmStruckOut = description.lfStrikeOut;
    // The low bit set means a variable pitch, as Windows reports it.
    bool is_fixed = (description.lfPitchAndFamily & 0x03) == FIXED_PITCH;
    metrics->tmPitchAndFamily = static_cast<BYTE>((is_fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS);
    metrics->tmCharSet = description.lfCharSet;
    return TRUE;
}

int WINAPI GetTextFaceA(HDC handle, int count, LPSTR name)
{
    sim::ApiCall api_call;
    auto* dc = find_dc(handle);
    if (!dc)
        return 0;
    auto* font = find_object<Font>(dc->state.font);
    const char* face = (font ? font->description : default_font().description).lfFaceName;
    int length = static_cast<int>(std::strlen(face));
    if (!name)
        return length + 1;
    if (count <= 0)
        return 0;
    int copied = std::min(length, count - 1);
    std::memcpy(name, face, copied);
    name[copied] = 0;
    return copied;
}
