// The probes on the simulated desktop. The desktop is not reset first: a program built for the
// simulation works from its first call.
#include "tests/conformance/conformance.h"

#include "platform/sim/driver.h"

HWND make_hung_window()
{
    uint32_t process = sim::driver::create_process("C:\\Probe\\hung.exe");
    sim::driver::AppWindow window;
    window.title = "Hung";
    window.rect = { 600, 400, 700, 500 };
    HWND hwnd = sim::driver::open_app_window(process, window);
    sim::driver::set_hung(process, true);
    return hwnd;
}

HWND make_foreign_window()
{
    sim::driver::AppWindow window;
    window.title = "Foreign";
    window.rect = { 300, 200, 700, 500 };
    return sim::driver::open_app_window(sim::driver::create_process("C:\\Probe\\foreign.exe"), window);
}

int main()
{
    return run_conformance_probes();
}
