#include "settings/modSaveLoadSettings.h"

#include "services/modGlobal.h"
#include "settings/frmColDialog.h"
#include "settings/frmSettings.h"
#include "settings/modReplaceFile.h"

#include <array>
#include <string_view>

namespace {

using runtime::Program;

// Whether the exclusion list in the settings window stands for "\exlst.dat" (the load read it
// whole), and whether the user changed it.
struct ExclusionListState {
    bool is_read = false;
    bool is_edited = false;
};

// One line of "\data.dat": how its value is read from the store and how a loaded value is put back.
// Settings without `apply` are written only.
struct StoredSetting {
    std::string_view key;
    std::string (*read)(Program&);
    void (*apply)(Program&, const std::string& value);
};

// A check box's or scroll bar's Value, stored as a 16-bit whole number.
template<typename FormType, auto Control>
constexpr StoredSetting stored_value(std::string_view key)
{
    return { key,
        [](Program& program) { return std::to_string((program.form<FormType>().*Control).Value()); },
        [](Program& program, const std::string& value) {
            (program.form<FormType>().*Control).Value(runtime::CInt(runtime::Val(value)));
        } };
}

// A colour swatch's BackColor, stored as a 32-bit whole number.
template<auto Swatch>
constexpr StoredSetting stored_colour(std::string_view key)
{
    return { key,
        [](Program& program) { return std::to_string((program.form<frmSettings>().*Swatch).BackColor()); },
        [](Program& program, const std::string& value) {
            (program.form<frmSettings>().*Swatch).BackColor(runtime::CLng(runtime::Val(value)));
        } };
}


// The lines of "\data.dat" in the order they are written. "DESKTOPSTYLE" follows them.
const std::array<StoredSetting, 29> StoredSettings {
    stored_value<frmSettings, &frmSettings::Check1>("REFLECTIONS"),
    stored_value<frmSettings, &frmSettings::Check2>("BLUR"),
    stored_value<frmSettings, &frmSettings::Check3>("BORDERCOLOR"),
    stored_value<frmSettings, &frmSettings::Check4>("TRANSPARENCY"),
    stored_value<frmSettings, &frmSettings::Check5>("CONTROLBOXLIGHT"),
    stored_value<frmSettings, &frmSettings::Check7>("ABBERATION"),
    stored_value<frmSettings, &frmSettings::Check9>("VISTASTYLE"),
    stored_value<frmSettings, &frmSettings::Check10>("HIDEDESKTOP"),
    stored_value<frmSettings, &frmSettings::Check11>("STARTUP"),
    stored_value<frmSettings, &frmSettings::Check12>("BLURTASKBAR"),
    stored_value<frmSettings, &frmSettings::VScroll1>("BLUR_VAL"),
    stored_value<frmSettings, &frmSettings::scrHue>("HUE_VAL"),
    stored_value<frmSettings, &frmSettings::scrSaturation>("SATURATION_VAL"),
    stored_value<frmSettings, &frmSettings::scrBrightness>("BRIGHTNESS_VAL"),
    stored_value<frmSettings, &frmSettings::HScroll1>("TRANSPARENCY_VAL"),
    stored_value<frmSettings, &frmSettings::HScroll2>("CONTROLBOXLIGHT_VAL"),
    stored_colour<&frmSettings::Picture2>("BORDERCOLOR_VAL"),
    stored_colour<&frmSettings::Picture3>("CAPTIONCOLOR_VAL"),
    stored_value<frmSettings, &frmSettings::Check13>("KEXPLEMU"),
    stored_value<frmSettings, &frmSettings::Check14>("KWMP11EMU"),
    stored_value<frmColDialog, &frmColDialog::HScroll1>("COL_TRANSPARENCY"),
    StoredSetting { "BC", [](Program& program) { return globals(program).ColorSchemeFile; },
        [](Program& program, const std::string& value) { globals(program).ColorSchemeFile = value; } },
    stored_value<frmSettings, &frmSettings::Check15>("LIFEREF"),
    stored_value<frmSettings, &frmSettings::HScroll5>("LIFEREF_VAL"),
    stored_value<frmSettings, &frmSettings::HScroll6>("LIFEREF_ZOOM"),
    stored_colour<&frmSettings::Picture12>("OUTB_COL"),
    stored_colour<&frmSettings::Picture13>("INB_COL"),
    stored_colour<&frmSettings::Picture14>("BIDIR_COL"),
    StoredSetting { "VERSION", ProgramVersion, nullptr },
};

constexpr std::string_view DesktopStyleKey = "DESKTOPSTYLE";

// Puts one loaded value back into the store. Keys compare exactly; unknown ones are read past.
void apply_setting(Program& program, std::string_view key, const std::string& value)
{
    if (key == DesktopStyleKey) {
        program.form<frmSettings>().Option1[runtime::CInt(runtime::Val(value))].Value(true);
        return;
    }
    for (const StoredSetting& setting : StoredSettings) {
        if (setting.key != key)
            continue;
        if (setting.apply)
            setting.apply(program, value);
        return;
    }
}

// A line without a colon, or a value its control refuses, costs only that line: the setting keeps
// the value it had and every later line is still applied, so the next save loses nothing else.
void read_settings_file(Program& program, const std::string& path)
{
    runtime::TextFile file(path, runtime::OpenMode::Input);
    while (!file.is_at_end()) {
        std::string line = file.LineInput();
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        runtime::skip_on_error([&] { apply_setting(program, std::string_view(line).substr(0, colon), line.substr(colon + 1)); });
    }
}

void read_exclusion_list(Program& program, const std::string& path)
{
    runtime::TextFile file(path, runtime::OpenMode::Input);
    runtime::ListBox& list = program.form<frmSettings>().List1;
    while (!file.is_at_end()) {
        std::string line = file.LineInput();
        if (!line.empty())
            list.AddItem(std::move(line));
    }
}

std::string settings_text(Program& program)
{
    std::string text;
    for (const StoredSetting& setting : StoredSettings)
        text.append(setting.key).append(":").append(setting.read(program)).append("\r\n");
    for (auto& option : program.form<frmSettings>().Option1) {
        if (option->Value())
            text.append(DesktopStyleKey).append(":").append(std::to_string(option->Index())).append("\r\n");
    }
    return text;
}

std::string exclusion_text(Program& program)
{
    runtime::ListBox& list = program.form<frmSettings>().List1;
    std::string text;
    for (int row = 0; row < list.ListCount(); ++row)
        text.append(list.List(row)).append("\r\n");
    return text;
}

// Writes the whole file beside the old one and swaps it in only when every byte is on disk, so
// the old file survives a full disk or a locked folder.
void replace_file(const std::string& path, const std::string& contents)
{
    WriteReplacing(path, [&](const std::string& staging) {
        runtime::TextFile file(staging, runtime::OpenMode::Output);
        file.Print(contents);
        file.Close();
    });
}

}

