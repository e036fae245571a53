// user32: message numbers registered by name (RegisterWindowMessageA), shared by every process of
// the desktop as on Windows: the same name, in any letter case, gives the same number.
#include "platform/api/user.h"

#include "platform/sim/desktop.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/letter_case.h"
#include "platform/sim/user/process_faults.h"

#include <map>
#include <string>

namespace {

// Windows hands these numbers out from 0xC000 up to 0xFFFF.
constexpr UINT FirstRegisteredMessage = 0xC000;
constexpr UINT LastRegisteredMessage = 0xFFFF;

std::map<std::string, UINT>& registered_messages()
{
    static std::map<std::string, UINT> messages;
    return messages;
}

const bool forgets_on_reset = (sim::on_reset([] { registered_messages().clear(); }), true);

}

UINT WINAPI RegisterWindowMessageA(LPCSTR lpString)
{
    sim::ApiCall api_call;
    if (!lpString || !*lpString)
        return sim::fail(ERROR_INVALID_PARAMETER, 0u);
    auto& messages = registered_messages();
    std::string key = sim::folded_case(lpString);
    if (auto known = messages.find(key); known != messages.end())
        return known->second;
    UINT next = FirstRegisteredMessage + static_cast<UINT>(messages.size());
    if (next > LastRegisteredMessage)
        return sim::fail(ERROR_NOT_ENOUGH_MEMORY, 0u);
    messages.emplace(std::move(key), next);
    return next;
}
