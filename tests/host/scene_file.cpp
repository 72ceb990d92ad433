// The simulated host's scene files (Layout's LWSC text format): real files read and written back
// byte for byte, edits that rewrite only their lines, new scenes, and damaged files.
#include "host.h"
#include "../line_diff.h"
#include "lwsc/document.h"
#include "lwsc/envelope.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path kShared = fs::path(ZK_SOURCE_DIR) / ".." / "shared" / "lwsc";

std::string ReadBytes(const fs::path &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every real scene file of the samples and the corpus.
std::vector<fs::path> RealScenes()
{
    std::vector<fs::path> files;
    for (const fs::path &folder : {kShared / "samples", kShared / "corpus"})
        for (const auto &entry : fs::recursive_directory_iterator(folder))
            if (entry.path().extension() == ".lws")
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

int VersionOf(const std::string &bytes)
{
    const size_t line = bytes.find_first_of("\r\n");
    const size_t start = bytes.find_first_not_of("\r\n", line);
    return start == std::string::npos ? 0 : std::atoi(bytes.c_str() + start);
}

// Versions 3 and later load and, saved without a change, give back the file byte for byte; versions
// 1 and 2 are refused with the version named and nothing of the scene touched.
TEST(SceneFile, RealScenesRoundTripByteForByte)
{
    size_t loaded = 0, refused = 0;
    for (const fs::path &path : RealScenes()) {
        SCOPED_TRACE(path.filename().string());
        const std::string bytes = ReadBytes(path);
        zkh::Host host;
        host.scene.AddCamera("Before", 10, 10, 35);
        const int version = VersionOf(bytes);
        if (version < 3) {
            EXPECT_FALSE(host.LoadSceneText(bytes, "old.lws"));
            EXPECT_EQ(host.messages.back(), "old.lws:2: this is a LightWave 5 scene (format version " +
                                                std::to_string(version) +
                                                "), which this host cannot read: open it in Layout 6 or later and "
                                                "save it again");
            EXPECT_NE(host.scene.FindByName("Before"), nullptr);
            ++refused;
            continue;
        }
        ASSERT_TRUE(host.LoadSceneText(bytes, path.string())) << host.messages.back();
        EXPECT_EQ(host.SceneText(), bytes);
        ++loaded;
    }
    EXPECT_EQ(loaded, 13u + 21u); // the samples and the corpus
    EXPECT_EQ(refused, 1u + 26u);
}


// A scene of each kind of item, a morph mixer, a channel handler and an expression, as Layout 7
// writes them (LWSC 4).
const char kRig[] = R"(LWSC
4

FirstFrame 1
LastFrame 48
FrameStep 1
PreviewFirstFrame 0
PreviewLastFrame 48
PreviewFrameStep 1
CurrentFrame 12
FramesPerSecond 24

LoadObjectLayer 2 10000000 Objects/Face.lwo
ShowObject 6 3
ObjectMotion
NumChannels 1
Channel 0
{ Envelope
  2
  Key 0 0 0 0 0 0 0 0 0
  Key 1.5 1 3 0 0 0 0 0 0
  Behaviors 1 1
  { ChannelHandler
    "ZK:ChanClipMixer"
  }
}
Plugin DisplacementHandler 1 LW_MorphMixer
2
1
{ Group
  2
  "MorphGroup"
}
{ MorfForm
  "MorphGroup.Smile"
  0.5
}
{ MorfForm
  "MorphGroup.Blink"
  0
  { Envelope
    1
    Key 0.25 0 3 0 0 0 0 0 0
    Behaviors 1 1
  }
}
EndPlugin

AddBone 41000000 10000000
BoneName Jaw
BoneActive 1
BoneMotion
NumChannels 5
Channel 4
{ Envelope
  1
  Key 0.1 0 0 0 0 0 0 0 0
  Behaviors 1 1
}

AddNullObject 10000001 Controller
ShowObject 6 3
ParentItem 10000000

AddCamera 30000000
CameraName Camera
ShowCamera 1 2
ZoomFactor 3.2
ResolutionMultiplier 0.5
FrameSize 640 480
PixelAspect 1
ApertureHeight 0.015

CurrentCamera 0
GraphEditorData
{ GE_Expression_Lib
  1
  Expression "Open" "[Controller.Position.X] * 2" 0
}
)";

// What the host needs of a scene: timing, items with their ids, kinds and parents, cameras,
// channels (morph mixer forms included) and their envelopes; the rest is kept as it is.
TEST(SceneFile, ReadsWhatTheHostNeeds)
{
    zkh::Host host;
    ASSERT_TRUE(host.LoadSceneText(kRig, "rig.lws"));
    EXPECT_EQ(host.messages, Lines({"rig.lws:23: no ChannelHandler ZK:ChanClipMixer in the loaded module: its block "
                                    "is kept as it is"}));
    const zkh::Scene &scene = host.scene;
    EXPECT_EQ(scene.fps, 24);
    EXPECT_EQ(scene.CurrentFrame(), 12);
    const zkh::Item *face = scene.FindByName("Face:Layer2");
    const zkh::Item *jaw = scene.FindByName("Jaw");
    const zkh::Item *controller = scene.FindByName("Controller");
    const zkh::Item *camera = scene.FindByName("Camera");
    ASSERT_TRUE(face && jaw && controller && camera);
    EXPECT_EQ(face->id, 0x10000000u);
    EXPECT_EQ(face->fileName, "Objects/Face.lwo");
    EXPECT_EQ(face->layer, 2);
    EXPECT_EQ(jaw->id, 0x41000000u);
    EXPECT_EQ(jaw->parent, face->id);
    EXPECT_EQ(controller->parent, face->id);
    EXPECT_EQ(camera->id, 0x30000000u);
    EXPECT_EQ(camera->resolutionW, 640);
    EXPECT_EQ(camera->resolutionH, 480);
    EXPECT_DOUBLE_EQ(camera->resolutionMultiplier, 0.5);
    EXPECT_NEAR(scene.FocalLengthAt(camera->id, 0), 3.2 * 0.015 * 500, 1e-9);

    const auto groups = scene.GroupsNamed(face->chanGroup, "MorphGroup");
    ASSERT_EQ(groups.size(), 1u);
    const zkh::Channel *smile = scene.ChannelNamed(groups[0]->id, "Smile");
    const zkh::Channel *blink = scene.ChannelNamed(groups[0]->id, "Blink");
    ASSERT_TRUE(smile && blink);
    EXPECT_EQ(zkh::lwsc::EvaluateEnvelope(smile->envelope, 3), 0.5);
    EXPECT_EQ(zkh::lwsc::EvaluateEnvelope(blink->envelope, 3), 0.25);
    const auto position = scene.ChannelsIn(face->chanGroup);
    ASSERT_FALSE(position.empty());
    EXPECT_EQ(zkh::lwsc::EvaluateEnvelope(position[0]->envelope, 1), 1.5);
    EXPECT_EQ(host.SceneText(), kRig);
}

// A change rewrites its own lines and nothing else; a new item goes where Layout puts its kind.
TEST(SceneFile, EditsRewriteOnlyTheirLines)
{
    const std::string original = ReadBytes(kShared / "samples" / "move_x.lws");
    struct Case {
        const char *what;
        void (*edit)(zkh::Scene &);
        size_t line;
        Lines removed, added;
    };
    const Case cases[] = {
        {"a key's value", [](zkh::Scene &scene) {
             const zkh::Item *cube = scene.FindByName("simple_cube");
             scene.FindChannel(scene.ChannelsIn(cube->chanGroup)[0]->id)->envelope.keys[1].value = 2.5;
         },
         26, {"  Key 2.0691125392913818 0.66666666666666663 0 0 0 0 -1.1874328851699829 -1.1874328851699829 0"},
         {"  Key 2.5 0.66666666666666663 0 0 0 0 -1.1874328851699829 -1.1874328851699829 0"}},
        {"the preview range", [](zkh::Scene &scene) { scene.previewEnd = 90; }, 10, {"PreviewLastFrame 60"},
         {"PreviewLastFrame 90"}},
        // After the last object's lines, its motion in full as Layout writes a new item's.
        {"a null object", [](zkh::Scene &scene) { scene.AddNullObject("Added"); }, 205, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        zkh::Host host;
        ASSERT_TRUE(host.LoadSceneText(original, "move_x.lws"));
        c.edit(host.scene);
        const std::string saved = host.SceneText();
        const Change change = Diff(original, saved);
        EXPECT_EQ(change.line, c.line);
        EXPECT_EQ(change.removed, c.removed);
        if (c.added.empty()) {
            ASSERT_EQ(change.added.size(), 4u + 9 * 6 + 2);
            EXPECT_EQ(Lines(change.added.begin(), change.added.begin() + 6),
                      Lines({"AddNullObject 10000001 Added", "ShowObject 6 3", "ObjectMotion", "NumChannels 9",
                             "Channel 0", "{ Envelope"}));
            EXPECT_EQ(Lines(change.added.end() - 2, change.added.end()), Lines({"ShadowOptions 7", ""}));
        } else {
            EXPECT_EQ(change.added, c.added);
        }
        // What was saved loads and saves again unchanged.
        ASSERT_TRUE(host.LoadSceneText(saved, "saved.lws"));
        EXPECT_EQ(host.SceneText(), saved);
    }
}


// A damaged file is refused with its line named and the scene left as it was; what can be read
// around a fault loads, with the fault named.
TEST(SceneFile, DamagedFilesNameTheirLine)
{
    struct Case {
        std::string text;
        bool loads;
        Lines messages;
        std::string savedAs = std::string(); // what a save writes, when not the text itself
    };
    const std::string head = "LWSC\n5\n\n";
    const std::string null = "AddNullObject 10000000 A\nObjectMotion\nNumChannels 1\nChannel 0\n";
    const Case cases[] = {
        {"", false, {"s.lws:1: not a LightWave scene file (the first line is not \"LWSC\")"}},
        {std::string("\x89PNG\r\n\x1a\n\0\0", 10), false,
         {"s.lws:1: not a LightWave scene file (the first line is not \"LWSC\")"}},
        {"LWSC\nfive\n", false, {"s.lws:2: expected the scene format version (a whole number above 0)"}},
        {head + "Plugin MasterHandler 1 X\n\"a\"\n", false, {"s.lws:4: the plug-in X has no EndPlugin"}},
        {head + null + "{ Envelope\n  1\n  Key 0 0\n", false, {"s.lws:8: the block \"{ Envelope\" is not closed"}},
        {head + null + "{ Envelope\n  99999999999\n  Key 0 0 0 0 0 0 0 0 0\n  Behaviors 1 1\n}\n", true,
         {"s.lws:9: the envelope says 99999999999 keys and holds 1"}},
        {head + "FirstFrame 1e400\nFramesPerSecond -3\n", true,
         {"s.lws:5: FramesPerSecond is not a number above 0 (30 is taken)", "s.lws:4: FirstFrame is not a whole number"}},
        {head + "}\n", true, {"s.lws:4: a \"}\" without its block"}},
        {head + "AddNullObject 10000000 A\nAddNullObject 10000000 B\n", true,
         {"s.lws:5: item identifier 10000000 is used twice: this item gets another one"},
         head + "AddNullObject 10000000 A\nAddNullObject 10000001 B\n"},
        {head + "AddNullObject 10000000 A\nParentItem 10000001\nAddNullObject 10000001 B\nParentItem 10000000\n", true,
         {"s.lws:5: the parent of A is its own child: it is left without a parent"},
         head + "AddNullObject 10000000 A\nAddNullObject 10000001 B\nParentItem 10000000\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        zkh::Host host;
        host.scene.AddCamera("Before", 10, 10, 35);
        EXPECT_EQ(host.LoadSceneText(c.text, "s.lws"), c.loads);
        EXPECT_EQ(host.messages, c.messages);
        EXPECT_EQ(host.scene.FindByName("Before") != nullptr, !c.loads);
        if (c.loads) {
            EXPECT_EQ(host.SceneText(), c.savedAs.empty() ? c.text : c.savedAs);
        }
    }
}

// A new scene is written as LWSC 5 and reads back to itself; an LWSC 3 scene gets new items by
// position, as version 3 names items.
TEST(SceneFile, NewScenesAndVersionThreeItems)
{
    zkh::Host host; // one host at a time: each scene replaces the last
    host.scene.AddCamera("Camera", 1920, 1080, 35);
    zkh::Item &face = host.scene.AddObject("Face", "Objects/Face.lwo");
    host.scene.AddBone("Jaw", face.id);
    host.scene.AddLight("Key");
    const std::string text = host.SceneText();
    EXPECT_EQ(text.substr(0, 8), "LWSC\n5\n\n");
    ASSERT_TRUE(host.LoadSceneText(text, "new.lws"));
    EXPECT_EQ(host.SceneText(), text);
    ASSERT_NE(host.scene.FindByName("Jaw"), nullptr);
    EXPECT_EQ(host.scene.FindByName("Jaw")->parent, host.scene.FindByName("Face")->id);
    EXPECT_EQ(host.scene.FindByName("Camera")->resolutionW, 1920);

    ASSERT_TRUE(host.LoadScene((kShared / "samples" / "move_x_oldformat_6.lws").string()));
    host.scene.AddNullObject("Added");
    const std::string saved = host.SceneText();
    const Change change = Diff(ReadBytes(kShared / "samples" / "move_x_oldformat_6.lws"), saved);
    ASSERT_FALSE(change.added.empty());
    EXPECT_EQ(change.added[0], "AddNullObject Added");
    ASSERT_TRUE(host.LoadSceneText(saved, "v3.lws"));
    EXPECT_EQ(host.SceneText(), saved);
    EXPECT_NE(host.scene.FindByName("Added"), nullptr);
}

} // namespace
