// Creating pens, brushes and fonts.
#include "platform/api/gdi.h"

#include "platform/sim/gdi/gdi_accounting.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/user/process_faults.h"

#include <cstring>

using namespace sim;

HPEN WINAPI CreatePen(int style, int width, COLORREF color)
{
    sim::ApiCall api_call;
    int kind = style & PS_STYLE_MASK;
    if (kind > PS_INSIDEFRAME)
        return nullptr;
    auto pen = std::make_unique<Pen>();
    pen->style = style;
    pen->width = width;
    pen->color = color & 0xFFFFFF;
    return reinterpret_cast<HPEN>(add_counted_object(std::move(pen)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    sim::ApiCall api_call;
    auto brush = std::make_unique<Brush>();
    brush->color = color & 0xFFFFFF;
    return reinterpret_cast<HBRUSH>(add_counted_object(std::move(brush)));
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* description)
{
    sim::ApiCall api_call;
    if (!description)
        return nullptr;
    auto font = std::make_unique<Font>();
    font->description = *description;
    font->description.lfFaceName[LF_FACESIZE - 1] = 0;
    return reinterpret_cast<HFONT>(add_counted_object(std::move(font)));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
    DWORD underline, DWORD strike_out, DWORD charset, DWORD output_precision, DWORD clip_precision, DWORD quality,
    DWORD pitch_and_family, LPCSTR face)
{
    sim::ApiCall api_call;
    LOGFONTA description {};
    description.lfHeight = height;
    description.lfWidth = width;
    description.lfEscapement = escapement;
    description.lfOrientation = orientation;
    description.lfWeight = weight;
    description.lfItalic = static_cast<BYTE>(italic);
    description.lfUnderline = static_cast<BYTE>(underline);
    description.lfStrikeOut = static_cast<BYTE>(strike_out);
    description.lfCharSet = static_cast<BYTE>(charset);
    description.lfOutPrecision = static_cast<BYTE>(output_precision);
    description.lfClipPrecision = static_cast<BYTE>(clip_precision);
    description.lfQuality = static_cast<BYTE>(quality);
    description.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    if (face)
        std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}
