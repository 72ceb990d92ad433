// The runner's clip mixer actions: a session drives a channel and writes its values and file.
#include "channel_plot.h"
#include "process_support.h"
#include "runner_session.h"

#include <CImg.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const char kSession[] = R"(scene:
  fps: 24
  items:
    - {null_object: Controller}
actions:
  - set_channel: {item: Controller, channel: Position.Y, keys: [[0, 10], [4, 14]]}
  - apply_clip_mixer: {item: Controller, channel: Position.Y}
  - clip_mixer_options:
      item: Controller
      channel: Position.Y
      steps:
        - clips: add
        - clip: {step: 2, sequence: "0 10"}
        - clips: add
        - clip: {step: 1, sequence: "5"}
        - tracks: add
        - track: {in: 1, out: 8, repeat: 0, sequence: "A B:2"}
        - export: mix.xml
  - evaluate_channel: {item: Controller, channel: Position.Y, frames: [0, 9], csv: values.csv, png: plot.png}
  - clip_mixer_options:
      item: Controller
      channel: Position.Y
      steps:
        - select_tracks: 0
        - track: {repeat: 1}
        - print_lists: ~
  - evaluate_channel: {item: Controller, channel: Position.Y, frames: [7, 8], print: true}
)";

TEST(MixerRunner, SessionDrivesAChannel)
{
    const auto [status, output, out, file] = RunRunnerSession(kSession, "drive");
    ASSERT_EQ(status, 0) << output;
    // Worked example on a base rising by one per frame from 10: hold, then loop.
    EXPECT_EQ(ReadFileBytes(out / "values.csv"), "frame,base,value\n"
                                            "0,10,10\n"
                                            "1,11,11\n"
                                            "2,12,12\n"
                                            "3,13,23\n"
                                            "4,14,24\n"
                                            "5,14,19\n"
                                            "6,14,19\n"
                                            "7,14,19\n"
                                            "8,14,19\n"
                                            "9,14,14\n");
    EXPECT_TRUE(Holds(output, "apply_clip_mixer: ZK:ChanClipMixer(1.00) build 250619\n"));
    EXPECT_TRUE(Holds(output, "tracks:\n  Enable | In | Out | Repeat | Sequence\n  [x] | 1 | 8 | [x] | A B:2\n"));
    EXPECT_TRUE(Holds(output, "frame,base,value\n7,14,14\n8,14,14\n"));
    EXPECT_EQ(ReadFileBytes(out / "mix.xml"), "<?xml version=\"1.0\" encoding=\"Shist_JIS\"?>\n"
                                         "<chanClipMixer format=\"3.1\">\n"
                                         "    <clips>\n"
                                         "        <clip name=\"A\" step=\"2\" seq=\"0 10\"/>\n"
                                         "        <clip name=\"B\" step=\"1\" seq=\"5\"/>\n"
                                         "    </clips>\n"
                                         "    <tracks>\n"
                                         "        <track enable=\"1\" in=\"1\" out=\"8\" repeat=\"0\" seq=\"A B:2\"/>\n"
                                         "    </tracks>\n"
                                         "</chanClipMixer>\n");
    // The plot shades the frames of the enabled track (1 to 8) that the panel showed.
    const cimg_library::CImg<unsigned char> plot((out / "plot.png").string().c_str());
    std::vector<zkh::ChannelSample> samples;
    for (int frame = 0; frame <= 9; ++frame)
        samples.push_back({frame, 10.0 + std::min(frame, 4), 24.0});
    const zkh::PlotAxes axes = zkh::ChannelPlotAxes(samples);
    const int y = static_cast<int>(std::lround(axes.Y(23.0)));
    EXPECT_NEAR(plot(static_cast<int>(std::lround(axes.X(6))), y, 0, 0), 214, 1);
    EXPECT_EQ(plot(static_cast<int>(std::lround(axes.X(0.5))), y, 0, 0), 255);
    EXPECT_EQ(plot(static_cast<int>(std::lround(axes.X(8.5))), y, 0, 0), 255);
}

// The copy actions: a clip mixer copied onto another channel is a new, empty mixer; a master
// copy is refused by both master handlers of the module (copying one the scene lacks is a mistake
// of the session, with the runner's others in host_runner.cpp).
TEST(MixerRunner, CopyActions)
{
    const auto [status, output, out, file] = RunRunnerSession(R"(scene:
  items:
    - {null_object: C}
actions:
  - set_channel: {item: C, channel: Position.Y, keys: [[0, 1]]}
  - apply_clip_mixer: {item: C, channel: Position.Y}
  - clip_mixer_options:
      item: C
      channel: Position.Y
      steps: [{clips: add}, {clip: {step: 1, sequence: "5"}}, {tracks: add}]
  - copy_clip_mixer: {item: C, channel: Position.Y, to: {item: C, channel: Position.X}}
  - evaluate_channel: {item: C, channel: Position.X, frames: [1, 2], print: true}
  - evaluate_channel: {item: C, channel: Position.Y, frames: [1, 1], print: true}
  - add_master: ZK:TimeLineMemo
  - copy_master: ZK:TimeLineMemo
  - add_master: ZK:CameraFrame
  - copy_master: ZK:CameraFrame
)",
                                                   "copy");
    EXPECT_EQ(status, 0) << output;
    EXPECT_TRUE(Holds(output, "frame,base,value\n1,0,0\n2,0,0\nframe,base,value\n1,1,6\n"));
    EXPECT_TRUE(Holds(output, "copy_master: cannot add ZK:TimeLineMemo: Already exists!\n"));
    EXPECT_TRUE(Holds(output, "copy_master: cannot add ZK:CameraFrame: \n"));
}

} // namespace
