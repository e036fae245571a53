#include "app/kelmor_sim/state_dump.h"

#include "app/kelmor_sim/freeze_text.h"
#include "app/kelmor_sim/json_writer.h"
#include "platform/api/shell.h"
#include "platform/sim/desktop.h"
#include "platform/sim/driver.h"
#include "platform/sim/shell/clipboard.h"
#include "platform/sim/shell/internet.h"
#include "platform/sim/shell/notification_area.h"
#include "platform/sim/shell/program_start.h"
#include "platform/sim/shell/registry_store.h"
#include "platform/sim/shell/shell_windows.h"
#include "platform/sim/shell/wallpaper.h"
#include "platform/sim/user/process_table.h"

#include <cstring>

namespace kelmor_sim {

namespace {

uint64_t handle_number(const void* handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

void write_handle(JsonWriter& json, const void* handle)
{
    if (!handle) {
        json.null();
        return;
    }
    json.value(handle_number(handle));
}

void write_rect(JsonWriter& json, const RECT& rect)
{
    json.begin_array();
    json.value(static_cast<int64_t>(rect.left));
    json.value(static_cast<int64_t>(rect.top));
    json.value(static_cast<int64_t>(rect.right));
    json.value(static_cast<int64_t>(rect.bottom));
    json.end_array();
}

void write_size(JsonWriter& json, SIZE size)
{
    json.begin_array();
    json.value(static_cast<int64_t>(size.cx));
    json.value(static_cast<int64_t>(size.cy));
    json.end_array();
}

void write_window(JsonWriter& json, const sim::driver::WindowState& window)
{
    json.begin_object();
    json.key("handle");
    write_handle(json, window.handle);
    json.key("parent");
    write_handle(json, window.parent);
    json.key("owner");
    write_handle(json, window.owner);
    json.field("process", window.process_id);
    json.field("executable", window.executable);
    json.field("class", window.class_name);
    json.field("title", window.title);
    json.field("style", static_cast<uint64_t>(window.style));
    json.field("ex_style", static_cast<uint64_t>(window.ex_style));
    json.key("rect");
    write_rect(json, window.rect);
    json.field("visible", window.is_visible);
    json.field("layered", window.is_layered);
    json.key("alpha");
    if (window.layered_alpha)
        json.value(static_cast<int>(*window.layered_alpha));
    else
        json.null();
    json.field("per_pixel_alpha", window.is_per_pixel);
    json.key("region_bounds");
    if (window.region_bounds)
        write_rect(json, *window.region_bounds);
    else
        json.null();
    json.field("z_order", window.z_order);
    json.key("children");
    json.begin_array();
    for (auto& child : window.children)
        write_window(json, child);
    json.end_array();
    json.end_object();
}

std::string type_name(DWORD type)
{
    switch (type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    default:
        return std::to_string(type);
    }
}

void write_registry_value(JsonWriter& json, const sim::RegistryValue& value)
{
    if (value.type == REG_DWORD && value.data.size() == 4) {
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), 4);
        json.value(static_cast<uint64_t>(number));
        return;
    }
    json.value(sim::value_text(value));
}

std::string format_name(UINT format)
{
    switch (format) {
    case CF_TEXT:
        return "CF_TEXT";
    case CF_BITMAP:
        return "CF_BITMAP";
    case CF_DIB:
        return "CF_DIB";
    case CF_UNICODETEXT:
        return "CF_UNICODETEXT";
    default:
        return std::to_string(format);
    }
}

void write_windows(JsonWriter& json)
{
    json.key("foreground");
    write_handle(json, sim::driver::foreground_window());
    json.key("focus");
    write_handle(json, sim::driver::focus_window());
    json.key("windows");
    json.begin_array();
    for (auto& window : sim::driver::window_tree())
        write_window(json, window);
    json.end_array();
}

void write_tray(JsonWriter& json)
{
    json.key("tray_icons");
    json.begin_array();
    for (auto& icon : sim::tray_icons()) {
        json.begin_object();
        json.key("owner");
        write_handle(json, icon.owner);
        json.field("id", icon.id);
        json.field("flags", icon.flags);
        json.field("callback_message", icon.callback_message);
        json.key("icon");
        write_handle(json, icon.icon);
        json.field("tip", icon.tip);
        json.end_object();
    }
    json.end_array();
}

void write_registry(JsonWriter& json)
{
    json.key("registry");
    json.begin_array();
    for (auto& entry : sim::registry_entries()) {
        json.begin_object();
        json.field("key", entry.key_path);
        json.field("name", entry.value_name);
        json.field("type", type_name(entry.value.type));
        json.key("value");
        write_registry_value(json, entry.value);
        json.end_object();
    }
    json.end_array();
}

void write_shell(JsonWriter& json)
{
    json.field("wallpaper", sim::wallpaper_path());
    json.field("desktop_view", sim::desktop_view_name(sim::desktop_view()));
    json.key("clipboard");
    json.begin_object();
    json.key("formats");
    json.begin_array();
    for (UINT format : sim::clipboard_formats())
        json.value(format_name(format));
    json.end_array();
    json.field("text", sim::clipboard_text());
    SIZE bitmap = sim::clipboard_bitmap_size();
    json.key("bitmap_size");
    write_size(json, bitmap);
    json.end_object();
    json.key("shell_executions");
    json.begin_array();
    for (auto& execution : sim::shell_executions()) {
        json.begin_object();
        json.field("operation", execution.operation);
        json.field("file", execution.file);
        json.field("parameters", execution.parameters);
        json.field("show_command", execution.show_command);
        json.end_object();
    }
    json.end_array();
    json.key("http_requests");
    json.begin_array();
    for (auto& url : sim::http_requests())
        json.value(url);
    json.end_array();
}

// What the program's process holds of the window system's objects, for leak checks.
void write_program_resources(JsonWriter& json)
{
    uint32_t process = sim::driver::program_process();
    auto usage = sim::driver::resource_usage(process);
    json.key("kelmor_resources");
    json.begin_object();
    json.field("process", process);
    json.field("gdi_objects", usage.gdi_objects);
    json.field("bitmap_bytes", usage.bitmap_bytes);
    json.field("user_objects", usage.user_objects);
    json.field("screen_dcs", usage.screen_dcs);
    json.field("gdiplus_startups", usage.gdiplus_startups);
    json.field("double_frees", usage.double_frees);
    json.field("longest_wait_ms", sim::driver::longest_wait(process));
    json.end_object();
}

// Every send that would have frozen its sender, Kelmor's and any other process's.
void write_freezes(JsonWriter& json)
{
    json.key("freezes");
    json.begin_array();
    for (auto& freeze : sim::driver::freezes()) {
        json.begin_object();
        json.field("sender", sim::process_executable(freeze.sender_process));
        json.field("target", sim::process_executable(freeze.target_process));
        json.key("window");
        write_handle(json, freeze.target);
        json.field("message", message_name(freeze.message));
        json.field("time_ms", freeze.time_ms);
        json.end_object();
    }
    json.end_array();
}

}

std::string dump_state()
{
    JsonWriter json;
    json.begin_object();
    json.field("time_ms", static_cast<uint64_t>(sim::now_ms()));
    SIZE screen = sim::screen_size();
    json.key("screen");
    write_size(json, screen);
    write_windows(json);
    write_tray(json);
    write_registry(json);
    write_shell(json);
    write_program_resources(json);
    write_freezes(json);
    json.end_object();
    return json.text();
}

}
