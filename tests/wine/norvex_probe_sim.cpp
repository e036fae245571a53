// The probe on the simulated desktop, loading the Linux build of norvex.dll from the program folder.
#include "tests/wine/norvex_probe.h"

#include "platform/sim/driver.h"
#include "platform/sim/kernel/paths.h"

#include <filesystem>

int main()
{
    sim::driver::reset();
    sim::install_program_folder(std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "bin");
    return run_norvex_probe();
}
