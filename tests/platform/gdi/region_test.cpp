#include "platform/sim/gdi/region.h"

#include "platform/win32.h"
#include "platform/sim/gdi/gdi_link.h"
#include "tests/platform/gdi/canvas.h"

#include <gtest/gtest.h>

using sim::Region;

namespace {

int area_of(const Region& region)
{
    int area = 0;
    for (auto& band : region.bands()) {
        for (auto& span : band.spans)
            area += (span.right - span.left) * (band.bottom - band.top);
    }
    return area;
}

}

TEST(RoundRectRegion, CutsEachCornerAlongTheEllipseAndKeepsTheMiddle)
{
    // As a window's region: 100 x 50 pixels with 9 x 9 corner ellipses.
    HRGN region = CreateRoundRectRgn(0, 0, 101, 51, 9, 9);
    RECT box {};
    EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 100);
    EXPECT_EQ(box.bottom, 50);
    for (auto [x, y] : { std::pair { 0, 0 }, { 99, 0 }, { 0, 49 }, { 99, 49 }, { 1, 0 }, { 0, 1 }, { 98, 49 } })
        EXPECT_FALSE(PtInRegion(region, x, y)) << x << "," << y;
    for (auto [x, y] : { std::pair { 50, 0 }, { 0, 25 }, { 99, 25 }, { 50, 49 }, { 4, 4 }, { 95, 45 } })
        EXPECT_TRUE(PtInRegion(region, x, y)) << x << "," << y;
    // The shape is symmetric in both directions.
    auto* shape = sim::region_of(region);
    ASSERT_NE(shape, nullptr);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(shape->contains(x, y), shape->contains(99 - x, 49 - y)) << x << "," << y;
    }
    DeleteObject(region);
}

TEST(RoundRectRegion, WithoutRadiusIsTheFullRectangle)
{
    HRGN rounded = CreateRoundRectRgn(0, 0, 41, 31, 0, 0);
    HRGN plain = CreateRectRgn(0, 0, 40, 30);
    EXPECT_TRUE(EqualRgn(rounded, plain));
    RECT box {};
    EXPECT_EQ(GetRgnBox(rounded, &box), SIMPLEREGION);
    DeleteObject(rounded);
    DeleteObject(plain);
}

TEST(EllipticRegion, RowsFollowTheEllipseOfTheWholeRectangleGiven)
{
    // The ellipse spans 14 by 9 pixels; the shape leaves out the right column and the bottom row.
    HRGN region = CreateEllipticRgn(0, 0, 14, 9);
    const int widths[] = { 5, 9, 11, 13, 13, 11, 9, 5 };
    for (int y = 0; y < 8; ++y) {
        int inset = (13 - widths[y]) / 2;
        for (int x = 0; x < 14; ++x)
            EXPECT_EQ(PtInRegion(region, x, y) != FALSE, x >= inset && x < 13 - inset) << x << "," << y;
    }
    EXPECT_FALSE(PtInRegion(region, 6, 8));
    DeleteObject(region);
}

