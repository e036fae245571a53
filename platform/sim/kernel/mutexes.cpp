// Mutexes. A named mutex lives as long as some handle to it is open; creating one whose name is
// taken opens the existing one and says so with ERROR_ALREADY_EXISTS, which is how a program
// finds out that another instance of it runs.
#include "platform/api/kernel.h"

#include "platform/sim/kernel/desktop_link.h"
#include "platform/sim/kernel/kernel_object.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

#include <map>
#include <memory>
#include <string>

namespace {

struct Mutex {
    std::string name;
    uint32_t owner_process = 0;
    bool is_owned = false;
    int recursion = 0;
};

// Kept alive to the very end, since handles still in the table at exit close after statics go.
std::map<std::string, std::weak_ptr<Mutex>>& named_mutexes()
{
    static auto* mutexes = new std::map<std::string, std::weak_ptr<Mutex>>;
    return *mutexes;
}

struct MutexHandle : sim::KernelObject {
    explicit MutexHandle(std::shared_ptr<Mutex> mutex)
        : mutex(std::move(mutex))
    {
    }
    ~MutexHandle() override
    {
        std::string name = mutex->name;
        mutex.reset();
        auto& mutexes = named_mutexes();
        auto it = mutexes.find(name);
        if (it != mutexes.end() && it->second.expired())
            mutexes.erase(it);
    }
    MutexHandle(const MutexHandle&) = delete;
    MutexHandle& operator=(const MutexHandle&) = delete;

    std::shared_ptr<Mutex> mutex;
};

HANDLE add_handle(std::shared_ptr<Mutex> mutex)
{
    return reinterpret_cast<HANDLE>(sim::add_kernel_object(std::make_unique<MutexHandle>(std::move(mutex))));
}

std::shared_ptr<Mutex> find_named(const std::string& name)
{
    auto& mutexes = named_mutexes();
    auto it = mutexes.find(name);
    if (it == mutexes.end())
        return nullptr;
    return it->second.lock();
}

}

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR lpName)
{
    sim::ApiCall api_call;
    std::string name = lpName ? lpName : "";
    if (!name.empty()) {
        if (auto existing = find_named(name)) {
            HANDLE handle = add_handle(std::move(existing));
            SetLastError(ERROR_ALREADY_EXISTS);
            return handle;
        }
    }
    auto mutex = std::make_shared<Mutex>();
    mutex->name = name;
    if (bInitialOwner) {
        mutex->is_owned = true;
        mutex->owner_process = sim::kernel::current_process_id();
        mutex->recursion = 1;
    }
    if (!name.empty())
        named_mutexes()[name] = mutex;
    HANDLE handle = add_handle(std::move(mutex));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

HANDLE WINAPI OpenMutexA(DWORD, BOOL, LPCSTR lpName)
{
    sim::ApiCall api_call;
    if (!lpName || !*lpName)
        return sim::fail(ERROR_INVALID_PARAMETER, HANDLE {});
    auto existing = find_named(lpName);
    if (!existing)
        return sim::fail(ERROR_FILE_NOT_FOUND, HANDLE {});
    return add_handle(std::move(existing));
}

BOOL WINAPI ReleaseMutex(HANDLE hMutex)
{
    sim::ApiCall api_call{sim::CallKind::release};
    auto* handle = sim::handles().find<MutexHandle>(hMutex);
    if (!handle)
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    auto& mutex = *handle->mutex;
    if (!mutex.is_owned || mutex.owner_process != sim::kernel::current_process_id())
        return sim::fail(ERROR_NOT_OWNER, FALSE);
    if (--mutex.recursion == 0)
        mutex.is_owned = false;
    return TRUE;
}
