// CommonDialog: the colour dialog of a form.
#pragma once

#include "runtime/control.h"

namespace runtime {

class CommonDialog : public Control {
public:
    CommonDialog(Container& container, std::string name, int index = -1);

    long Color() const { return m_color; }
    void Color(long colour) { m_color = colour; }
    long Flags() const { return m_flags; }
    void Flags(long flags) { m_flags = flags; }
    // With CancelError, a cancelled dialog raises ErrCancelled; otherwise it changes nothing.
    bool CancelError() const { return m_is_cancel_error; }
    void CancelError(bool cancel_error) { m_is_cancel_error = cancel_error; }

    // Opens the colour dialog at Color; OK makes the chosen colour the new Color.
    void ShowColor();

protected:
    bool is_windowed() const override { return false; }
    bool is_hit(POINT) const override { return false; }

private:
    void cancelled();

    long m_color = 0;
    long m_flags = 0;
    bool m_is_cancel_error = false;
};

}
