// The host's load state reading number items of another type as integers.
#include "scene_block.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TEST(HostBlockReads, FloatItemsReadAsIntegersStayDefined)
{
    const zkh::Block block = {{zkh::BlockItem::Type::FP, std::string(), 3.7e33},
                              {zkh::BlockItem::Type::FP, std::string(), -2.5},
                              {zkh::BlockItem::Type::FP, std::string(), std::nan("")},
                              {zkh::BlockItem::Type::I4, std::string(), 42.0}};
    zkh::BlockReader reader(block);
    const LWLoadState *load = reader.State();
    int values[4] = {1, 1, 1, 1};
    EXPECT_EQ(load->readI4(load->readData, values, 4), 4);
    EXPECT_EQ(values[1], -2);
    EXPECT_EQ(values[2], 0);
    EXPECT_EQ(values[3], 42);
}

} // namespace
