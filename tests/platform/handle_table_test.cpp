#include "platform/sim/handle_table.h"

#include <gtest/gtest.h>

namespace {

struct Thing : sim::Object {
    int value = 0;
};
struct Other : sim::Object {};

TEST(HandleTable, HandlesAreAllocatedInOrderAndFoundByType)
{
    sim::HandleTable table;
    auto first = table.add(std::make_unique<Thing>());
    auto second = table.add(std::make_unique<Other>());
    EXPECT_LT(first, second);
    EXPECT_NE(table.find<Thing>(first), nullptr);
    EXPECT_EQ(table.find<Thing>(second), nullptr);
    EXPECT_NE(table.find<Other>(second), nullptr);
    EXPECT_NE(table.remove(first), nullptr);
    EXPECT_EQ(table.find<Thing>(first), nullptr);
    EXPECT_GT(table.add(std::make_unique<Thing>()), second);
}

TEST(HandleTable, ChosenNextHandleSkipsTakenOnes)
{
    sim::HandleTable table;
    table.set_next(1234);
    EXPECT_EQ(table.add(std::make_unique<Thing>()), 1234u);
    table.set_next(1234);
    EXPECT_NE(table.add(std::make_unique<Thing>()), 1234u);
    EXPECT_EQ(table.add_at(51234, std::make_unique<Thing>()), 51234u);
}

}
