// cameraframe_blocks.h: building ZK:CameraFrame scene blocks for the integration tests.
#ifndef ZK_TESTS_CAMERAFRAME_BLOCKS_H
#define ZK_TESTS_CAMERAFRAME_BLOCKS_H

#include "scene_block.h"

#include <cstdint>
#include <string>

struct TestFrame {
    std::string name = "F";
    int active = 1;
    std::uint32_t camera = 0;
    double posX = 0, posY = 0, width = 320, aspect = 16.0 / 9.0, marginW = 0.1;
    double r = 0, g = 0, b = 0, transparency = 0;
    std::string memo;
    int focal = 0;
    double rotation = 0, marginH = 0.1;
};

struct TestScene {
    int combined = 0;
    double r = 0, g = 0, b = 0, transparency = 0;
    std::string extraText;
    int extraFlag = 0;
};

inline void AddStr(zkh::Block &block, const std::string &text) { block.push_back({zkh::BlockItem::Type::Str, text, 0}); }
inline void AddI4(zkh::Block &block, double v) { block.push_back({zkh::BlockItem::Type::I4, std::string(), v}); }
inline void AddU4(zkh::Block &block, double v) { block.push_back({zkh::BlockItem::Type::U4, std::string(), v}); }
inline void AddFP(zkh::Block &block, double v)
{
    block.push_back({zkh::BlockItem::Type::FP, std::string(), static_cast<double>(static_cast<float>(v))});
}

// The frame data of a saved block: what a reader that knows no sub-blocks reads (the guide
// sub-block after it left out).
inline zkh::Block FrameData(zkh::Block block)
{
    for (size_t i = 0; i < block.size(); ++i)
        if (block[i].type == zkh::BlockItem::Type::Begin) {
            block.resize(i);
            break;
        }
    return block;
}

// The frame's items for a revision ("05" writes all 16, "04" and "03" leave marginH out, "02" and
// older leave rotation out too).
inline void AddFrame(zkh::Block &block, const TestFrame &f, const std::string &revision = "05")
{
    AddStr(block, f.name);
    AddI4(block, f.active);
    AddU4(block, f.camera);
    AddFP(block, f.posX);
    AddFP(block, f.posY);
    AddFP(block, f.width);
    AddFP(block, f.aspect);
    AddFP(block, f.marginW);
    AddFP(block, f.r);
    AddFP(block, f.g);
    AddFP(block, f.b);
    AddFP(block, f.transparency);
    AddStr(block, f.memo);
    AddI4(block, f.focal);
    if (revision == "03" || revision == "04" || revision == "05")
        AddFP(block, f.rotation);
    if (revision == "05")
        AddFP(block, f.marginH);
}

inline void AddSceneSettings(zkh::Block &block, const TestScene &s)
{
    AddI4(block, s.combined);
    AddFP(block, s.r);
    AddFP(block, s.g);
    AddFP(block, s.b);
    AddFP(block, s.transparency);
    AddStr(block, s.extraText);
    AddI4(block, s.extraFlag);
}

// One frame's guide settings as the guide sub-block stores them.
struct TestGuides {
    int kinds = 0;
    double opacity = 0.5;
    int titleSafe = 0;
    double titlePercent = 90;
    int actionSafe = 0;
    double actionPercent = 93;
    int burnIn = 0;
};

// The guide sub-block ("FrameGuides", identifier GUID) for frames in list order.
inline void AddGuideBlock(zkh::Block &block, const std::vector<TestGuides> &guides)
{
    block.push_back({zkh::BlockItem::Type::Begin, "FrameGuides", static_cast<double>(LWID_('G', 'U', 'I', 'D'))});
    AddI4(block, static_cast<double>(guides.size()));
    for (const TestGuides &g : guides) {
        AddI4(block, g.kinds);
        AddFP(block, g.opacity);
        AddI4(block, g.titleSafe);
        AddFP(block, g.titlePercent);
        AddI4(block, g.actionSafe);
        AddFP(block, g.actionPercent);
        AddI4(block, g.burnIn);
    }
    block.push_back({zkh::BlockItem::Type::End, std::string(), 0});
}

inline zkh::Block FrameBlock(const std::vector<TestFrame> &frames, const TestScene &scene = TestScene(),
                             const std::string &version = "0305")
{
    zkh::Block block;
    AddStr(block, version);
    AddI4(block, static_cast<double>(frames.size()));
    const std::string revision = version.size() >= 4 ? version.substr(2, 2) : "";
    for (const TestFrame &f : frames)
        AddFrame(block, f, revision);
    AddSceneSettings(block, scene);
    return block;
}

#endif
