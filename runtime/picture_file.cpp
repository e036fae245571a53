#include "runtime/picture_file.h"

#include "runtime/error.h"
#include "runtime/gdi_helpers.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

namespace runtime {

namespace {

bool has_extension(const std::string& path, const char* extension)
{
    size_t length = std::strlen(extension);
    if (path.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(static_cast<unsigned char>(path[path.size() - length + i])) != extension[i])
            return false;
    }
    return true;
}

}

std::wstring wide(const std::string& text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring result(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), length);
    result.resize(static_cast<size_t>(length - 1));
    return result;
}

namespace {

// Decodes an image file through GDI+, started for this one call.
HBITMAP decode_bitmap(const std::string& path)
{
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return nullptr;
    HBITMAP bitmap = nullptr;
    Gdiplus::GpBitmap* image = nullptr;
    std::wstring wide_path = wide(path);
    if (GdipCreateBitmapFromFile(wide_path.c_str(), &image) == Gdiplus::Ok && image) {
        UINT width = 0;
        UINT height = 0;
        bool is_sized = GdipGetImageWidth(image, &width) == Gdiplus::Ok && GdipGetImageHeight(image, &height) == Gdiplus::Ok
            && is_screen_sized(width, height);
        if (!is_sized || GdipCreateHBITMAPFromBitmap(image, &bitmap, 0xFF000000) != Gdiplus::Ok)
            bitmap = nullptr;
        GdipDisposeImage(image);
    }
    Gdiplus::GdiplusShutdown(token);
    return bitmap;
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        raise(ErrPathNotFound, "Path not found");
    DWORD written = 0;
    BOOL is_written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!is_written || written != bytes.size())
        raise(ErrPermissionDenied, "Permission denied");
}

void put16(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& bytes, uint32_t value)
{
    put16(bytes, static_cast<uint16_t>(value));
    put16(bytes, static_cast<uint16_t>(value >> 16));
}

}

bool is_screen_sized(unsigned width, unsigned height)
{
    constexpr uint64_t LongestSide = 16384;
    constexpr uint64_t MostPixels = uint64_t { 1 } << 27;
    return width <= LongestSide && height <= LongestSide && uint64_t { width } * height <= MostPixels;
}

StdPicture LoadPicture(const std::string& path)
{
    if (path.empty())
        return {};
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        raise(ErrFileNotFound, "File not found");
    if (has_extension(path, ".ico") || has_extension(path, ".cur")) {
        auto icon = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
        if (!icon)
            raise(ErrInvalidPicture, "Invalid picture");
        return StdPicture::from_icon(icon, true);
    }
    HBITMAP bitmap = decode_bitmap(path);
    if (!bitmap)
        raise(ErrInvalidPicture, "Invalid picture");
    return StdPicture::from_bitmap(bitmap, true);
}

void SavePicture(const StdPicture& picture, const std::string& path)
{
    if (picture.is_empty())
        raise(ErrInvalidPicture, "Invalid picture");
    int width = picture.width_pixels();
    int height = picture.height_pixels();
    uint32_t* pixels = nullptr;
    HBITMAP copy = create_dib_section(width, height, &pixels);
    if (!copy)
        raise(ErrInvalidPicture, "Invalid picture");
    {
        SelectedBitmap target(copy);
        fill_rect(target.dc(), RECT { 0, 0, width, height }, RGB(0, 0, 0));
        picture.draw(target.dc(), 0, 0, width, height);
    }
    int stride = (width * 3 + 3) & ~3;
    uint32_t image_size = static_cast<uint32_t>(stride * height);
    std::vector<uint8_t> bytes;
    bytes.reserve(54 + image_size);
    bytes.push_back('B');
    bytes.push_back('M');
    put32(bytes, 54 + image_size);
    put32(bytes, 0);
    put32(bytes, 54);
    put32(bytes, 40);
    put32(bytes, static_cast<uint32_t>(width));
    put32(bytes, static_cast<uint32_t>(height));
    put16(bytes, 1);
    put16(bytes, 24);
    put32(bytes, 0);
    put32(bytes, image_size);
    put32(bytes, 3780);
    put32(bytes, 3780);
    put32(bytes, 0);
    put32(bytes, 0);
    // Rows bottom-up, each pixel blue, green, red.
    for (int y = height - 1; y >= 0; --y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            bytes.push_back(static_cast<uint8_t>(row[x]));
            bytes.push_back(static_cast<uint8_t>(row[x] >> 8));
            bytes.push_back(static_cast<uint8_t>(row[x] >> 16));
        }
        for (int pad = width * 3; pad < stride; ++pad)
            bytes.push_back(0);
    }
    DeleteObject(copy);
    write_file(path, bytes);
}

}
