// The SIMD paths of every kernel must give the scalar path's pixels, including the row tails the
// SIMD loops leave to scalar code and bottom-up rows.
#include "effects/kernels/alpha_blend.h"
#include "effects/kernels/blur.h"
#include "effects/kernels/brightness.h"
#include "effects/kernels/hsl.h"

#include "tests/effects/test_picture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace norvex::tests {
namespace {

using Effect = std::function<void(PixelView destination, PixelView source, KernelPath path)>;

// The paths this build and processor can run besides the scalar one.
std::vector<KernelPath> fast_paths()
{
    std::vector<KernelPath> paths;
    if (has_simd_path())
        paths.push_back(KernelPath::Simd);
    if (has_wide_simd_path())
        paths.push_back(KernelPath::WideSimd);
    return paths;
}

// Runs the effect on every path over pictures of many widths, heights and seeds; the source is
// a separate random picture, or the destination itself when in_place.
void expect_paths_agree(const Effect& effect, bool in_place)
{
    if (fast_paths().empty())
        GTEST_SKIP() << "this build has no SIMD path";
    for (int width = 1; width <= 40; ++width) {
        for (int height : { 1, 2, 3, 6 }) {
            unsigned seed = static_cast<unsigned>(width * 100 + height);
            TestPicture scalar = random_picture(width, height, seed);
            TestPicture source = random_picture(width, height, seed + 1);
            effect(scalar.view(), in_place ? scalar.view() : source.view(), KernelPath::Scalar);
            for (KernelPath path : fast_paths()) {
                TestPicture fast = random_picture(width, height, seed);
                TestPicture fast_source = source;
                effect(fast.view(), in_place ? fast.view() : fast_source.view(), path);
                ASSERT_EQ(fast, scalar) << width << " x " << height << ", path " << static_cast<int>(path);
            }
        }
    }
}

TEST(KernelPaths, BlurAgrees)
{
    expect_paths_agree(
        [](PixelView picture, PixelView, KernelPath path) {
            for (int pass = 0; pass < 3; ++pass)
                blur_once(picture, path);
        },
        true);
}

TEST(KernelPaths, BlurAgreesOnBottomUpRows)
{
    auto bottom_up = [](TestPicture& picture) {
        return PixelView { &picture.at(0, picture.height - 1), picture.width, picture.height, -picture.width };
    };
    TestPicture scalar = random_picture(23, 9, 4);
    TestPicture original = scalar;
    blur_once(bottom_up(scalar), KernelPath::Scalar);
    for (KernelPath path : fast_paths()) {
        TestPicture fast = original;
        blur_once(bottom_up(fast), path);
        EXPECT_EQ(fast, scalar) << "path " << static_cast<int>(path);
    }
}

TEST(KernelPaths, BlurAgreesOnNarrowTallPicturesBothWaysUp)
{
    // Narrow pictures blur down their columns on the SIMD paths: the side pieces of a border are
    // 4 pixels wide and hundreds high.
    for (int width : { 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33 }) {
        for (int height : { 7, 41, 767 }) {
            for (bool is_bottom_up : { false, true }) {
                auto view = [&](TestPicture& picture) {
                    return is_bottom_up ? PixelView { &picture.at(0, height - 1), width, height, -width } : picture.view();
                };
                TestPicture original = random_picture(width, height, static_cast<unsigned>(width * 1000 + height));
                TestPicture scalar = original;
                for (int pass = 0; pass < 2; ++pass)
                    blur_once(view(scalar), KernelPath::Scalar);
                for (KernelPath path : fast_paths()) {
                    TestPicture fast = original;
                    for (int pass = 0; pass < 2; ++pass)
                        blur_once(view(fast), path);
                    ASSERT_EQ(fast, scalar) << width << " x " << height << (is_bottom_up ? " bottom-up" : "") << ", path "
                                            << static_cast<int>(path);
                }
            }
        }
    }
}

TEST(KernelPaths, BrightnessAgrees)
{
    for (int amount : { -300, -255, -37, -1, 0, 1, 35, 200, 255 }) {
        SCOPED_TRACE(amount);
        expect_paths_agree([amount](PixelView destination, PixelView source,
                               KernelPath path) { shift_brightness(destination, source, amount, path); },
            false);
    }
}

TEST(KernelPaths, AlphaBlendAgrees)
{
    for (int alpha : { 0, 1, 127, 128, 254, 255 }) {
        SCOPED_TRACE(alpha);
        expect_paths_agree(
            [alpha](PixelView destination, PixelView source, KernelPath path) {
                // Make some source pixels the key colour, with assorted alpha bytes.
                for (int y = 0; y < source.height; ++y)
                    for (int x = (y % 3); x < source.width; x += 3)
                        source.row(y)[x] = (source.row(y)[x] & 0xFF000000u) | 0x00FF00FFu;
                blend_over(destination, source, static_cast<uint8_t>(alpha), 0x00FF00FFu, path);
            },
            false);
    }
}

TEST(KernelPaths, HslAgrees)
{
    for (float hue : { 0.0f, 37.3f, 60.0f, 120.0f, 200.5f, 359.9f }) {
        for (float saturation : { 0.0f, 0.37f, 1.0f, 2.5f, 10.0f }) {
            SCOPED_TRACE(testing::Message() << hue << " degrees, factor " << saturation);
            expect_paths_agree(
                [=](PixelView destination, PixelView source, KernelPath path) {
                    recolour(destination, source, make_hsl_change(hue, saturation), path);
                },
                false);
        }
    }
}

// Distinct implementations to pick from: each reports which one ran.
int run_scalar()
{
    return 0;
}
int run_simd()
{
    return 1;
}
int run_wide_simd()
{
    return 2;
}

TEST(KernelPaths, EachPathRunsItsOwnImplementation)
{
    EXPECT_EQ(implementation_for(KernelPath::Scalar, run_scalar, run_simd, run_wide_simd)(), 0);
    EXPECT_EQ(implementation_for(KernelPath::Simd, run_scalar, run_simd, run_wide_simd)(), 1);
    EXPECT_EQ(implementation_for(KernelPath::WideSimd, run_scalar, run_simd, run_wide_simd)(),
        has_wide_simd_path() ? 2 : 1);
}

TEST(KernelPaths, MissingImplementationsFallBackToTheNextNarrowerOne)
{
    EXPECT_EQ(implementation_for(KernelPath::WideSimd, run_scalar, run_simd)(), 1);
    EXPECT_EQ(implementation_for(KernelPath::WideSimd, run_scalar, nullptr)(), 0);
    EXPECT_EQ(implementation_for(KernelPath::Simd, run_scalar, nullptr, run_wide_simd)(), 0);
}

TEST(KernelPaths, TheEnvironmentNamesAPathOrLeavesTheFastest)
{
    EXPECT_EQ(path_named("scalar", KernelPath::WideSimd), KernelPath::Scalar);
    EXPECT_EQ(path_named("sse2", KernelPath::Scalar), KernelPath::Simd);
    EXPECT_EQ(path_named("avx2", KernelPath::Scalar), KernelPath::WideSimd);
    EXPECT_EQ(path_named("AVX2 ", KernelPath::Simd), KernelPath::Simd);
    EXPECT_EQ(path_named("", KernelPath::Simd), KernelPath::Simd);
    EXPECT_EQ(path_named(nullptr, KernelPath::WideSimd), KernelPath::WideSimd);
}

}
}
