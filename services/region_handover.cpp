#include "services/region_handover.h"

bool give_region_to_window(HWND window, HRGN region)
{
    if (!region)
        return false;
    if (SetWindowRgn(window, region, TRUE))
        return true;
    DeleteObject(region);
    return false;
}
