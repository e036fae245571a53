#include "platform/sim/gdi/picture_drawing.h"

#include "platform/sim/gdi/color.h"
#include "platform/sim/gdi/painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <vector>

namespace sim {

namespace {

constexpr uint64_t lane_mask = 0x00FF00FF00FF00FFull;

// scale_byte of each of the four channels of a pixel at once, in 16-bit lanes of one 64-bit value:
// a lane holds at most 255 * 255 + 128 + 254, so no lane overflows into the next.
uint32_t scale_pixel(uint32_t pixel, uint32_t factor)
{
    uint64_t lanes = (pixel | (uint64_t(pixel) << 24)) & lane_mask;
    uint64_t product = lanes * factor + 0x0080008000800080ull;
    uint64_t scaled = ((product + ((product >> 8) & lane_mask)) >> 8) & lane_mask;
    return uint32_t(scaled | (scaled >> 24));
}

// The blend of one premultiplied pixel over another: each channel of the pixel below scaled by
// what the alpha above leaves. A channel of a premultiplied colour never exceeds its alpha, so no
// channel of the sum exceeds 255 and the channels add without carries.
uint32_t blended(uint32_t below, uint32_t above)
{
    return above + scale_pixel(below, 255 - (above >> 24));
}

// Pixels are laid over in blocks of this many; a block of fixed size is a loop the compiler
// turns into vector code.
constexpr int block_size = 8;

// The blend of a block, byte by byte, with each pixel's alpha spread over its four bytes.
void blend_block(uint32_t* row, const uint32_t* source)
{
    uint32_t keep[block_size];
    for (int i = 0; i < block_size; ++i) {
        uint32_t alpha = source[i] >> 24;
        keep[i] = ~(alpha | (alpha << 8) | (alpha << 16) | (alpha << 24));
    }
    constexpr int bytes = block_size * 4;
    uint8_t below[bytes], above[bytes], factors[bytes], result[bytes];
    std::memcpy(below, row, bytes);
    std::memcpy(above, source, bytes);
    std::memcpy(factors, keep, bytes);
    for (int i = 0; i < bytes; ++i) {
        uint32_t product = below[i] * factors[i] + 128u;
        result[i] = uint8_t(above[i] + ((product + (product >> 8)) >> 8));
    }
    std::memcpy(row, result, bytes);
}

// Lays premultiplied pixels over a row. Skins are mostly opaque or fully transparent, so a block
// all of one of those is copied or left as it is.
void lay_over(uint32_t* row, const uint32_t* source, int count)
{
    int i = 0;
    for (; i + block_size <= count; i += block_size) {
        uint32_t all = ~0u;
        uint32_t any = 0;
        for (int j = 0; j < block_size; ++j) {
            all &= source[i + j];
            any |= source[i + j];
        }
        if ((all >> 24) == 255)
            std::copy(source + i, source + i + block_size, row + i);
        else if (any >> 24)
            blend_block(row + i, source + i);
    }
    for (; i < count; ++i)
        row[i] = blended(row[i], source[i]);
}

void combine(uint32_t* row, const uint32_t* source, int count, Compositing compositing)
{
    if (compositing == Compositing::Copy)
        std::copy(source, source + count, row);
    else
        lay_over(row, source, count);
}

// The two picture pixels a target pixel centre falls between along one axis, and how far it lies
// from the first towards the second.
struct Tap {
    int first = 0;
    int second = 0;
    double fraction = 0;
};

Tap tap_at(int position, double start, double scale, int size)
{
    double u = std::clamp((position + 0.5 - start) * scale - 0.5, 0.0, double(size - 1));
    int first = static_cast<int>(u);
    return { first, std::min(first + 1, size - 1), u - first };
}

// std::lround for the non-negative values interpolation gives; the part after the point of such
// a value is computed exactly.
uint32_t rounded(double value)
{
    auto whole = static_cast<uint32_t>(value);
    return whole + (value - whole >= 0.5);
}

// The sum of premultiplied pixels by their weights, rounded channel by channel; the terms are
// added in order.
template<int count>
uint32_t weighted_sum(const uint32_t (&pixels)[count], const double (&weights)[count])
{
    double blue = 0;
    double green = 0;
    double red = 0;
    double alpha = 0;
    for (int i = 0; i < count; ++i) {
        blue += weights[i] * blue_of(pixels[i]);
        green += weights[i] * green_of(pixels[i]);
        red += weights[i] * red_of(pixels[i]);
        alpha += weights[i] * alpha_of(pixels[i]);
    }
    return make_pixel(rounded(alpha), rounded(red), rounded(green), rounded(blue));
}

// The interpolated pixel between four premultiplied corners: above left, above right, below left,
// below right. Terms of weight 0 add nothing, so a row that falls on picture pixels takes the
// horizontal blend alone with the same result, and four equal corners give their colour.
uint32_t interpolated(const uint32_t (&corners)[4], double fx, double fy)
{
    return weighted_sum(corners, { (1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy });
}

uint32_t interpolated_across(uint32_t left, uint32_t right, double fx)
{
    return weighted_sum({ left, right }, { 1 - fx, fx });
}

// Samples a picture at the centres of the pixels of its placement, for the DC columns
// [left, right) given when made; the taps of those columns are worked out once.
class Sampler {
public:
    Sampler(const Bitmap& picture, const PicturePlace& place, int left, int right)
        : m_picture(picture)
        , m_place(place)
        , m_left(left)
        , m_scale_y(picture.height() / place.height)
    {
        double scale_x = picture.width() / place.width;
        m_columns.reserve(right - left);
        for (int column = left; column < right; ++column)
            m_columns.push_back(tap_at(column, place.x, scale_x, picture.width()));
    }

    // The samples of the DC row for the columns [left, right).
    void sample(uint32_t* samples, int dc_row, int left, int right) const
    {
        Tap row = tap_at(dc_row, m_place.y, m_scale_y, m_picture.height());
        auto columns = std::span<const Tap>(m_columns).subspan(left - m_left, right - left);
        const uint32_t* above = m_picture.row(row.first);
        const uint32_t* below = m_picture.row(row.second);
        if (row.fraction == 0) {
            for (size_t i = 0; i < columns.size(); ++i) {
                const Tap& column = columns[i];
                uint32_t first = above[column.first];
                uint32_t second = above[column.second];
                samples[i] = first == second ? first : interpolated_across(first, second, column.fraction);
            }
            return;
        }
        for (size_t i = 0; i < columns.size(); ++i) {
            const Tap& column = columns[i];
            uint32_t corners[4] = { above[column.first], above[column.second], below[column.first], below[column.second] };
            bool is_flat = corners[0] == corners[1] && corners[0] == corners[2] && corners[0] == corners[3];
            samples[i] = is_flat ? corners[0] : interpolated(corners, column.fraction, row.fraction);
        }
    }

private:
    const Bitmap& m_picture;
    PicturePlace m_place;
    int m_left = 0;
    double m_scale_y = 1;
    std::vector<Tap> m_columns;
};

RECT intersection(const RECT& a, const RECT& b)
{
    return { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom) };
}

}

uint32_t premultiplied(uint32_t straight)
{
    uint32_t alpha = alpha_of(straight);
    return (alpha << 24) | (scale_pixel(straight, alpha) & 0x00FFFFFF);
}

void premultiply(Bitmap& picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        uint32_t* row = picture.row(y);
        for (int x = 0; x < picture.width(); ++x)
            row[x] = premultiplied(row[x]);
    }
}

