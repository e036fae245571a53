#include "app/kelmor_sim/pixel_expectation.h"

#include "app/kelmor_sim/scenario.h"
#include "platform/sim/driver.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kelmor_sim {

namespace {

// The tolerance is written "±N", the sign in UTF-8.
constexpr std::string_view plus_minus = "\xC2\xB1";

struct PixelCheck {
    int x = 0;
    int y = 0;
    uint32_t rgb = 0;
    int tolerance = 0;
};

std::optional<PixelCheck> parse_pixel_check(const std::vector<std::string>& values, std::string& error)
{
    if (values.size() != 3 && values.size() != 4) {
        error = "pixel takes X Y #RRGGBB and an optional ±N";
        return std::nullopt;
    }
    auto x = parse_number(values[0]);
    auto y = parse_number(values[1]);
    if (!x || !y || *x < 0 || *y < 0 || *x > INT32_MAX || *y > INT32_MAX) {
        error = "pixel expects a point of the screen, not " + values[0] + " " + values[1];
        return std::nullopt;
    }
    auto rgb = parse_color(values[2]);
    if (!rgb) {
        error = "pixel expects a colour as #RRGGBB, not \"" + values[2] + "\"";
        return std::nullopt;
    }
    PixelCheck check { static_cast<int>(*x), static_cast<int>(*y), *rgb, 0 };
    if (values.size() == 3)
        return check;
    const std::string& tolerance = values[3];
    auto amount = tolerance.starts_with(plus_minus) ? parse_number(tolerance.substr(plus_minus.size())) : std::nullopt;
    if (!amount || *amount < 0 || *amount > 255) {
        error = "pixel expects a tolerance as ±N with N from 0 to 255, not \"" + tolerance + "\"";
        return std::nullopt;
    }
    check.tolerance = static_cast<int>(*amount);
    return check;
}

std::string color_text(uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

bool is_within(uint32_t found, uint32_t wanted, int tolerance)
{
    for (int shift : { 16, 8, 0 }) {
        int difference = static_cast<int>((found >> shift) & 0xFF) - static_cast<int>((wanted >> shift) & 0xFF);
        if (std::abs(difference) > tolerance)
            return false;
    }
    return true;
}

}

std::optional<std::string> validate_pixel_expectation(const std::vector<std::string>& values)
{
    std::string error;
    if (!parse_pixel_check(values, error))
        return error;
    return std::nullopt;
}

std::optional<std::string> check_pixel_expectation(const std::vector<std::string>& values)
{
    std::string error;
    auto check = parse_pixel_check(values, error);
    if (!check)
        return error;
    std::string subject = "pixel " + values[0] + "," + values[1];
    std::string expected = color_text(check->rgb);
    if (check->tolerance)
        expected += " " + std::string(plus_minus) + std::to_string(check->tolerance);
    // What is due now is delivered first, as a screenshot does, so the check sees what the user sees.
    sim::driver::pump();
    sim::Bitmap screen = sim::driver::screenshot();
    if (!screen.contains(check->x, check->y)) {
        return subject + ": expected " + expected + ", found a point outside the screen of "
            + std::to_string(screen.width()) + " x " + std::to_string(screen.height());
    }
    uint32_t found = screen.pixel(check->x, check->y) & 0xFFFFFF;
    if (is_within(found, check->rgb, check->tolerance))
        return std::nullopt;
    return subject + ": expected " + expected + ", found " + color_text(found);
}

}
