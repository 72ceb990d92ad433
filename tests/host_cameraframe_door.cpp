// The camera frames' door through the module file: the function zkhost looks up beside
// _mod_descrip, reading the master's block into plain records and writing a block it loads.
#include "cameraframe_blocks.h"
#include "lwsc/plugin_data.h"
#include "zktools/camera_frame_door.h"
#include "zktools/frame_panel_controls.h"

#include <cstring>
#include <iterator>

namespace {

using CameraFrameDoor = CameraFrameTest;
using Lines = std::vector<std::string>;

const ZkFrameDoor &Door(zkh::Host &host)
{
    void *symbol = host.LoadedModule()->Symbol(ZK_CAMERA_FRAME_DOOR_NAME);
    EXPECT_NE(symbol, nullptr);
    const ZkFrameDoor *door = reinterpret_cast<ZkCameraFrameDoorFunc *>(symbol)();
    EXPECT_EQ(door->version, ZK_CAMERA_FRAME_DOOR_VERSION);
    return *door;
}

struct Read {
    const ZkFrameDoor &door;
    ZkDoorFrames *frames = nullptr;
    const char *error = nullptr;
    Read(const ZkFrameDoor &d, const Lines &lines) : door(d)
    {
        zkh::lwsc::PluginDataReader reader(std::vector<std::string_view>(lines.begin(), lines.end()));
        frames = door.read(reader.State(), &error);
    }
    ~Read() { door.release(frames); }
};

Lines Written(const ZkFrameDoor &door, const ZkDoorFrames &frames)
{
    zkh::lwsc::PluginDataWriter writer;
    door.write(&frames, writer.State());
    return writer.Finish();
}

int FramePanelControl(const char *name)
{
    static const char *const kNames[] = {
#define ZK_TEST_FRAME_CONTROL(id, text) text,
        ZK_FRAME_PANEL_CONTROLS(ZK_TEST_FRAME_CONTROL)
#undef ZK_TEST_FRAME_CONTROL
    };
    for (int id = 0; id < static_cast<int>(std::size(kNames)); ++id)
        if (std::strcmp(kNames[id], name) == 0)
            return id;
    ADD_FAILURE() << name;
    return -1;
}

// Every item of the block, guides and the extra text and flag too, read into the records; the
// records written again give the master's own lines, and a changed record loads into the master.
TEST_F(CameraFrameDoor, ReadsWhatTheMasterSavesAndWritesWhatItLoads)
{
    TestFrame f = TestFrame().On(camera).At(12, -8).Size(1000, 2).Margins(0.25, 0.2).Rgb(1, 0.5, 0).Clear(0.75);
    f.Named("Wide").Memo("メモ", 1).rotation = 0.5;
    TestGuides g;
    g.kinds = kThirds | kDiagonals;
    g.opacity = 0.25;
    g.actionSafe = 1;
    g.burnIn = 1;
    DataLines block = FrameBlock({f, TestFrame().Named("Second")}, {g, TestGuides()});
    block[2 * 16 + 2 + 5] = "\"extra\""; // the extra text
    block[2 * 16 + 2 + 6] = "1";         // and its flag
    Load(block);
    const Lines saved = Saved(true);

    const ZkFrameDoor &door = Door(host);
    Read read(door, saved);
    ASSERT_NE(read.frames, nullptr);
    const ZkDoorFrames &s = *read.frames;
    ASSERT_EQ(s.count, 2);
    const ZkDoorFrame &d = s.frames[0];
    EXPECT_EQ(std::string(d.name) + "|" + d.memo + "|" + s.frames[1].name + "|" + s.extraText, "Wide|メモ|Second|extra");
    EXPECT_EQ(std::vector<double>({double(d.active), double(d.camera), d.posX, d.posY, d.width, d.aspect, d.marginW,
                                   d.marginH, d.color[0], d.color[1], d.color[2], d.transparency, double(d.focalLength),
                                   float(d.rotation)}),
              (std::vector<double>{1, double(camera), 12, -8, 1000, 2, 0.25, float(0.2), 1, 0.5, 0, 0.75, 1, 0.5f}));
    EXPECT_EQ(std::vector<double>({double(d.guides.kinds), d.guides.opacity, double(d.guides.titleSafe),
                                   d.guides.titleSafePercent, double(d.guides.actionSafe), d.guides.actionSafePercent,
                                   double(d.guides.burnIn), double(s.frames[1].guides.kinds)}),
              (std::vector<double>{9, 0.25, 0, 90, 1, 93, 1, 0}));
    EXPECT_EQ(std::vector<int>({s.combined, s.extraFlag}), (std::vector<int>{0, 1}));
    EXPECT_EQ(Written(door, s), saved);

    ZkDoorFrames changed = s;
    changed.extraText = "changed";
    changed.extraFlag = 0;
    changed.combined = 1;
    Reload(Written(door, changed));
    Lines expected = saved;
    expected[2 * 16 + 2] = "1";
    expected[2 * 16 + 2 + 5] = "\"changed\"";
    expected[2 * 16 + 2 + 6] = "0";
    EXPECT_EQ(Saved(true), expected);
}

// A block not of the frames' format is refused with the master's message; a read touches neither
// the master's frames nor the names new frames get.
TEST_F(CameraFrameDoor, RefusesOtherFormatsAndLeavesTheMasterAlone)
{
    const ZkFrameDoor &door = Door(host);
    for (const Lines &block : {FrameBlock({TestFrame()}, TestScene(), "0205"), Lines{}, Lines{"\"0305\"", "\"two\""}}) {
        Read read(door, block);
        if (block.size() == 2) { // a count that is no number: no frame, as the master's load
            ASSERT_NE(read.frames, nullptr);
            EXPECT_EQ(read.frames->count, 0);
        } else {
            EXPECT_EQ(read.frames, nullptr);
            EXPECT_STREQ(read.error, "Invalid format!");
        }
    }

    Open();
    Press(FramePanelControl("create"));
    const Lines before = Saved(true);
    { Read read(door, FrameBlock({TestFrame(), TestFrame(), TestFrame()})); }
    EXPECT_EQ(Saved(true), before);
    Press(FramePanelControl("create"));
    const Lines after = Saved();
    EXPECT_EQ(Lines({before[2], after[2 + 16]}), (Lines{"\"Frame (1)\"", "\"Frame (2)\""}));
}

} // namespace
