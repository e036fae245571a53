// The clipboard functions of user32. Data handed to SetClipboardData belongs to the clipboard from
// then on and is freed when the clipboard is emptied. A bitmap can be asked for as a
// device-independent bitmap and the other way round, and ANSI text as wide text, as on Windows.
#include "platform/sim/shell/clipboard.h"

#include "platform/api/gdi.h"
#include "platform/api/shell.h"
#include "platform/api/user.h"
#include "platform/sim/gdi/gdi_objects.h"
#include "platform/sim/kernel/global_memory.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {

struct ClipboardData {
    UINT format = 0;
    HANDLE data = nullptr;
    // Made on request from the data of another format.
    bool is_synthesized = false;
};

struct Clipboard {
    bool is_open = false;
    HWND opener = nullptr;
    HWND owner = nullptr;
    std::vector<ClipboardData> entries;
};

Clipboard& clipboard()
{
    static Clipboard state;
    return state;
}

void free_data(const ClipboardData& entry)
{
    if (!entry.data)
        return;
    if (entry.format == CF_BITMAP) {
        DeleteObject(static_cast<HGDIOBJ>(entry.data));
        return;
    }
    GlobalFree(entry.data);
}

void free_all()
{
    for (auto& entry : clipboard().entries)
        free_data(entry);
    clipboard().entries.clear();
}

HANDLE find_data(UINT format)
{
    for (auto& entry : clipboard().entries) {
        if (entry.format == format)
            return entry.data;
    }
    return nullptr;
}

HGLOBAL global_from(const void* bytes, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = GlobalLock(memory);
    if (size)
        std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

// A packed 32-bit bottom-up device-independent bitmap: header, then the rows.
HGLOBAL dib_from_bitmap(HBITMAP handle)
{
    auto* bitmap = find_bitmap(handle);
    if (!bitmap)
        return nullptr;
    BITMAPINFOHEADER header {};
    header.biSize = sizeof(header);
    header.biWidth = bitmap->width();
    header.biHeight = bitmap->height();
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(bitmap->width()) * bitmap->height() * 4;
    std::vector<uint8_t> bytes(sizeof(header) + header.biSizeImage);
    std::memcpy(bytes.data(), &header, sizeof(header));
    auto* rows = bytes.data() + sizeof(header);
    for (int y = 0; y < bitmap->height(); ++y) {
        auto* source = bitmap->row(bitmap->height() - 1 - y);
        std::memcpy(rows + static_cast<size_t>(y) * bitmap->width() * 4, source, static_cast<size_t>(bitmap->width()) * 4);
    }
    return global_from(bytes.data(), bytes.size());
}

// Reads a packed DIB of 24 or 32 bits per pixel, either orientation, into a new bitmap.
HBITMAP bitmap_from_dib(HGLOBAL memory)
{
    auto* block = handles().find<GlobalMemory>(memory);
    if (!block || block->bytes.size() < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header {};
    std::memcpy(&header, block->bytes.data(), sizeof(header));
    int width = header.biWidth;
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    int bytes_per_pixel = header.biBitCount / 8;
    if (width <= 0 || height <= 0 || (bytes_per_pixel != 3 && bytes_per_pixel != 4) || header.biCompression != BI_RGB)
        return nullptr;
    size_t stride = (static_cast<size_t>(width) * bytes_per_pixel + 3) & ~size_t { 3 };
    size_t offset = header.biSize;
    if (block->bytes.size() < offset + stride * height)
        return nullptr;
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        int source_row = header.biHeight < 0 ? y : height - 1 - y;
        const uint8_t* source = block->bytes.data() + offset + stride * source_row;
        auto* target = bitmap.row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = source + static_cast<size_t>(x) * bytes_per_pixel;
            uint32_t alpha = bytes_per_pixel == 4 ? pixel[3] : 0;
            target[x] = (alpha << 24) | (uint32_t { pixel[2] } << 16) | (uint32_t { pixel[1] } << 8) | pixel[0];
        }
    }
    return add_bitmap(std::move(bitmap));
}

HGLOBAL wide_from_text(HGLOBAL memory)
{
    auto* block = handles().find<GlobalMemory>(memory);
    if (!block)
        return nullptr;
    std::vector<WCHAR> wide;
    for (uint8_t c : block->bytes) {
        wide.push_back(static_cast<WCHAR>(c));
        if (c == 0)
            break;
    }
    if (wide.empty() || wide.back() != 0)
        wide.push_back(0);
    return global_from(wide.data(), wide.size() * sizeof(WCHAR));
}

HGLOBAL text_from_wide(HGLOBAL memory)
{
    auto* block = handles().find<GlobalMemory>(memory);
    if (!block)
        return nullptr;
    std::string text;
    size_t count = block->bytes.size() / sizeof(WCHAR);
    auto* wide = reinterpret_cast<const WCHAR*>(block->bytes.data());
    for (size_t i = 0; i < count && wide[i]; ++i)
        text += wide[i] > 0xFF ? '?' : static_cast<char>(wide[i]);
    return global_from(text.c_str(), text.size() + 1);
}

