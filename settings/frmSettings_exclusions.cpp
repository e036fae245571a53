// The exclusion editor of the settings window: a file browser that appends executables to List1
// and a pop-up item that removes one. The file "\exlst.dat" changes only when the settings are saved.
#include "settings/frmSettings.h"

#include "settings/modSaveLoadSettings.h"

void frmSettings::Command6_Click()
{
    if (!Picture11.Visible()) {
        Picture11.Visible(true);
        Command6.Caption("OK");
        Command7.Visible(true);
        return;
    }
    Command7_Click();
    std::string chosen = File1.FileName();
    if (chosen.empty())
        return;
    List1.AddItem(chosen);
    NoteExclusionListEdited(program());
}

void frmSettings::Command7_Click()
{
    Picture11.Visible(false);
    Command7.Visible(false);
    Command6.Caption("Browse...");
}

void frmSettings::Drive1_Change()
{
    runtime::skip_on_error([&] { Dir1.Path(Drive1.Drive()); });
}

void frmSettings::Dir1_Change()
{
    runtime::skip_on_error([&] { File1.Path(Dir1.Path()); });
}

void frmSettings::List1_MouseUp(int Button, int, float, float)
{
    if (Button == runtime::vbRightButton)
        runtime::PopupMenu(*this, mnuList);
}

void frmSettings::RemoveEntry_Click()
{
    if (List1.ListIndex() < 0)
        return;
    List1.RemoveItem(List1.ListIndex());
    NoteExclusionListEdited(program());
}
