// The runner's morph consolidation actions on session files, through zkhost.
#include "process_support.h"
#include "runner_session.h"

#include <gtest/gtest.h>

namespace {

TEST(MorphRunner, LinksPrintsAndRemoves)
{
    const RunResult result = RunRunnerSession(R"(
actions:
  - morph_rig: {controller: Ctrl, morphs: [Smile, Blink], meshes: [Head, Teeth], bone: ~, light: ~, camera: ~}
  - set_channel: {item: Ctrl, channel: MorphGroup.Smile, keys: [[0, 0], [24, 1]]}
  - set_channel: {item: Ctrl, channel: MorphGroup.Blink, value: 0.25}
  - select: [Teeth, Ctrl]
  - morph_consolidate: {mode: create, controller: Ctrl, prefix: "my rig:"}
  - print_expressions: ~
  - set_frame: 6
  - print_channels: [Head, Teeth]
  - morph_consolidate: {mode: cancel}
  - morph_consolidate: {mode: remove}
  - print_expressions: ~
)",
                                              "link");
    EXPECT_EQ(result.status, 0) << result.output;
    const std::string expected =
        "morph_consolidate create: activation result 0\n"
        "expressions: 2\n"
        "  my_rig_Ctrl_MorphGroup_Smile \"[Ctrl.MorphGroup.Smile]\" -> Teeth.MorphGroup.Smile\n"
        "  my_rig_Ctrl_MorphGroup_Blink \"[Ctrl.MorphGroup.Blink]\" -> Teeth.MorphGroup.Blink\n"
        "Head.MorphGroup.Smile = 0\n"
        "Head.MorphGroup.Blink = 0\n"
        "Teeth.MorphGroup.Smile = 0.25 <- my_rig_Ctrl_MorphGroup_Smile\n"
        "Teeth.MorphGroup.Blink = 0.25 <- my_rig_Ctrl_MorphGroup_Blink\n"
        "morph_consolidate cancel: activation result 0\n"
        "morph_consolidate remove: activation result 0\n"
        "expressions: 0\n";
    EXPECT_EQ(result.output.substr(0, expected.size()), expected) << result.output;
}

// A command refused before its panel opened leaves its answer unused, and that answer must not
// go to the next modal panel (here the clip mixer's options).
TEST(MorphRunner, RefusedCommandAnswersNoLaterPanel)
{
    const RunResult result = RunRunnerSession(R"(actions:
  - morph_rig: {controller: Ctrl}
  - remove_service: "LW Item Info 9"
  - morph_consolidate: {mode: create}
  - apply_clip_mixer: {item: Ctrl, channel: Position.X}
  - clip_mixer_options: {item: Ctrl, channel: Position.X, steps: [{print_lists: ~}]}
)",
                                              "refused");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(Holds(result.output, "morph_consolidate create: activation result 2\n"
                                 "apply_clip_mixer: ZK:ChanClipMixer(1.00) build 250619\n"
                                 "clips:\n  Name | Step | Sequence\n"));
}

} // namespace
