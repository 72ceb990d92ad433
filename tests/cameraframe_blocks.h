// cameraframe_blocks.h: ZK:CameraFrame scene blocks for the integration tests, and the fixture
// they share (the cameras, the master, its overlay and its filter).
#ifndef ZK_TESTS_CAMERAFRAME_BLOCKS_H
#define ZK_TESTS_CAMERAFRAME_BLOCKS_H

#include "drawing.h"
#include "filter_image.h"
#include "module_fixture.h"
#include "panels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// One frame as the block stores it; the setters chain.
struct TestFrame {
    std::string name = "F";
    int active = 1;
    std::uint32_t camera = 0;
    double posX = 0, posY = 0, width = 320, aspect = 16.0 / 9.0, marginW = 0.1;
    double r = 0, g = 0, b = 0, transparency = 0;
    std::string memo;
    int focal = 0;
    double rotation = 0, marginH = 0.1;

    TestFrame &On(std::uint32_t id) { camera = id; return *this; }
    TestFrame &Size(double w, double a) { width = w; aspect = a; return *this; }
    TestFrame &At(double x, double y) { posX = x; posY = y; return *this; }
    TestFrame &Margins(double w, double h) { marginW = w; marginH = h; return *this; }
    TestFrame &Rgb(double red, double green, double blue) { r = red; g = green; b = blue; return *this; }
    TestFrame &Clear(double t) { transparency = t; return *this; }
    TestFrame &Named(const std::string &text) { name = text; return *this; }
    TestFrame &Memo(const std::string &text, int showFocal = 0) { memo = text; focal = showFocal; return *this; }
};

// The scene-level items in their order: combined shading (1) in a colour with a transparency, the
// extra text and its flag.
struct TestScene {
    int combined = 0;
    double r = 0, g = 0, b = 0, transparency = 0;
    std::string extraText{};
    int extraFlag = 0;
};

// One frame's guide settings as the guide sub-block stores them, in its order.
struct TestGuides {
    int kinds = 0;
    double opacity = 0.5;
    int titleSafe = 0;
    double titlePercent = 90;
    int actionSafe = 0;
    double actionPercent = 93;
    int burnIn = 0;
};
constexpr int kThirds = 1, kGolden = 2, kCross = 4, kDiagonals = 8;

inline void AddStr(DataLines &block, const std::string &text) { block.push_back(StrLine(text)); }
inline void AddI4(DataLines &block, double v) { block.push_back(IntLine(static_cast<long long>(v))); }
inline void AddFP(DataLines &block, double v) { block.push_back(FloatLine(v)); }

// The frame data of saved lines: what a reader that knows no sub-blocks reads (the guide sub-block
// after it left out).
inline DataLines FrameData(DataLines block)
{
    const auto begin = [](const std::string &line) { return zkh::lwsc::OpensBlock(line); };
    block.erase(std::find_if(block.begin(), block.end(), begin), block.end());
    return block;
}

// The frame's lines for a revision ("05" writes all 16, "04" and "03" leave marginH out, "02" and
// older leave rotation out too).
inline void AddFrame(DataLines &block, const TestFrame &f, const std::string &revision = "05")
{
    AddStr(block, f.name);
    AddI4(block, f.active);
    block.push_back(HexLine(f.camera));
    for (double v : {f.posX, f.posY, f.width, f.aspect, f.marginW, f.r, f.g, f.b, f.transparency})
        AddFP(block, v);
    AddStr(block, f.memo);
    AddI4(block, f.focal);
    if (revision == "03" || revision == "04" || revision == "05")
        AddFP(block, f.rotation);
    if (revision == "05")
        AddFP(block, f.marginH);
}

inline DataLines FrameBlock(const std::vector<TestFrame> &frames, const TestScene &s = TestScene(),
                            const std::string &version = "0305")
{
    DataLines block;
    AddStr(block, version);
    AddI4(block, static_cast<double>(frames.size()));
    const std::string revision = version.size() >= 4 ? version.substr(2, 2) : "";
    for (const TestFrame &f : frames)
        AddFrame(block, f, revision);
    AddI4(block, s.combined);
    for (double v : {s.r, s.g, s.b, s.transparency})
        AddFP(block, v);
    AddStr(block, s.extraText);
    AddI4(block, s.extraFlag);
    return block;
}

