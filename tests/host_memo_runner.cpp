// The zkhost runner's timeline memo actions on a session file.
#include "process_support.h"
#include "runner_session.h"

#include <CImg.h>
#include <gtest/gtest.h>

namespace {

TEST(MemoRunner, EditsDrawsExportsAndImports)
{
    const std::string session = "scene:\n  fps: 24\n  preview: [0, 100]\n"
                                "  viewports:\n    - {view: perspective, rect: [0, 0, 1260, 600]}\n"
                                "actions:\n"
                                "  - memo_add: ~\n"
                                "  - memo_add: ~\n"
                                "  - memo_set: {control: trackName, value: Notes}\n"
                                "  - set_time: 1.0\n"
                                "  - memo_press: Create Clip\n"
                                "  - memo_set: {control: clipName, value: hello}\n"
                                "  - memo_set: {control: Length, value: 12}\n"
                                "  - memo_set: {control: 0x8018, value: [0, 0, 1]}\n"
                                "  - set_frame: 10\n"
                                "  - memo_draw: {path: strip.png, view: 0}\n"
                                "  - memo_export: memo.yaml\n"
                                "  - memo_press: [Delete Track, Delete Track]\n"
                                "  - memo_set: {control: clipName, value: lost}\n"
                                "  - memo_import: memo.yaml\n"
                                "  - memo_import: missing.yaml\n"
                                "  - memo_show: ~\n"
                                "  - print_status: ~\n";
    const auto [status, output, out, file] = RunRunnerSession(session, "edit");
    ASSERT_EQ(status, 0) << output;
    const std::string missing = (out / "missing.yaml").string();
    EXPECT_EQ(output, "memo_add: cannot add ZK:TimeLineMemo: Already exists!\n"
                      "memo_draw: 12 drawing calls into strip.png\n"
                      "memo_set Name: nothing changed\n"
                      "memo panel \"ZK:TimeLineMemo (1.00)\"\n"
                      "  Track (tracksList): 0 of [Notes]\n"
                      "  Name (trackName): \"Notes\"\n"
                      "  Enable (trackActive): 1\n"
                      "  Clip (clipsList): 0 of [hello]\n"
                      "  Name (clipName): \"hello\"\n"
                      "  Start (clipStartTime): 24\n"
                      "  Length (clipDuration): 12\n"
                      "  Font Color (clipForeColor): [0.8, 0.8, 0.8]\n"
                      "  BG Color (clipBackColor): [0, 0, 1]\n"
                      "status: Cannot open " + missing + ": the memo is unchanged\n"
                      "session " + file + ": 5 commands, 1 status lines, 1 host messages; output in " + out.string() + "\n");
    EXPECT_NE(ReadFileBytes(out / "memo.yaml").find("    - Name: Notes\n      Active: true\n      Clips:\n        - Name: hello\n"
                                               "          StartTime: 1\n          Duration: 0.5\n"),
              std::string::npos);

    // The clip box from x 387 to 507 on the lowest row, blue; the marker at frame 10 over it.
    cimg_library::CImg<unsigned char> image((out / "strip.png").string().c_str());
    EXPECT_EQ(image.width(), 1260);
    EXPECT_EQ(image.height(), 600);
    EXPECT_EQ(image(400, 590, 0, 2), 255);
    EXPECT_EQ(image(400, 590, 0, 0), 0);
    EXPECT_EQ(image(380, 590, 0, 2), image(380, 590, 0, 0)); // grey row background left of the box
    EXPECT_EQ(image(400, 100, 0, 2), 64);                     // the viewport above the strip
}

} // namespace
