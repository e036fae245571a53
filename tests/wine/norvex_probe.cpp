#include "tests/wine/norvex_probe.h"

#include "effects/bitmap_pixels.h"
#include "effects/kernels/kernel_path.h"
#include "runtime/error.h"
#include "services/basFoxCBmp3.h"
#include "tests/effects/picture_storage.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using norvex::tests::Storage;
using norvex::tests::storages;
using norvex::tests::name_of;

// The key colour of the blends, as a COLORREF and as a pixel; every seventh source pixel has it.
constexpr COLORREF key = RGB(0x20, 0x40, 0x60);
constexpr uint32_t key_pixel = 0x00204060u;

// A picture of pseudo-random pixels selected into a memory DC of its own.
class Picture {
public:
    Picture(Storage storage, int width, int height, uint32_t seed)
        : m_storage(storage)
        , m_width(width)
        , m_height(height)
    {
        if (storage == Storage::DeviceDependent) {
            m_bitmap = CreateBitmap(width, height, 1, 32, nullptr);
        } else {
            BITMAPINFO format = norvex::rows_format(width, storage == Storage::TopDown ? -height : height);
            void* bits = nullptr;
            m_bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
        }
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        uint32_t state = seed * 2654435761u + 1;
        for (size_t i = 0; i < pixels.size(); ++i) {
            state = state * 1664525u + 1013904223u;
            pixels[i] = i % 7 == 3 ? (state & alpha_mask) | key_pixel : state ^ (state >> 15);
        }
        BITMAPINFO format = norvex::rows_format(width, -height);
        SetDIBits(nullptr, m_bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
        m_dc = CreateCompatibleDC(nullptr);
        m_old = SelectObject(m_dc, m_bitmap);
    }

    ~Picture()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }

    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }

    // FNV-1a over the pixels, rows from the top. A device-dependent bitmap need not keep alpha
    // bytes, so only its colours count.
    uint64_t checksum() const
    {
        std::vector<uint32_t> pixels(static_cast<size_t>(m_width) * m_height);
        BITMAPINFO format = norvex::rows_format(m_width, -m_height);
        if (GetDIBits(m_dc, m_bitmap, 0, static_cast<UINT>(m_height), pixels.data(), &format, DIB_RGB_COLORS)
            != m_height)
            return 0;
        uint32_t mask = m_storage == Storage::DeviceDependent ? colour_mask : 0xFFFFFFFFu;
        uint64_t hash = 14695981039346656037ull;
        for (uint32_t pixel : pixels) {
            hash ^= pixel & mask;
            hash *= 1099511628211ull;
        }
        return hash;
    }

private:
    static constexpr uint32_t alpha_mask = 0xFF000000u;
    static constexpr uint32_t colour_mask = 0x00FFFFFFu;

    Storage m_storage;
    int m_width;
    int m_height;
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

// The destination and source sizes differ in both directions, and neither width is a multiple
// of a SIMD register.
constexpr int destination_width = 37;
constexpr int destination_height = 29;
constexpr int source_width = 41;
constexpr int source_height = 23;

using Between = std::function<LONG(const Picture& destination, const Picture& source)>;
using InPlace = std::function<LONG(const Picture& picture)>;

struct BetweenCase {
    const char* name;
    Between call;
};

struct InPlaceCase {
    const char* name;
    InPlace call;
    int width = destination_width;
    int height = destination_height;
};

const std::vector<BetweenCase>& between_cases()
{
    static const std::vector<BetweenCase> cases = {
        { "alpha-blend-whole",
            [](const Picture& d, const Picture& s) {
                return FoxAlphaBlend(d.dc(), 0, 0, destination_width, destination_height, s.dc(), 0, 0, 160, key, 1);
            } },
        { "alpha-blend-part",
            [](const Picture& d, const Picture& s) {
                return FoxAlphaBlend(d.dc(), 5, 3, 20, 11, s.dc(), 9, 7, 77, key, 1);
            } },
        { "alpha-blend-clipped",
            [](const Picture& d, const Picture& s) {
                return FoxAlphaBlend(d.dc(), -3, 20, 100, 100, s.dc(), 2, 1, 255, key, 1);
            } },
        { "hsl-whole",
            [](const Picture& d, const Picture& s) {
                return FoxHSL(d.dc(), 0, 0, destination_width, destination_height, s.dc(), 0, 0, 200.0f, 0.3f, 0, 0, 0);
            } },
        { "hsl-part",
            [](const Picture& d, const Picture& s) {
                return FoxHSL(d.dc(), 4, 6, 25, 13, s.dc(), 1, 2, 77.5f, 1.4f, 0, 0, 0);
            } },
        { "brightness",
            [](const Picture& d, const Picture& s) {
                return FoxBrightness(d.dc(), d.bitmap(), s.dc(), s.bitmap(), 40, 0, 0);
            } },
    };
    return cases;
}

