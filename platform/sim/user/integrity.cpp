#include "platform/sim/user/integrity.h"

#include "platform/api/kernel.h"
#include "platform/sim/user/process_table.h"

namespace sim {

bool is_above_caller(const Window& window)
{
    return is_process_elevated(window.process_id) && !is_process_elevated(current_process_id());
}

bool is_message_allowed_upwards(UINT message)
{
    switch (message) {
    case WM_NULL:
    case WM_MOVE:
    case WM_SIZE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETICON:
        return true;
    default:
        return false;
    }
}

bool is_message_blocked(const Window& window, UINT message)
{
    if (!is_above_caller(window) || is_message_allowed_upwards(message))
        return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

}
