// The driver's read-back of what a process holds of the window system's objects.
#include "platform/sim/driver.h"

#include "platform/sim/gdi/gdi_accounting.h"

namespace sim::driver {

ResourceUsage resource_usage(uint32_t process_id)
{
    GdiAccount account = gdi_account(process_id);
    ResourceUsage usage;
    usage.gdi_objects = account.objects;
    usage.bitmap_bytes = account.bitmap_bytes;
    usage.user_objects = account.user_objects;
    usage.screen_dcs = account.window_dcs;
    usage.gdiplus_startups = account.gdiplus_startups;
    usage.double_frees = account.double_frees;
    return usage;
}

}
