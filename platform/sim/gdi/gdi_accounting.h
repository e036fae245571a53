// Who holds which GDI object: per-process counts, the Windows quota, window and screen DCs not
// released, GDI+ start-ups not shut down, and deletions of handles already freed.
#pragma once

#include "platform/sim/handle_table.h"

#include <cstdint>
#include <memory>

namespace sim {

// A process holds at most this many GDI objects; creating one more fails, as on Windows. A test
// may lower it for every process (until the next reset) to reach it with fewer objects.
constexpr int gdi_object_quota = 10000;
void set_gdi_object_quota(int quota);

// What a counted object is to its process. Window and screen DCs from the shared cache (GetDC,
// GetWindowDC, BeginPaint; not the DC of a window with a DC of its own) are GDI objects that are
// also counted apart; icons and cursors are user objects.
enum class Holding { GdiObject, WindowDc, UserObject };

// Puts an object into the handle table on behalf of the current process; 0 (and the object
// dropped) for a GDI object when that process already holds its quota.
uintptr_t add_counted_object(std::unique_ptr<Object> object, Holding holding = Holding::GdiObject);
// Takes a counted object out of the handle table and out of its process's count, and remembers
// the handle as freed.
void remove_counted_object(uintptr_t handle);
template<typename Handle>
void remove_counted_object(Handle handle)
{
    remove_counted_object(reinterpret_cast<uintptr_t>(handle));
}

// A deletion of a handle that names nothing: when it named a GDI object once, the current process
// freed it twice, which is recorded as a fault of that process.
void note_failed_delete(uintptr_t handle);
template<typename Handle>
void note_failed_delete(Handle handle)
{
    note_failed_delete(reinterpret_cast<uintptr_t>(handle));
}

// A process that ends gives every object it still holds back to the system. Its account keeps the
// counts it had at its end, so that a leak shows also after the end.
void release_objects_of(uint32_t process_id);

// GDI+ start-ups, by their token.
void note_gdiplus_startup(uintptr_t token);
// False for a token that names no start-up still running.
bool note_gdiplus_shutdown(uintptr_t token);
// GDI+ works in a process only between its start-up and shut-down there.
bool is_gdiplus_started();

// What a process holds: GDI objects (window DCs among them) and the bytes of the bitmaps among
// them, user objects (its windows, icons and cursors), GDI+ start-ups not shut down, and deletions
// of handles it had already freed.
// FIXME: menus are user objects on Windows but are not counted; the menu table keeps no owner.
struct GdiAccount {
    int objects = 0;
    int64_t bitmap_bytes = 0;
    int user_objects = 0;
    int window_dcs = 0;
    int gdiplus_startups = 0;
    int double_frees = 0;
};
GdiAccount gdi_account(uint32_t process_id);

}