std::string ProgramVersion(runtime::Program& program)
{
    const std::string& caption = program.form<frmSettings>().Label13.Caption();
    return caption.size() > 8 ? caption.substr(8) : std::string();
}

void LoadSettings(runtime::Program& program)
{
    std::string folder = program.App().Path();
    if (runtime::skip_on_error([&] { read_settings_file(program, folder + "\\data.dat"); }))
        globals(program).VersionString = ProgramVersion(program);
    // The user's exclusions hold whatever happened to the settings file.
    if (runtime::skip_on_error([&] { read_exclusion_list(program, folder + "\\exlst.dat"); }))
        program.module<ExclusionListState>().is_read = true;
}

void SaveSettings(runtime::Program& program)
{
    std::string folder = program.App().Path();
    const ExclusionListState& list = program.module<ExclusionListState>();
    bool is_saved = runtime::skip_on_error([&] {
        replace_file(folder + "\\data.dat", settings_text(program));
        // A list file the load could not read is never replaced: its entries are not in the
        // window, so writing the window's list would drop them. The user's edit is then reported
        // as not saved.
        std::string exclusions = folder + "\\exlst.dat";
        if (list.is_read || !FileExists(exclusions))
            replace_file(exclusions, exclusion_text(program));
        else if (list.is_edited)
            runtime::raise(runtime::ErrPermissionDenied, "Permission denied");
    });
    if (!is_saved)
        runtime::MsgBox("The settings could not be saved in " + folder + ".", runtime::vbExclamation, "Kelmor");
}

void NoteExclusionListEdited(runtime::Program& program)
{
    program.module<ExclusionListState>().is_edited = true;
}
