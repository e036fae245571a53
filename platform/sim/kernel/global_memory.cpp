#include "platform/sim/kernel/global_memory.h"

#include "platform/api/kernel.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    sim::ApiCall api_call;
    auto memory = std::make_unique<sim::GlobalMemory>();
    // Every block starts zeroed, whether GMEM_ZEROINIT asks for it or not, so runs repeat.
    (void)uFlags;
    memory->bytes.assign(dwBytes, 0);
    return reinterpret_cast<HGLOBAL>(sim::handles().add(std::move(memory)));
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem)
{
    sim::ApiCall api_call;
    auto* memory = sim::handles().find<sim::GlobalMemory>(hMem);
    if (!memory)
        return sim::fail(ERROR_INVALID_HANDLE, LPVOID {});
    ++memory->lock_count;
    // A block of no bytes still has an address to hand out.
    if (memory->bytes.empty())
        memory->bytes.reserve(1);
    return memory->bytes.data();
}

BOOL WINAPI GlobalUnlock(HGLOBAL hMem)
{
    sim::ApiCall api_call;
    auto* memory = sim::handles().find<sim::GlobalMemory>(hMem);
    if (!memory)
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    if (memory->lock_count == 0)
        return sim::fail(ERROR_NOT_LOCKED, FALSE);
    --memory->lock_count;
    SetLastError(ERROR_SUCCESS);
    return memory->lock_count > 0 ? TRUE : FALSE;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem)
{
    sim::ApiCall api_call;
    if (!sim::handles().find<sim::GlobalMemory>(hMem))
        return sim::fail(ERROR_INVALID_HANDLE, hMem);
    sim::handles().remove(hMem);
    return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL hMem)
{
    sim::ApiCall api_call;
    auto* memory = sim::handles().find<sim::GlobalMemory>(hMem);
    if (!memory)
        return sim::fail(ERROR_INVALID_HANDLE, SIZE_T { 0 });
    return memory->bytes.size();
}
