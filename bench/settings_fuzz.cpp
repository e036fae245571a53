// libFuzzer target for the settings loader: the input is split into "\data.dat" and "\exlst.dat",
// a fresh program loads them through the settings window, and the store must stay consistent.
#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"
#include "runtime/forms.h"
#include "services/modGlobal.h"
#include "settings/frmColDialog.h"
#include "settings/frmSettings.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void write_program_file(const char* name, const std::string& bytes)
{
    std::ofstream(sim::host_path(std::string(sim::kelmor_program_folder) + "\\" + name), std::ios::binary) << bytes;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void require_in_range(const runtime::Form& form)
{
    int selected_options = 0;
    for (runtime::Control* control : form.controls()) {
        if (auto* bar = dynamic_cast<runtime::ScrollBar*>(control))
            require(bar->Value() >= bar->Min() && bar->Value() <= bar->Max());
        if (auto* box = dynamic_cast<runtime::CheckBox*>(control))
            require(box->Value() >= 0 && box->Value() <= 2);
        if (auto* option = dynamic_cast<runtime::OptionButton*>(control))
            selected_options += option->Value() ? 1 : 0;
    }
    require(selected_options <= 1);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool is_desktop_ready = false;
    if (!is_desktop_ready) {
        sim::driver::reset();
        is_desktop_ready = true;
    }
    // The first byte tells how much of the rest is the exclusion list.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    size_t list_size = bytes.empty() ? 0 : static_cast<uint8_t>(bytes[0]) % 64;
    bytes = bytes.empty() ? bytes : bytes.substr(1);
    list_size = std::min(list_size, bytes.size());
    write_program_file("exlst.dat", bytes.substr(bytes.size() - list_size));
    write_program_file("data.dat", bytes.substr(0, bytes.size() - list_size));

    // Creating the windows costs far more than a load, so one program serves many inputs: each
    // input runs the settings window's load again over what the previous one left, which is a
    // store in a valid state like any other.
    // The last program is left to the process's end, not to a static's destructor: those run in
    // no set order, and the runtime's own statics may be gone by then.
    static runtime::Program* program = nullptr;
    static int inputs_on_program = 0;
    static bool has_fatal_error = false;
    sim::driver::run_program([&] {
        if (!program || ++inputs_on_program == 64) {
            delete program;
            program = new runtime::Program();
            program->set_fatal_hook([&](const runtime::Error&) { has_fatal_error = true; });
            inputs_on_program = 0;
        }
        program->dispatch([&] {
            bool is_new = !program->is_loaded<frmSettings>();
            frmSettings& settings = program->form<frmSettings>();
            if (!is_new) {
                settings.List1.Clear();
                settings.Form_Load();
            }
            Globals& g = globals(*program);
            settings.VScroll1.Value(-g.BlurAmount);
            require_in_range(settings);
            require_in_range(program->form<frmColDialog>());
            require(g.BlurAmount == -settings.VScroll1.Value());
            require(settings.HScroll1.Value() == g.TransparencyPercent * 10);
            require(g.VersionString.empty() || g.VersionString == "3.0");
        });
    });
    require(!has_fatal_error);
    return 0;
}