// The frames followed by the guide sub-block ("{ FrameGuides"), in list order.
inline DataLines FrameBlock(const std::vector<TestFrame> &frames, const std::vector<TestGuides> &guides)
{
    DataLines block = FrameBlock(frames);
    block.push_back("{ FrameGuides");
    AddI4(block, static_cast<double>(guides.size()));
    for (const TestGuides &g : guides)
        for (auto [v, fp] : {std::pair{double(g.kinds), false}, {g.opacity, true}, {double(g.titleSafe), false},
                             {g.titlePercent, true}, {double(g.actionSafe), false}, {g.actionPercent, true},
                             {double(g.burnIn), false}})
            fp ? AddFP(block, v) : AddI4(block, v);
    block.push_back("}");
    return block;
}

// A scene with "Camera" (cameraW x cameraH, by default 1920 x 1080, 35 mm) shown whole in the 1000 x 1000 camera viewport 0
// (0.5208333 viewport pixels per camera pixel, the image centre at (500, 500)) and "Plate"
// (200 x 100, 35 mm) for renders.
class CameraFrameTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        camera = host.scene.AddCamera("Camera", cameraW, cameraH, 35.0).id;
        plate = host.scene.AddCamera("Plate", 200, 100, 35.0).id;
        host.scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 1000, 1000});
    }

    // The master, added on first use. Loads append their frames to the list; Reload starts over.
    zkh::MasterInstance &Master()
    {
        zkh::MasterInstance *master = host.masters.Find("ZK:CameraFrame");
        if (!master)
            master = host.masters.Add("ZK:CameraFrame");
        EXPECT_NE(master, nullptr);
        return *master;
    }
    void Load(const DataLines &block) { ASSERT_EQ(LoadMasterBlock(Master(), block), nullptr); }
    void Reload(const DataLines &block)
    {
        host.masters.Remove("ZK:CameraFrame");
        Load(block);
    }
    // The lines saved now: the frame data, or whole.
    std::vector<std::string> Saved(bool whole = false)
    {
        const DataLines block = SaveMasterBlock(Master());
        return whole ? block : FrameData(block);
    }

    // A 960 x 540 frame of "Camera", centred: viewport x 250..750, y 359.375..640.625.
    TestFrame HalfFrame() const { return TestFrame().On(camera).Size(960, 960.0 / 540.0); }
    // A 100 x 50 frame of "Plate", centred: x 50..150, y 25..75 of its renders.
    TestFrame PlateFrame() const { return TestFrame().On(plate).Size(100, 2); }

    // The options panel, opened (or raised) now, and its controls by id.
    zkh::Panel &Open()
    {
        Master();
        EXPECT_TRUE(host.masters.OpenOptions("ZK:CameraFrame"));
        panel = host.panels.LastOpened();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }
    zkh::PanelControl &C(int id)
    {
        zkh::PanelControl *control = zkh::PanelService::Find(*panel, "#" + std::to_string(id));
        EXPECT_NE(control, nullptr);
        return *control;
    }
    void Press(int id) { zkh::PanelService::Fire(C(id)); }
    void SetInt(int id, int value)
    {
        zkh::PanelService::SetInt(C(id), value);
        Press(id);
    }
    void SetFloat(int id, double value)
    {
        zkh::PanelService::SetFloat(C(id), value);
        Press(id);
    }
    std::vector<int> Ints(std::initializer_list<int> ids)
    {
        std::vector<int> values;
        for (int id : ids)
            values.push_back(C(id).intValue);
        return values;
    }

    // The overlay's draw calls over a viewport, all or of one kind.
    std::vector<zkh::DrawCall> Calls(int view)
    {
        zkh::DrawRecorder recorder(view);
        host.DrawViewport(view, recorder);
        return recorder.calls;
    }
    std::vector<zkh::DrawCall> Calls(int view, zkh::DrawCall::Kind kind)
    {
        std::vector<zkh::DrawCall> calls;
        for (const zkh::DrawCall &call : Calls(view))
            if (call.kind == kind)
                calls.push_back(call);
        return calls;
    }
    static std::vector<std::string> Kinds(const std::vector<zkh::DrawCall> &calls)
    {
        std::vector<std::string> kinds;
        for (const zkh::DrawCall &call : calls)
            kinds.push_back(zkh::DrawKindName(call.kind));
        return kinds;
    }

    // A render of the plate (or of a w x h image) in one colour, filtered.
    zkh::FilterImage Render(std::array<float, 4> rgba = {0, 0, 0, 1}, int frame = 0, int w = 200, int h = 100)
    {
        zkh::FilterImage image;
        image.Assign(w, h, rgba[0], rgba[1], rgba[2], rgba[3]);
        EXPECT_TRUE(host.imageFilters.RunOne("ZK:CameraFrame", image, frame)) << host.messages.back();
        return image;
    }

    int cameraW = 1920, cameraH = 1080;
    std::uint32_t camera = 0, plate = 0;
    zkh::Panel *panel = nullptr;
};

#endif
