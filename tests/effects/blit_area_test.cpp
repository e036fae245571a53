#include "effects/blit_area.h"

#include <gtest/gtest.h>

#include <climits>

namespace norvex::tests {
namespace {

bool operator==(const BlitArea& a, const BlitArea& b)
{
    return a.destination_x == b.destination_x && a.destination_y == b.destination_y && a.source_x == b.source_x
        && a.source_y == b.source_y && a.width == b.width && a.height == b.height;
}

TEST(BlitArea, AnAreaInsideBothPicturesStaysAsItIs)
{
    BlitArea area { 1, 2, 3, 4, 5, 6 };
    EXPECT_TRUE(clip_to_pictures(area, 10, 10, 10, 10) == area);
}

TEST(BlitArea, BothRectanglesMoveTogetherWhenOneStartsOutside)
{
    EXPECT_TRUE(clip_to_pictures({ -2, 0, 1, 0, 5, 1 }, 10, 10, 10, 10) == (BlitArea { 0, 0, 3, 0, 3, 1 }));
    EXPECT_TRUE(clip_to_pictures({ 4, 1, 0, -3, 2, 5 }, 10, 10, 10, 10) == (BlitArea { 4, 4, 0, 0, 2, 2 }));
}

TEST(BlitArea, TheSmallerPictureLimitsTheSize)
{
    EXPECT_TRUE(clip_to_pictures({ 0, 0, 0, 0, 100, 100 }, 10, 20, 30, 5) == (BlitArea { 0, 0, 0, 0, 10, 5 }));
    EXPECT_TRUE(clip_to_pictures({ 8, 0, 1, 0, 100, 1 }, 10, 1, 10, 1) == (BlitArea { 8, 0, 1, 0, 2, 1 }));
}

TEST(BlitArea, AreasThatMissOrHaveNoSizeAreEmpty)
{
    EXPECT_TRUE(clip_to_pictures({ 10, 0, 0, 0, 5, 5 }, 10, 10, 10, 10).is_empty());
    EXPECT_TRUE(clip_to_pictures({ 0, 0, -5, 0, 5, 5 }, 10, 10, 10, 10).is_empty());
    EXPECT_TRUE(clip_to_pictures({ 0, 0, 0, 0, -3, 5 }, 10, 10, 10, 10).is_empty());
    EXPECT_TRUE(clip_to_pictures({ INT_MIN, 0, INT_MAX, 0, INT_MAX, 5 }, 10, 10, 10, 10).is_empty());
    EXPECT_TRUE(clip_to_pictures({ 0, INT_MAX, 0, 0, 1, INT_MAX }, 10, 10, 10, 10).is_empty());
}

}
}
