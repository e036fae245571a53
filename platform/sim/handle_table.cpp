#include "platform/sim/handle_table.h"

#include "platform/sim/desktop.h"

namespace sim {

uintptr_t HandleTable::add(std::unique_ptr<Object> object)
{
    while (contains(m_next))
        m_next += step;
    uintptr_t handle = m_next;
    m_next += step;
    m_index.emplace(handle, object.get());
    m_objects.emplace(handle, std::move(object));
    return handle;
}

uintptr_t HandleTable::add_at(uintptr_t handle, std::unique_ptr<Object> object)
{
    if (handle == 0 || contains(handle))
        return add(std::move(object));
    m_index.emplace(handle, object.get());
    m_objects.emplace(handle, std::move(object));
    return handle;
}

std::unique_ptr<Object> HandleTable::remove(uintptr_t handle)
{
    auto it = m_objects.find(handle);
    if (it == m_objects.end())
        return nullptr;
    auto object = std::move(it->second);
    m_objects.erase(it);
    m_index.erase(handle);
    return object;
}

void HandleTable::clear()
{
    m_objects.clear();
    m_index.clear();
    m_next = first_handle;
}

HandleTable& handles()
{
    static HandleTable table;
    ensure_desktop();
    return table;
}

}