uint32_t over(uint32_t destination, uint32_t source)
{
    return blended(destination, source);
}

const Bitmap* StretchCache::samples(const Bitmap& picture, const PicturePlace& place, const RECT& area)
{
    int64_t width = int64_t(area.right) - area.left;
    int64_t height = int64_t(area.bottom) - area.top;
    if (width * height > max_pixels)
        return nullptr;
    auto kept = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) { return entry.place == place; });
    if (kept != m_entries.end()) {
        std::rotate(m_entries.begin(), kept, kept + 1);
        return &m_entries.front().samples;
    }
    if (m_entries.size() == capacity)
        m_entries.pop_back();
    Bitmap samples(static_cast<int>(width), static_cast<int>(height));
    Sampler sampler(picture, place, area.left, area.right);
    for (int row = area.top; row < area.bottom; ++row)
        sampler.sample(samples.row(row - area.top), row, area.left, area.right);
    m_entries.insert(m_entries.begin(), Entry { place, std::move(samples) });
    return &m_entries.front().samples;
}

void StretchCache::clear()
{
    m_entries.clear();
}

void draw_picture(const PictureTarget& target, const Bitmap& picture, const PicturePlace& place, Compositing compositing,
    StretchCache& stretches)
{
    if (place.width <= 0 || place.height <= 0 || picture.is_empty())
        return;
    auto first_centre_from = [](double edge) { return static_cast<LONG>(std::ceil(edge - 0.5)); };
    RECT area { first_centre_from(place.x), first_centre_from(place.y), first_centre_from(place.x + place.width),
        first_centre_from(place.y + place.height) };
    RECT drawn = intersection(offset_rect(area, target.origin), target.clip.bounds());
    if (drawn.left >= drawn.right || drawn.top >= drawn.bottom)
        return;
    POINT origin = target.origin;
    bool is_exact = place.width == picture.width() && place.height == picture.height() && place.x == std::floor(place.x)
        && place.y == std::floor(place.y);
    if (is_exact) {
        int offset_x = origin.x + static_cast<int>(place.x);
        int offset_y = origin.y + static_cast<int>(place.y);
        for_each_span(target.clip, drawn, [&](int row, int left, int right) {
            combine(target.bitmap.row(row) + left, picture.row(row - offset_y) + (left - offset_x), right - left,
                compositing);
        });
        return;
    }
    // Samples kept from an earlier drawing at this placement are only laid over again.
    if (const Bitmap* kept = stretches.samples(picture, place, area)) {
        for_each_span(target.clip, drawn, [&](int row, int left, int right) {
            combine(target.bitmap.row(row) + left,
                kept->row(row - origin.y - area.top) + (left - origin.x - area.left), right - left, compositing);
        });
        return;
    }
    Sampler sampler(picture, place, drawn.left - origin.x, drawn.right - origin.x);
    std::vector<uint32_t> samples(drawn.right - drawn.left);
    for_each_span(target.clip, drawn, [&](int row, int left, int right) {
        sampler.sample(samples.data(), row - origin.y, left - origin.x, right - origin.x);
        combine(target.bitmap.row(row) + left, samples.data(), right - left, compositing);
    });
}

}
