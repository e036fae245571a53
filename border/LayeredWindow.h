// LayeredWindow: a per-pixel-alpha picture of a PNG file shown by a top-most layered form. The
// object owns a GDI+ start-up, a memory DC and the 32-bit DIB the picture is drawn into, and gives
// them all back exactly once, in UnloadPNGForm or when it is dropped.
#pragma once

#include "runtime/forms.h"

#include <string>

class LayeredWindow {
public:
    LayeredWindow();
    ~LayeredWindow();
    LayeredWindow(const LayeredWindow&) = delete;
    LayeredWindow& operator=(const LayeredWindow&) = delete;

    // Makes Frm a top-most layered window that shows the PNG file at pngPath with its own alpha;
    // false when the file gave no picture (the layer is then clear).
    bool MakeTrans(const std::string& pngPath, runtime::Form& Frm);
    // Releases the picture and shuts GDI+ down; a second call does nothing.
    void UnloadPNGForm();

private:
    void release_picture();

    HDC MemDC = nullptr;
    HBITMAP DibSection = nullptr;
    BLENDFUNCTION Blend {};
    ULONG_PTR GdipToken = 0;
    HGDIOBJ OldBitmap = nullptr;
    bool m_is_started = false;
};
