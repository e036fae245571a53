#include "runtime/drawing_tools.h"

#include <algorithm>

namespace runtime {

DrawingTools::~DrawingTools()
{
    while (!m_selections.empty())
        detach(m_selections.back().dc);
    delete_tools();
}

void DrawingTools::select_into(HDC dc, const DrawingSettings& settings)
{
    if (!dc)
        return;
    if (!m_pen || settings != m_settings) {
        HPEN old_pen = m_pen;
        HBRUSH old_brush = m_brush;
        make_tools(settings);
        // The old tools are deleted only once no context carries them any more.
        for (const Selection& selection : m_selections) {
            SelectObject(selection.dc, m_pen);
            SelectObject(selection.dc, m_brush);
        }
        if (old_pen)
            DeleteObject(old_pen);
        if (old_brush)
            DeleteObject(old_brush);
    }
    HGDIOBJ previous_pen = SelectObject(dc, m_pen);
    HGDIOBJ previous_brush = SelectObject(dc, m_brush);
    bool is_known = std::any_of(m_selections.begin(), m_selections.end(), [&](const Selection& s) { return s.dc == dc; });
    if (!is_known)
        m_selections.push_back({ dc, previous_pen, previous_brush });
}

void DrawingTools::detach(HDC dc)
{
    auto found = std::find_if(m_selections.begin(), m_selections.end(), [&](const Selection& s) { return s.dc == dc; });
    if (found == m_selections.end())
        return;
    SelectObject(dc, found->original_pen);
    SelectObject(dc, found->original_brush);
    m_selections.erase(found);
}

namespace {

// A thin black or white pen is the system's own, which draws the same as one made for the canvas:
// most canvases keep the default colours, and a program with many of them holds no pen for each.
HPEN stock_pen(const DrawingSettings& settings)
{
    if (settings.pen_width != 1)
        return nullptr;
    if (settings.pen_colour == RGB(0, 0, 0))
        return static_cast<HPEN>(GetStockObject(BLACK_PEN));
    if (settings.pen_colour == RGB(255, 255, 255))
        return static_cast<HPEN>(GetStockObject(WHITE_PEN));
    return nullptr;
}

}

void DrawingTools::make_tools(const DrawingSettings& settings)
{
    m_settings = settings;
    m_pen = stock_pen(settings);
    if (!m_pen)
        m_pen = CreatePen(PS_SOLID, settings.pen_width, settings.pen_colour);
    // The transparent brush is a stock object, which deleting leaves alone.
    m_brush = settings.is_filled ? CreateSolidBrush(settings.fill_colour) : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void DrawingTools::delete_tools()
{
    if (m_pen)
        DeleteObject(m_pen);
    if (m_brush)
        DeleteObject(m_brush);
    m_pen = nullptr;
    m_brush = nullptr;
}

}