// The format a requested one can be made from.
UINT source_format(UINT format)
{
    switch (format) {
    case CF_BITMAP:
        return CF_DIB;
    case CF_DIB:
        return CF_BITMAP;
    case CF_TEXT:
        return CF_UNICODETEXT;
    case CF_UNICODETEXT:
        return CF_TEXT;
    default:
        return 0;
    }
}

HANDLE synthesize(UINT format, HANDLE source)
{
    switch (format) {
    case CF_BITMAP:
        return bitmap_from_dib(source);
    case CF_DIB:
        return dib_from_bitmap(static_cast<HBITMAP>(source));
    case CF_UNICODETEXT:
        return wide_from_text(source);
    case CF_TEXT:
        return text_from_wide(source);
    default:
        return nullptr;
    }
}

}

std::vector<UINT> clipboard_formats()
{
    std::vector<UINT> formats;
    for (auto& entry : clipboard().entries) {
        if (!entry.is_synthesized)
            formats.push_back(entry.format);
    }
    return formats;
}

std::string clipboard_text()
{
    auto* block = handles().find<GlobalMemory>(find_data(CF_TEXT));
    if (!block)
        return {};
    auto end = std::find(block->bytes.begin(), block->bytes.end(), uint8_t { 0 });
    return std::string(block->bytes.begin(), end);
}

SIZE clipboard_bitmap_size()
{
    auto* bitmap = find_bitmap(static_cast<HBITMAP>(find_data(CF_BITMAP)));
    if (!bitmap)
        return { 0, 0 };
    return { bitmap->width(), bitmap->height() };
}

void set_clipboard_text(const std::string& text)
{
    free_all();
    clipboard().owner = nullptr;
    clipboard().entries.push_back({ CF_TEXT, global_from(text.c_str(), text.size() + 1) });
}

void reset_clipboard()
{
    // The desktop's reset has already emptied the handle table, and with it the clipboard's data.
    clipboard() = Clipboard {};
}

}

using sim::clipboard;

BOOL WINAPI OpenClipboard(HWND hWndNewOwner)
{
    sim::ApiCall api_call;
    auto& state = clipboard();
    if (state.is_open && state.opener != hWndNewOwner)
        return sim::fail(ERROR_ACCESS_DENIED, FALSE);
    state.is_open = true;
    state.opener = hWndNewOwner;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void)
{
    sim::ApiCall api_call;
    auto& state = clipboard();
    if (!state.is_open)
        return sim::fail(ERROR_CLIPBOARD_NOT_OPEN, FALSE);
    state.is_open = false;
    state.opener = nullptr;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void)
{
    sim::ApiCall api_call;
    auto& state = clipboard();
    if (!state.is_open)
        return sim::fail(ERROR_CLIPBOARD_NOT_OPEN, FALSE);
    sim::free_all();
    state.owner = state.opener;
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem)
{
    sim::ApiCall api_call;
    auto& state = clipboard();
    if (!state.is_open)
        return sim::fail(ERROR_CLIPBOARD_NOT_OPEN, HANDLE {});
    // Delayed rendering is not offered; a format without data is refused.
    if (!hMem)
        return sim::fail(ERROR_INVALID_PARAMETER, HANDLE {});
    auto& entries = state.entries;
    for (auto it = entries.begin(); it != entries.end();) {
        // A format replaced, and any format made from the old data, go.
        bool is_made_from_it = it->is_synthesized && it->format == sim::source_format(uFormat);
        if (it->format == uFormat || is_made_from_it) {
            if (it->data != hMem)
                sim::free_data(*it);
            it = entries.erase(it);
            continue;
        }
        ++it;
    }
    entries.push_back({ uFormat, hMem });
    return hMem;
}

HANDLE WINAPI GetClipboardData(UINT uFormat)
{
    sim::ApiCall api_call;
    auto& state = clipboard();
    if (!state.is_open)
        return sim::fail(ERROR_CLIPBOARD_NOT_OPEN, HANDLE {});
    if (HANDLE data = sim::find_data(uFormat))
        return data;
    HANDLE source = sim::find_data(sim::source_format(uFormat));
    if (!source)
        return nullptr;
    HANDLE made = sim::synthesize(uFormat, source);
    if (made)
        state.entries.push_back({ uFormat, made, true });
    return made;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format)
{
    sim::ApiCall api_call;
    if (sim::find_data(format) || sim::find_data(sim::source_format(format)))
        return TRUE;
    return FALSE;
}

int WINAPI CountClipboardFormats(void)
{
    sim::ApiCall api_call;
    return static_cast<int>(sim::clipboard_formats().size());
}