const std::vector<InPlaceCase>& in_place_cases()
{
    static const std::vector<InPlaceCase> cases = {
        { "blur-twice",
            [](const Picture& p) {
                LONG reserved = 0;
                return FoxBlur(p.dc(), p.bitmap(), p.dc(), p.bitmap(), reserved, 0, 0)
                    + FoxBlur(p.dc(), nullptr, p.dc(), nullptr, reserved, 0, 0);
            } },
        // Narrow pictures, such as a border's 4-pixel side pieces, blur down their columns.
        { "blur-narrow",
            [](const Picture& p) {
                LONG reserved = 0;
                return FoxBlur(p.dc(), p.bitmap(), p.dc(), p.bitmap(), reserved, 0, 0)
                    + FoxBlur(p.dc(), p.bitmap(), p.dc(), p.bitmap(), reserved, 0, 0);
            },
            4, 61 },
        { "brightness-in-place",
            [](const Picture& p) { return FoxBrightness(p.dc(), p.bitmap(), p.dc(), p.bitmap(), -60, 0, 0); } },
        { "alpha-blend-overlap-up",
            [](const Picture& p) { return FoxAlphaBlend(p.dc(), 0, 0, 30, 20, p.dc(), 4, 3, 128, key, 1); } },
        { "alpha-blend-overlap-down",
            [](const Picture& p) { return FoxAlphaBlend(p.dc(), 4, 3, 30, 20, p.dc(), 0, 0, 128, key, 1); } },
        { "hsl-overlap",
            [](const Picture& p) { return FoxHSL(p.dc(), 2, 5, 30, 20, p.dc(), 0, 1, 300.0f, 2.0f, 0, 0, 0); } },
        { "hsl-same-place",
            [](const Picture& p) { return FoxHSL(p.dc(), 3, 4, 10, 17, p.dc(), 3, 4, 120.0f, 1.0f, 0, 0, 0); } },
        { "hsl-identity",
            [](const Picture& p) { return FoxHSL(p.dc(), 0, 0, 37, 29, p.dc(), 0, 0, 0.0f, 1.0f, 0, 0, 0); } },
    };
    return cases;
}

void print_case(const std::string& name, LONG result, const Picture& destination)
{
    std::printf("%-40s %ld %016" PRIx64 "\n", name.c_str(), static_cast<long>(result), destination.checksum());
}

}

int run_norvex_probe()
{
    // What the library will run, for the person reading the log; the outputs compared stay the same.
    const char* requested = std::getenv("NORVEX_KERNEL_PATH");
    std::fprintf(stderr, "norvex-probe: kernel path %s, processor %s AVX2\n", requested ? requested : "fastest",
        norvex::has_wide_simd_path() ? "with" : "without");
    int count = 0;
    try {
        uint32_t seed = 1;
        for (const auto& probe : between_cases()) {
            for (Storage destination_storage : storages) {
                for (Storage source_storage : storages) {
                    Picture destination(destination_storage, destination_width, destination_height, seed++);
                    Picture source(source_storage, source_width, source_height, seed++);
                    LONG result = probe.call(destination, source);
                    print_case(std::string(probe.name) + " " + name_of(source_storage) + ">"
                            + name_of(destination_storage),
                        result, destination);
                    ++count;
                }
            }
        }
        for (const auto& probe : in_place_cases()) {
            for (Storage storage : storages) {
                Picture picture(storage, probe.width, probe.height, seed++);
                LONG result = probe.call(picture);
                print_case(std::string(probe.name) + " " + name_of(storage), result, picture);
                ++count;
            }
        }
    } catch (const runtime::Error& error) {
        std::printf("error %ld: %s\n", static_cast<long>(error.number), error.description.c_str());
        return 1;
    }
    std::printf("cases %d\n", count);
    std::fflush(stdout);
    return 0;
}
