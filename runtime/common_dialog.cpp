#include "runtime/common_dialog.h"

#include "runtime/error.h"
#include "runtime/form.h"

#include <cstring>

namespace runtime {

CommonDialog::CommonDialog(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
    m_is_visible = false;
}

void CommonDialog::cancelled()
{
    if (m_is_cancel_error)
        raise(ErrCancelled, "Cancel was selected.");
}

void CommonDialog::ShowColor()
{
    static COLORREF custom_colours[16] = {};
    CHOOSECOLORA choose;
    std::memset(&choose, 0, sizeof choose);
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = form().hWnd();
    choose.rgbResult = static_cast<COLORREF>(m_color & 0xFFFFFF);
    choose.lpCustColors = custom_colours;
    choose.Flags = static_cast<DWORD>(m_flags) | CC_RGBINIT;
    if (!ChooseColorA(&choose))
        return cancelled();
    m_color = static_cast<long>(choose.rgbResult & 0xFFFFFF);
}

}
