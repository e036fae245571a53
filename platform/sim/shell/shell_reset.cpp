// Puts the kernel and shell parts of the desktop back to a fresh machine on every desktop reset.
#include "platform/sim/desktop.h"
#include "platform/sim/kernel/clock.h"
#include "platform/sim/kernel/file_attributes.h"
#include "platform/sim/kernel/paths.h"
#include "platform/sim/shell/capture.h"
#include "platform/sim/shell/clipboard.h"
#include "platform/sim/shell/internet.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/program_start.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/shell/wallpaper.h"
#include "platform/sim/user/desktop_window.h"

namespace {

void reset_shell()
{
    sim::reset_paths();
    sim::reset_file_attributes();
    sim::reset_time_of_day();
    sim::reset_registry();
    sim::reset_clipboard();
    sim::reset_internet();
    sim::reset_notification_area();
    sim::reset_program_start();
    sim::reset_wallpaper();
    sim::reset_capture();
    sim::set_desktop_painter(sim::paint_desktop_background);
    sim::create_shell_windows();
}

const bool is_registered = (sim::on_reset(reset_shell), true);

}