TEST(CombineRegion, UnionOfRowsAndDifferenceOfPixels)
{
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    RECT empty {};
    EXPECT_EQ(GetRgnBox(result, &empty), NULLREGION);

    // Runs of a picture, one rectangle per run, as a shape is built from its non-key pixels.
    for (int y = 0; y < 10; ++y) {
        HRGN run = CreateRectRgn(2, y, 8, y + 1);
        EXPECT_NE(CombineRgn(result, result, run, RGN_OR), ERROR);
        DeleteObject(run);
    }
    HRGN block = CreateRectRgn(2, 0, 8, 10);
    EXPECT_TRUE(EqualRgn(result, block)) << "neighbouring equal rows merge into one band";

    // Single pixels taken out of the whole rectangle.
    HRGN pixel = CreateRectRgn(4, 4, 5, 5);
    EXPECT_EQ(CombineRgn(result, result, pixel, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(result, 4, 4));
    EXPECT_TRUE(PtInRegion(result, 5, 4));
    EXPECT_TRUE(PtInRegion(result, 4, 5));
    EXPECT_EQ(area_of(*sim::region_of(result)), 59);

    // Putting the pixel back restores the plain rectangle exactly.
    EXPECT_EQ(CombineRgn(result, result, pixel, RGN_OR), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(result, block));

    for (HRGN handle : { result, block, pixel })
        DeleteObject(handle);
}

TEST(CombineRegion, IntersectionXorCopyAndOffset)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
    RECT box {};
    GetRgnBox(result, &box);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(CombineRgn(result, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(area_of(*sim::region_of(result)), 100 + 100 - 2 * 25);
    EXPECT_FALSE(PtInRegion(result, 7, 7));
    EXPECT_EQ(CombineRgn(result, b, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(result, b));
    EXPECT_EQ(OffsetRgn(result, -5, -5), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(result, a));
    EXPECT_EQ(CombineRgn(result, a, reinterpret_cast<HRGN>(12345), RGN_OR), ERROR);
    for (HRGN handle : { a, b, result })
        DeleteObject(handle);
}

TEST(RegionValue, SpansOfARowAndEqualityOfEqualPixelSets)
{
    Region left = Region::rectangle(0, 0, 5, 10);
    Region right = Region::rectangle(5, 0, 10, 10);
    Region whole = Region::rectangle(0, 0, 10, 10);
    EXPECT_EQ(left.united(right), whole);
    EXPECT_EQ(whole.subtracted(right), left);
    auto ring = whole.subtracted(Region::rectangle(2, 2, 8, 8));
    auto spans = ring.spans_in_row(5);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0], (Region::Span { 0, 2 }));
    EXPECT_EQ(spans[1], (Region::Span { 8, 10 }));
    EXPECT_TRUE(ring.spans_in_row(10).empty());
    EXPECT_EQ(ring.spans_in_row(0).size(), 1u);
}

TEST(RegionClipping, DrawingStaysInsideTheSelectedRegion)
{
    gdi_test::Canvas canvas(20, 20, RGB(0, 0, 0));
    HRGN clip = CreateEllipticRgn(0, 0, 21, 21);
    EXPECT_NE(SelectClipRgn(canvas.dc(), clip), ERROR);
    // The DC keeps its own copy: deleting the handle does not change the clip.
    DeleteObject(clip);
    canvas.fill_with(RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(19, 19), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(10, 0), RGB(255, 0, 0));

    canvas.select(CreatePen(PS_SOLID, 1, RGB(0, 255, 0)));
    MoveToEx(canvas.dc(), 0, 1, nullptr);
    LineTo(canvas.dc(), 20, 1);
    EXPECT_EQ(canvas.at(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(10, 1), RGB(0, 255, 0));
    SetPixelV(canvas.dc(), 0, 19, RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(0, 19), RGB(0, 0, 0));

    RECT box {};
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 20);
    SelectClipRgn(canvas.dc(), nullptr);
    SetPixelV(canvas.dc(), 0, 19, RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(0, 19), RGB(0, 0, 255));
}

TEST(RegionClipping, ExtSelectClipRgnCombinesWithTheCurrentClip)
{
    gdi_test::Canvas canvas(20, 20, RGB(0, 0, 0));
    HDC dc = canvas.dc();
    auto combine = [&](int left, int top, int right, int bottom, int mode) {
        HRGN region = CreateRectRgn(left, top, right, bottom);
        int type = ExtSelectClipRgn(dc, region, mode);
        DeleteObject(region);
        return type;
    };
    // Without a selected clip the whole surface is the clip being combined with.
    EXPECT_EQ(combine(0, 0, 10, 20, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(combine(5, 0, 15, 20, RGN_DIFF), SIMPLEREGION);
    EXPECT_EQ(combine(15, 0, 20, 20, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(combine(0, 0, 20, 10, RGN_XOR), COMPLEXREGION);
    EXPECT_EQ(combine(0, 0, 20, 20, 99), ERROR) << "an unknown mode leaves the clip";
    EXPECT_EQ(ExtSelectClipRgn(dc, nullptr, RGN_AND), ERROR);

    // Rows 0 to 9 keep columns 5 to 14; rows 10 to 19 keep columns 0 to 4 and 15 to 19.
    canvas.fill_with(RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(10, 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(17, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(2, 15), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(10, 15), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(17, 15), RGB(255, 0, 0));
    EXPECT_EQ(canvas.count(RGB(255, 0, 0)), 200);

    EXPECT_EQ(ExtSelectClipRgn(dc, nullptr, RGN_COPY), SIMPLEREGION) << "no region with RGN_COPY removes the clip";
    canvas.fill_with(RGB(255, 0, 0));
    EXPECT_EQ(canvas.count(RGB(255, 0, 0)), 400);
}

TEST(RegionValue, CombinationsAgreeWithAPixelByPixelModel)
{
    // Random rectangles and ellipses combined in every way, in place and by value, against a grid
    // of booleans; the region must hold exactly the model's pixels in its one canonical form.
    constexpr int size = 48;
    std::vector<char> model(size * size, 0);
    Region region;
    uint32_t seed = 12345;
    auto next = [&](int limit) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int>((seed >> 16) % limit);
    };
    for (int step = 0; step < 300; ++step) {
        int left = next(size);
        int top = next(size);
        int right = left + 1 + next(size - left);
        int bottom = top + 1 + next(size - top);
        Region shape = next(3) == 0 ? Region::ellipse(left, top, right, bottom) : Region::rectangle(left, top, right, bottom);
        auto operation = static_cast<Region::Operation>(next(4));
        if (step % 2)
            region.combine(shape, operation);
        else
            region = region.combined(shape, operation);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                bool in_shape = shape.contains(x, y);
                char& pixel = model[y * size + x];
                switch (operation) {
                case Region::Operation::Union:
                    pixel = pixel || in_shape;
                    break;
                case Region::Operation::Difference:
                    pixel = pixel && !in_shape;
                    break;
                case Region::Operation::Intersection:
                    pixel = pixel && in_shape;
                    break;
                case Region::Operation::Xor:
                    pixel = pixel != in_shape;
                    break;
                }
            }
        }
        sim::RegionBuilder expected;
        for (int y = 0; y < size; ++y) {
            std::vector<Region::Span> spans;
            for (int x = 0; x < size; ++x) {
                if (model[y * size + x])
                    spans.push_back({ x, x + 1 });
            }
            expected.add_row(y, std::move(spans));
        }
        ASSERT_EQ(region, expected.finish()) << "step " << step;
    }
}
