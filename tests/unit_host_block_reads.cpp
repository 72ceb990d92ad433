// The host's load and save states: one line per write call, typed reads, nested blocks.
#include "scene_block.h"

#include <gtest/gtest.h>

namespace {

constexpr LWID kGuides = LWID_('G', 'U', 'I', 'D');
constexpr LWID kOther = LWID_('O', 'T', 'H', 'R');

// A read takes the next write call whole, of its own type and count, or nothing.
TEST(HostBlockReads, AReadTakesOneWriteCallOfItsTypeAndCount)
{
    zkh::Block block;
    zkh::BlockWriter writer(block);
    const LWSaveState *save = writer.State();
    const float pair[2] = {1.0f, 1.5f};
    const int one = 7;
    save->writeFP(save->writeData, pair, 2);
    save->writeI4(save->writeData, &one, 1);
    EXPECT_EQ(zkh::FormatBlock(block, "  "), (std::vector<std::string>{"  FP 1 1.5", "  I4 7"}));

    zkh::BlockReader reader(block);
    const LWLoadState *load = reader.State();
    float f = 0;
    int i = 0;
    EXPECT_EQ(load->readFP(load->readData, &f, 1), 0); // written as two values in one call
    EXPECT_EQ(load->readI4(load->readData, &i, 1), 0); // another type
    float both[2] = {};
    EXPECT_EQ(load->readFP(load->readData, both, 2), 2);
    EXPECT_EQ(both[1], 1.5f);
    EXPECT_EQ(load->readFP(load->readData, &f, 1), 0); // an integer is next
    EXPECT_EQ(load->readI4(load->readData, &i, 1), 1);
    EXPECT_EQ(i, 7);
}

// A reader that does not ask for a nested block never sees it; one that asks finds it, and endBlk
// skips what it left unread.
TEST(HostBlockReads, NestedBlocksAreFoundOrPassedOver)
{
    zkh::Block block;
    zkh::BlockWriter writer(block);
    const LWSaveState *save = writer.State();
    const int values[3] = {1, 2, 3};
    const LWBlockIdent guides = {kGuides, "Guides"};
    const LWBlockIdent inner = {kOther, "Inner"};
    save->writeI4(save->writeData, values, 1);
    save->beginBlk(save->writeData, &guides, 0);
    EXPECT_EQ(save->depth(save->writeData), 1);
    save->writeI4(save->writeData, values, 3);
    save->beginBlk(save->writeData, &inner, 1);
    save->writeStr(save->writeData, "deep");
    save->endBlk(save->writeData);
    save->writeI4(save->writeData, values + 2, 1);
    save->endBlk(save->writeData);
    save->endBlk(save->writeData); // nothing open: ignored
    save->writeStr(save->writeData, "after");
    EXPECT_EQ(zkh::FormatBlock(block, ""), (std::vector<std::string>{"I4 1", "Block 0x47554944 \"Guides\"", "  I4 1 2 3",
                                                                     "  Block 0x4F544852 \"Inner\"", "    Str \"deep\"",
                                                                     "  EndBlock", "  I4 3", "EndBlock", "Str \"after\""}));

    // The text form reads back to the same items.
    zkh::Block back;
    std::string error;
    for (const std::string &line : zkh::FormatBlock(block, "  "))
        ASSERT_TRUE(zkh::ParseBlockLine(line, back, error)) << line << ": " << error;
    ASSERT_TRUE(zkh::CheckBlockNesting(back, error)) << error;
    EXPECT_EQ(zkh::FormatBlock(back, ""), zkh::FormatBlock(block, ""));

    {
        // An earlier reader: the frame data only; the block after it is never asked for.
        zkh::BlockReader reader(back);
        const LWLoadState *load = reader.State();
        int first = 0;
        EXPECT_EQ(load->readI4(load->readData, &first, 1), 1);
        char text[8];
        EXPECT_EQ(load->readStr(load->readData, text, sizeof text), -1); // the block is next, no string
    }
    zkh::BlockReader reader(back);
    const LWLoadState *load = reader.State();
    int first = 0, three[3] = {};
    const LWBlockIdent wanted[] = {{kOther, "Inner"}, {kGuides, "Guides"}, {0, nullptr}};
    const LWBlockIdent none[] = {{kOther, "Inner"}, {0, nullptr}};
    EXPECT_EQ(load->findBlk(load->readData, wanted), 0u); // an integer is next
    EXPECT_EQ(load->readI4(load->readData, &first, 1), 1);
    EXPECT_EQ(load->findBlk(load->readData, none), 0u);
    EXPECT_EQ(load->findBlk(load->readData, wanted), kGuides);
    EXPECT_EQ(load->depth(load->readData), 1);
    EXPECT_EQ(load->readI4(load->readData, three, 3), 3);
    load->endBlk(load->readData); // skips the inner block and the last integer
    EXPECT_EQ(load->depth(load->readData), 0);
    char text[8];
    EXPECT_EQ(load->readStr(load->readData, text, sizeof text), 5);
    EXPECT_STREQ(text, "after");

    // Lines that are no block lines.
    zkh::Block bad;
    EXPECT_FALSE(zkh::ParseBlockLine("Block 0 \"x\"", bad, error));
    EXPECT_FALSE(zkh::ParseBlockLine("I4 1 x", bad, error));
    EXPECT_TRUE(bad.empty());
    ASSERT_TRUE(zkh::ParseBlockLine("EndBlock", bad, error));
    EXPECT_FALSE(zkh::CheckBlockNesting(bad, error));
    EXPECT_EQ(error, "EndBlock without its Block");
}

} // namespace
