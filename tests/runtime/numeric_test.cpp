// The numeric rules: rounding half to even, whole-number ranges, Val and the twips conversions.
#include "runtime/error.h"
#include "runtime/numeric.h"
#include "runtime/variant.h"

#include <gtest/gtest.h>

namespace {

using namespace runtime;

long error_number_of(auto&& statement)
{
    try {
        statement();
    } catch (const Error& error) {
        return error.number;
    }
    return 0;
}

TEST(NumericRules, RoundingTakesHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(3.5), 4);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.5001), 3);
    EXPECT_EQ(CLng(0.5), 0);
    EXPECT_EQ(CLng(1.5), 2);
    // The layered alpha of 10 % and 50 % transparency.
    EXPECT_EQ(CLng((1 - 10 / 100.0) * 255), 230);
    EXPECT_EQ(CLng((1 - 50 / 100.0) * 255), 128);
}

TEST(NumericRules, WholeNumbersOutOfRangeOverflow)
{
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(error_number_of([] { CInt(32767.5); }), ErrOverflow);
    EXPECT_EQ(error_number_of([] { CInt(-32769); }), ErrOverflow);
    EXPECT_EQ(CLng(-2147483648.0), INT32_MIN);
    EXPECT_EQ(error_number_of([] { CLng(2147483647.5); }), ErrOverflow);
    EXPECT_EQ(error_number_of([] { checked_integer(40000); }), ErrOverflow);
    EXPECT_EQ(checked_long(40000), 40000);
}

TEST(NumericRules, IntegerDivisionRoundsOperandsThenTruncates)
{
    EXPECT_EQ(IntDiv(7.5, 2), 4);  // 8 \ 2
    EXPECT_EQ(IntDiv(-7, 2), -3);
    EXPECT_EQ(error_number_of([] { IntDiv(1, 0.4); }), 11);
}

TEST(NumericRules, TwipsToPixelsTwoWays)
{
    EXPECT_EQ(twips_to_pixels_int(29), 1);
    EXPECT_EQ(twips_to_pixels_int(29.6), 2);  // 30 \ 15
    EXPECT_EQ(twips_to_pixels_int(-16), -1);
    EXPECT_EQ(twips_to_pixels_int(22.5), 1);  // 22 \ 15: the half goes to the even 22
    EXPECT_DOUBLE_EQ(twips_to_pixels(22.5), 1.5);
    EXPECT_DOUBLE_EQ(pixels_to_twips(3), 45);
}

TEST(NumericRules, ValReadsTheLeadingNumber)
{
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("  42abc"), 42);
    EXPECT_EQ(Val("1 2 3"), 123);
    EXPECT_EQ(Val("-3.5e2x"), -350);
    EXPECT_EQ(Val("3.0"), 3);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val("&HFF"), 255);
    EXPECT_EQ(Val("&HFFFF"), -1);
    EXPECT_EQ(Val("&H10000"), 65536);
    EXPECT_EQ(Val("&o17"), 15);
    EXPECT_EQ(Val("12e"), 12);
    EXPECT_EQ(Val("\t7\n"), 7);
}

TEST(NumericRules, VariantConversions)
{
    EXPECT_EQ(Variant("  12 ").to_long(), 12);
    EXPECT_EQ(Variant(2.5).to_long(), 2);
    EXPECT_EQ(Variant(true).to_long(), -1);
    EXPECT_EQ(Variant(7).to_string(), "7");
    EXPECT_EQ(error_number_of([] { Variant("12a").to_long(); }), ErrTypeMismatch);
    EXPECT_TRUE(Variant().is_empty());
}

TEST(NumericRules, SkipOnErrorGoesOnWithTheNextStatement)
{
    std::vector<int> done;
    EXPECT_FALSE(skip_on_error([&] {
        CInt(1e9);
        done.push_back(1);
    }));
    EXPECT_TRUE(skip_on_error([&] { done.push_back(2); }));
    EXPECT_EQ(done, std::vector<int> { 2 });
}

}
