#include "platform/sim/kernel/kernel_object.h"

#include "platform/sim/kernel/desktop_link.h"

#include <vector>

namespace sim {

uintptr_t add_kernel_object(std::unique_ptr<KernelObject> object)
{
    object->owner_process = kernel::current_process_id();
    return handles().add(std::move(object));
}

void close_process_handles(uint32_t process_id)
{
    std::vector<uintptr_t> owned;
    handles().for_each([&](uintptr_t handle, Object& object) {
        auto* kernel_object = dynamic_cast<KernelObject*>(&object);
        if (kernel_object && kernel_object->owner_process == process_id)
            owned.push_back(handle);
    });
    for (auto handle : owned)
        handles().remove(handle);
}

}
