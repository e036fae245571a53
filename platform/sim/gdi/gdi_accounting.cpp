#include "platform/sim/gdi/gdi_accounting.h"

#include "platform/sim/desktop.h"
#include "platform/sim/gdi/bitmap.h"
#include "platform/sim/user/process_table.h"
#include "platform/sim/user/window_tree.h"

#include <map>
#include <unordered_map>
#include <deque>
#include <vector>
#include <unordered_set>

namespace sim {

namespace {

struct Holder {
    uint32_t process_id = 0;
    Holding holding = Holding::GdiObject;
    // The memory of a bitmap's pixels; a bitmap keeps its size for its whole life.
    int64_t bitmap_bytes = 0;
};

// How many freed handles are remembered for telling a second free: a double free follows its first
// soon, and an unbounded memory would grow with every object a long run makes.
constexpr size_t remembered_frees = 16384;

struct Ledger {
    std::unordered_map<uintptr_t, Holder> holders;
    std::unordered_set<uintptr_t> freed;
    std::deque<uintptr_t> freed_in_order;
    std::map<uint32_t, GdiAccount> accounts;
    std::map<uintptr_t, uint32_t> gdiplus_tokens;
    int quota = gdi_object_quota;
};

Ledger& ledger()
{
    static Ledger instance;
    return instance;
}

const bool forgets_on_reset = (on_reset([] { ledger() = Ledger {}; }), true);

int64_t bitmap_bytes_of(const Object& object)
{
    auto* bitmap = dynamic_cast<const Bitmap*>(&object);
    return bitmap ? static_cast<int64_t>(bitmap->size_in_bytes()) : 0;
}

void count(const Holder& holder, int change)
{
    auto& account = ledger().accounts[holder.process_id];
    account.bitmap_bytes += change * holder.bitmap_bytes;
    switch (holder.holding) {
    case Holding::WindowDc:
        account.window_dcs += change;
        account.objects += change;
        return;
    case Holding::GdiObject:
        account.objects += change;
        return;
    case Holding::UserObject:
        account.user_objects += change;
        return;
    }
}

}

void set_gdi_object_quota(int quota)
{
    ledger().quota = quota;
}

uintptr_t add_counted_object(std::unique_ptr<Object> object, Holding holding)
{
    Holder holder {current_process_id(), holding, bitmap_bytes_of(*object)};
    if (holding != Holding::UserObject && ledger().accounts[holder.process_id].objects >= ledger().quota)
        return 0;
    uintptr_t handle = handles().add(std::move(object));
    ledger().freed.erase(handle);
    ledger().holders[handle] = holder;
    count(holder, +1);
    return handle;
}

void remove_counted_object(uintptr_t handle)
{
    handles().remove(handle);
    auto found = ledger().holders.find(handle);
    if (found == ledger().holders.end())
        return;
    count(found->second, -1);
    ledger().holders.erase(found);
    if (!ledger().freed.insert(handle).second)
        return;
    ledger().freed_in_order.push_back(handle);
    if (ledger().freed_in_order.size() > remembered_frees) {
        ledger().freed.erase(ledger().freed_in_order.front());
        ledger().freed_in_order.pop_front();
    }
}

void release_objects_of(uint32_t process_id)
{
    std::vector<uintptr_t> held;
    for (auto& [handle, holder] : ledger().holders) {
        if (holder.process_id == process_id)
            held.push_back(handle);
    }
    for (uintptr_t handle : held) {
        handles().remove(handle);
        ledger().holders.erase(handle);
    }
}

void note_failed_delete(uintptr_t handle)
{
    if (!handles().contains(handle) && ledger().freed.count(handle))
        ++ledger().accounts[current_process_id()].double_frees;
}

void note_gdiplus_startup(uintptr_t token)
{
    uint32_t process_id = current_process_id();
    ledger().gdiplus_tokens[token] = process_id;
    ++ledger().accounts[process_id].gdiplus_startups;
}

bool note_gdiplus_shutdown(uintptr_t token)
{
    auto found = ledger().gdiplus_tokens.find(token);
    if (found == ledger().gdiplus_tokens.end())
        return false;
    --ledger().accounts[found->second].gdiplus_startups;
    ledger().gdiplus_tokens.erase(found);
    return true;
}

bool is_gdiplus_started()
{
    auto found = ledger().accounts.find(current_process_id());
    return found != ledger().accounts.end() && found->second.gdiplus_startups > 0;
}

GdiAccount gdi_account(uint32_t process_id)
{
    auto found = ledger().accounts.find(process_id);
    GdiAccount account = found == ledger().accounts.end() ? GdiAccount {} : found->second;
    handles().for_each([&](uintptr_t, Object& object) {
        auto* window = dynamic_cast<Window*>(&object);
        if (window && window->process_id == process_id && !is_desktop(window->handle))
            ++account.user_objects;
    });
    return account;
}

}
