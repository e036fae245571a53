// libFuzzer target for reading pictures: the input is one picture file in the program folder,
// read the ways the program reads its pictures (a skin drawn through GDI+, the border texture and
// the wallpaper through the plain picture loader, an icon file); none of them may fail unsafely.
#include "platform/sim/driver.h"
#include "platform/sim/gdi/image_decoder.h"
#include "platform/sim/kernel/paths.h"
#include "runtime/forms.h"
#include "runtime/picture_file.h"
#include "services/modLoadPicBox.h"
#include "webcam/frmCAM.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>

namespace {

const std::string PictureFile = std::string(sim::kelmor_program_folder) + "\\fuzz.pic";
const std::string IconFile = std::string(sim::kelmor_program_folder) + "\\fuzz.ico";

void write_file(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream(sim::host_path(path), std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Pictures that declare more pixels than this are read past: decoding them is slow, not wrong,
// and the program refuses the largest before decoding anyway.
bool is_quick_to_decode(const uint8_t* data, size_t size)
{
    std::optional<SIZE> declared = sim::declared_image_size(std::span(data, size));
    return !declared || int64_t { declared->cx } * declared->cy <= int64_t { 1 } << 22;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool is_desktop_ready = false;
    if (!is_desktop_ready) {
        sim::driver::reset();
        is_desktop_ready = true;
    }
    if (!is_quick_to_decode(data, size))
        return 0;
    write_file(PictureFile, data, size);
    write_file(IconFile, data, size);

    // One program serves every input; it is left to the process's end, as in the settings target.
    static runtime::Program* program = nullptr;
    static bool has_fatal_error = false;
    sim::driver::run_program([&] {
        if (!program) {
            program = new runtime::Program();
            program->set_fatal_hook([&](const runtime::Error&) { has_fatal_error = true; });
        }
        program->dispatch([&] {
            runtime::PictureBox& box = program->form<frmCAM>().picSource;
            std::string error;
            LoadPictureGDIPlus(PictureFile, box, 0, 0, false, error);
            LoadPictureGDIPlusStretched(PictureFile, box, 0, 0, false, error);
            // The next input is another file of perhaps the same size and time.
            release_image_drawing(*program);
            runtime::skip_on_error([&] { box.Picture(runtime::LoadPicture(PictureFile)); });
            runtime::skip_on_error([&] { box.Picture(runtime::LoadPicture(IconFile)); });
            box.Picture(runtime::StdPicture {});
        });
    });
    if (has_fatal_error)
        std::abort();
    return 0;
}
