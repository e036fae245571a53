// frmWinMgr: the window manager. List1 shows the adopted windows' titles, List2 holds their
// handles as text in the same rows, outside the visible area.
#pragma once

#include "runtime/forms.h"

#include <string_view>

class frmWinMgr : public runtime::Form {
public:
    explicit frmWinMgr(runtime::Program& program);

    runtime::ListBox List1 { *this, "List1" };
    runtime::ListBox List2 { *this, "List2" };

    // The first row whose title equals the text ignoring case, or -1.
    int row_with_title(std::string_view title) const;
    void remove_row(int row);
    void append_row(const std::string& title, const std::string& handle);
};
