#include "runtime/clipboard_object.h"

#include "runtime/gdi_helpers.h"

namespace runtime {

StdPicture ClipboardObject::GetData() const
{
    if (!OpenClipboard(nullptr))
        return {};
    StdPicture picture;
    // The clipboard keeps its bitmap; the caller gets a copy that lives on after the next change.
    if (IsClipboardFormatAvailable(CF_BITMAP)) {
        auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
        picture = StdPicture::from_bitmap(bitmap, false).copy();
    }
    CloseClipboard();
    return picture;
}

void ClipboardObject::SetData(const StdPicture& picture)
{
    if (picture.is_empty())
        return;
    // The clipboard takes the bitmap over, so it gets one of its own that nothing else deletes.
    HBITMAP bitmap = create_dib_section(picture.width_pixels(), picture.height_pixels());
    if (!bitmap)
        return;
    {
        SelectedBitmap target(bitmap);
        picture.draw(target.dc(), 0, 0, picture.width_pixels(), picture.height_pixels());
    }
    if (!OpenClipboard(nullptr)) {
        DeleteObject(bitmap);
        return;
    }
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
}

void ClipboardObject::Clear()
{
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    CloseClipboard();
}

}
