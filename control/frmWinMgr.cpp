#include "control/frmWinMgr.h"

#include <algorithm>
#include <cctype>

namespace {

bool is_same_ignoring_case(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::toupper(x) == std::toupper(y);
    });
}

}

frmWinMgr::frmWinMgr(runtime::Program& program)
    : Form(program, "frmWinMgr")
{
    List1.Move(2040, 600, 4335, 6495);
    List2.Move(7200, 0, 1455, 1695);
}

int frmWinMgr::row_with_title(std::string_view title) const
{
    for (int row = 0; row < List1.ListCount(); ++row) {
        if (is_same_ignoring_case(List1.List(row), title))
            return row;
    }
    return -1;
}

void frmWinMgr::remove_row(int row)
{
    runtime::skip_on_error([&] { List1.RemoveItem(row); });
    runtime::skip_on_error([&] { List2.RemoveItem(row); });
}

void frmWinMgr::append_row(const std::string& title, const std::string& handle)
{
    List1.AddItem(title);
    List2.AddItem(handle);
}
