// The one table that maps the handles the simulated platform hands out to the objects behind them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>

namespace sim {

// Every object behind a handle derives from this.
struct Object {
    virtual ~Object() = default;
};

// Handles are allocated in order and never reused while the desktop lives, so a run is
// repeatable. A test can choose the value of the next handle (set_next) to build cases such as
// one handle's decimal text standing inside another's.
class HandleTable {
public:
    uintptr_t add(std::unique_ptr<Object> object);
    uintptr_t add_at(uintptr_t handle, std::unique_ptr<Object> object);

    template<typename T>
    T* find(uintptr_t handle) const
    {
        auto it = m_index.find(handle);
        if (it == m_index.end())
            return nullptr;
        return dynamic_cast<T*>(it->second);
    }
    template<typename T, typename Handle>
    T* find(Handle handle) const
    {
        return find<T>(reinterpret_cast<uintptr_t>(handle));
    }

    // Takes the object out of the table and hands it to the caller, who usually lets it go.
    std::unique_ptr<Object> remove(uintptr_t handle);
    template<typename Handle>
    std::unique_ptr<Object> remove(Handle handle) { return remove(reinterpret_cast<uintptr_t>(handle)); }

    bool contains(uintptr_t handle) const { return m_index.count(handle) != 0; }
    size_t size() const { return m_objects.size(); }
    void set_next(uintptr_t handle) { m_next = handle; }
    void clear();

    template<typename Visit>
    void for_each(Visit visit) const
    {
        for (auto& [handle, object] : m_objects)
            visit(handle, *object);
    }

private:
    static constexpr uintptr_t first_handle = 0x10010;
    static constexpr uintptr_t step = 4;

    // The objects in handle order, for visits; and the same objects by hash, so that finding one
    // costs the same however many there are.
    std::map<uintptr_t, std::unique_ptr<Object>> m_objects;
    std::unordered_map<uintptr_t, Object*> m_index;
    uintptr_t m_next = first_handle;
};

HandleTable& handles();

}
