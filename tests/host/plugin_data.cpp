// The load and save states over a plug-in's data in a text scene: the lines each write call makes,
// and what each read call takes of them.
#include "lwsc/plugin_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const LWBlockIdent kBlocks[] = {{LWID_('F', 'R', 'A', 'M'), "Frame"}, {LWID_('L', 'E', 'A', 'F'), "Leaf"}, {0, nullptr}};

// Every write call once, nested and leaf blocks included.
TEST(PluginData, WriteCallsMakeTheLinesOfLayoutsTextScenes)
{
    zkh::lwsc::PluginDataWriter writer("  ");
    const LWSaveState *save = writer.State();
    void *data = save->writeData;
    EXPECT_EQ(save->ioMode, LWIO_ASCII);
    const int ints[] = {255, -3, 0};
    const float floats[] = {0.1f, -0.0f, 3.4028235e+38f, 1e-45f};
    const unsigned int words[] = {0x30000001u, 0u};
    const unsigned char bytes[] = {0x0a, 0xff};
    const double doubles[] = {0.1, 1e300};
    save->writeStr(data, "Camera \"A\"");
    save->writeI4(data, ints, 3);
    save->writeFP(data, floats, 4);
    save->writeU4(data, words, 2);
    save->writeU1(data, bytes, 2);
    save->writeDP(data, doubles, 2);
    save->write(data, "raw text", -1);
    save->beginBlk(data, &kBlocks[0], 0);
    EXPECT_EQ(save->depth(data), 1);
    save->writeI4(data, ints, 1);
    save->beginBlk(data, &kBlocks[1], 1);
    save->writeI4(data, ints, 2);
    save->writeFP(data, floats, 1);
    save->endBlk(data);
    save->endBlk(data);
    EXPECT_EQ(save->depth(data), 0);
    save->writeStr(data, "");
    EXPECT_EQ(writer.Finish(), Lines({"  \"Camera \"A\"\"", "  255 -3 0", "  0.1 -0 3.4028235e+38 1e-45",
                                      "  30000001 0", "  0a ff", "  0.1 1e+300", "  raw text", "  { Frame",
                                      "    255", "    Leaf 255 -3 0.1", "  }", "  \"\""}));
}

// A read takes one line: as many numbers as it holds (fewer answered when it holds fewer), a string
// from quotes; never a block's own lines, never past the data.
TEST(PluginData, ReadCallsTakeOneLineEach)
{
    const Lines lines = {"\"0305\"", "  2 3", "0.25 x", "1a2b", "{ Frame", "  \"in\"", "  Leaf 7 8", "}",
                         "\"unclosed", "-0"};
    zkh::lwsc::PluginDataReader reader(std::vector<std::string_view>(lines.begin(), lines.end()));
    const LWLoadState *load = reader.State();
    void *data = load->readData;
    char text[8];
    EXPECT_EQ(load->readStr(data, text, sizeof text), 4);
    EXPECT_STREQ(text, "0305");
    int ints[3] = {0, 0, 0};
    EXPECT_EQ(load->readI4(data, ints, 3), 2);
    EXPECT_EQ(ints[0] * 10 + ints[1], 23);
    float floats[2] = {0, 0};
    EXPECT_EQ(load->readFP(data, floats, 2), 1);
    EXPECT_EQ(floats[0], 0.25f);
    unsigned int word = 0;
    EXPECT_EQ(load->readU4(data, &word, 1), 1);
    EXPECT_EQ(word, 0x1a2bu);
    // A number asked for where a block begins: nothing, and the block is still there to find.
    EXPECT_EQ(load->readI4(data, ints, 1), 0);
    EXPECT_EQ(load->findBlk(data, kBlocks), kBlocks[0].id);
    EXPECT_EQ(load->depth(data), 1);
    EXPECT_EQ(load->readStr(data, text, 3), 2); // cut to the buffer, which ends with a NUL
    EXPECT_STREQ(text, "in");
    EXPECT_EQ(load->findBlk(data, kBlocks), kBlocks[1].id);
    EXPECT_EQ(load->readI4(data, ints, 3), 2);
    EXPECT_EQ(ints[0] * 10 + ints[1], 78);
    load->endBlk(data);
    load->endBlk(data);
    EXPECT_EQ(load->depth(data), 0);
    EXPECT_EQ(load->readStr(data, text, sizeof text), 7);
    EXPECT_STREQ(text, "unclose");
    EXPECT_EQ(load->readFP(data, floats, 1), 1);
    EXPECT_TRUE(std::signbit(floats[0]));
    EXPECT_EQ(load->readI4(data, ints, 1), 0);
    EXPECT_EQ(load->readStr(data, text, sizeof text), -1);
    EXPECT_EQ(reader.Position(), lines.size());
}

} // namespace
