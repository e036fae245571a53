#include "runtime/rich_text_box.h"

#include "runtime/colour.h"
#include "runtime/gdi_helpers.h"

namespace runtime {

namespace {

// The blank between the border and the text.
constexpr int text_margin = 2;

}

std::string plain_text_from_rtf(std::string_view rtf)
{
    return read_rich_text(rtf).plain_text();
}

RichTextBox::RichTextBox(Container& container, std::string name, int index)
    : ScrollingControl(container, std::move(name), index)
{
}

void RichTextBox::TextRTF(std::string rtf)
{
    set_document(read_rich_text(rtf));
    m_rtf = std::move(rtf);
}

void RichTextBox::Text(std::string text)
{
    set_document(read_rich_text(text));
    m_rtf = "{\\rtf1 " + m_text + "}";
}

void RichTextBox::set_document(RichTextDocument document)
{
    m_document = std::move(document);
    m_text = m_document.plain_text();
    m_layout.reset();
    scroller().scroll_to(0);
    invalidate();
}

void RichTextBox::BackColor(long colour)
{
    m_back_color = colour;
    invalidate();
}

void RichTextBox::geometry_changed()
{
    m_layout.reset();
    ScrollingControl::geometry_changed();
}

void RichTextBox::text_layout_changed()
{
    m_layout.reset();
    m_fonts.reset();
}

int RichTextBox::text_width(bool with_bar) const
{
    RECT box = scroll_box();
    int width = box.right - box.left - 2 * text_margin;
    if (with_bar)
        width -= GetSystemMetrics(SM_CXVSCROLL);
    return width;
}

// The text is laid out for the full width first; when it does not fit the box, again beside the bar.
const RichTextLayout& RichTextBox::layout()
{
    if (m_layout)
        return *m_layout;
    if (!m_fonts)
        m_fonts.emplace(m_font.Name);
    SelectedBitmap measure(nullptr);
    RECT box = scroll_box();
    int page = box.bottom - box.top - 2 * text_margin;
    m_layout = lay_out_rich_text(measure.dc(), *m_fonts, m_document, text_width(false));
    m_is_laid_out_with_bar = m_layout->height > page;
    if (m_is_laid_out_with_bar)
        m_layout = lay_out_rich_text(measure.dc(), *m_fonts, m_document, text_width(true));
    return *m_layout;
}

void RichTextBox::measure_content(Scroller& scroller)
{
    RECT box = scroll_box();
    int page = std::max(1, static_cast<int>(box.bottom - box.top) - 2 * text_margin);
    const RichTextLayout& lines = layout();
    scroller.set_extent(lines.height, page);
    int line_height = lines.lines.empty() ? font_pixel_height(m_font.Size) : lines.lines.front().height;
    scroller.set_line_step(line_height);
}

void RichTextBox::paint(HDC dc)
{
    RECT rect { 0, 0, pixel_width(), pixel_height() };
    fill_rect(dc, rect, to_colorref(m_back_color));
    RECT box = scroll_box();
    Scroller& view = scroller();
    const RichTextLayout& lines = layout();
    RECT content = view.content_rect(box);
    RECT text { content.left + text_margin, content.top + text_margin, content.right - text_margin, content.bottom - text_margin };
    paint_rich_text(dc, *m_fonts, lines, text, view.position());
    view.paint(dc, box);
    DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
}

}
