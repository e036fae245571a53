// What the program holds of the simulated GDI at a moment: its GDI objects (pens, brushes, fonts,
// regions, bitmaps, device contexts, stock objects left out) and the screen contexts not released.
#pragma once

#include "platform/sim/gdi/device_context.h"
#include "platform/sim/gdi/gdi_objects.h"

inline int gdi_object_count()
{
    int count = 0;
    sim::handles().for_each([&](uintptr_t, const sim::Object& object) {
        if (auto* gdi = dynamic_cast<const sim::GdiObject*>(&object))
            count += gdi->is_stock() ? 0 : 1;
        else if (dynamic_cast<const sim::Bitmap*>(&object) || dynamic_cast<const sim::DeviceContext*>(&object))
            ++count;
    });
    return count;
}

inline int screen_dc_count()
{
    int count = 0;
    sim::handles().for_each([&](uintptr_t, const sim::Object& object) {
        auto* dc = dynamic_cast<const sim::DeviceContext*>(&object);
        count += dc && dc->kind == sim::DeviceContext::Kind::Screen ? 1 : 0;
    });
    return count;
}
