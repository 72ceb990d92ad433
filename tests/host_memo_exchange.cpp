// The timeline memo and editorial files through the module file: the panel's formats, the example
// files of each format, jumping between notes, zkhost memo, and the files read by ffmpeg and
// xmllint.
#include "memo_fixture.h"
#include "runner_session.h"

#include <cstdio>
#include <fstream>

namespace {

enum : unsigned int {
    kExport = 0x8004, kImport = 0x8005, kCreateTrack = 0x8007, kTracks = 0x800C, kTrackName = 0x800D,
    kCreateClip = 0x8010, kClips = 0x8013, kClipName = 0x8014, kLength = 0x8016, kBgColor = 0x8018,
    kFormat = 0x8019, kExportTracks = 0x801A, kImportMode = 0x801B, kStartTimecode = 0x801C, kPrevious = 0x801F,
    kNext = 0x8020,
};

const std::filesystem::path kExamples = std::filesystem::path(ZK_SOURCE_DIR) / "tests" / "markers";

class MemoExchange : public MemoTest {
protected:
    void SetUp() override
    {
        MemoTest::SetUp();
        host.scene.fps = 24;
        host.scene.frameEnd = 240;
        ASSERT_NE(master = AddMemo(), nullptr);
        panel = &OpenPanel();
    }

    // Chooses the format whose entry ends with "[name]".
    void Format(const std::string &name)
    {
        const auto items = x().PopupItems(*panel, kFormat);
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].size() > name.size() + 2 && items[i].compare(items[i].size() - name.size() - 2, std::string::npos, "[" + name + "]") == 0)
                x().SetInteger(*panel, kFormat, static_cast<int>(i));
    }
    // Presses Import or Export with the file given to the requester; the last status line.
    std::string Press(unsigned int button, const std::string &format, const std::string &path)
    {
        Format(format);
        host.requesters.AnswerFile(path);
        const size_t before = host.commands.status.size();
        x().Press(*panel, button);
        return host.commands.status.size() > before ? host.commands.status.back() : std::string();
    }
    // The memo as the CSV export gives it, without the byte order mark and header.
    std::string Csv()
    {
        const std::string path = TempPath("memo.csv");
        Press(kExport, "csv", path);
        const std::string text = ReadFileBytes(path);
        const size_t body = text.find("\r\n");
        return body == std::string::npos ? text : text.substr(body + 2);
    }
    // A clip on the selected track: start and length in frames, a name and a box colour.
    void Clip(double seconds, int length, const std::string &name, std::array<double, 3> color = {1, 0, 0})
    {
        host.scene.time = seconds;
        x().Press(*panel, kCreateClip);
        x().SetInteger(*panel, kLength, length);
        x().SetText(*panel, kClipName, name);
        x().SetColor(*panel, kBgColor, color);
    }
    zkh::XPanels &x() { return host.xpanels; }

    zkh::MasterInstance *master = nullptr;
    zkh::XPanel *panel = nullptr;
};

} // namespace

// The example files written for, and checked against, OpenTimelineIO 0.18.1 and the tools' own
// exports import to the memo they describe; what the memo cannot keep is on the status line.
TEST_F(MemoExchange, ExampleFilesImportToTheMemosTheyDescribe)
{
    const std::string arm = "Arm pops,IK flips around frame 40,24,72,48,00:00:01:00,00:00:03:00,";
    const std::string review = "Client review,,120,121,1,00:00:05:00,00:00:05:01,";
    const struct {
        const char *file, *format;
        double fps;
        std::string csv, status;
    } examples[] = {
        {"shot010.otio", "otio", 24, "shot010_memo," + review + "cyan,#00FFFF\r\nAnimation notes," + arm + "red,#E53319\r\n",
         "Imported 2 markers in 2 tracks from %s (otio)"},
        {"shot010-resolve.edl", "edl-resolve", 24,
         "shot010_memo," + arm + "red,#E12401\r\nshot010_memo," + review + "cyan,#00CED0\r\n",
         "Imported 2 markers in 1 tracks from %s (edl-resolve)"},
        {"shot010-skeleton.edl", "edl-loc", 24, "", "Imported 0 markers in 1 tracks from %s (edl-loc); not kept: 1 media clips"},
        {"shot010-avid.txt", "avid", 24, "zk," + arm + "red,#FF0000\r\nzk," + review + "cyan,#00FFFF\r\n",
         "Imported 2 markers in 1 tracks from %s (avid)"},
        {"shot010.xml", "xmeml", 24000.0 / 1001,
         "shot010_memo," + arm + "red,#D22C36\r\nshot010_memo," + review + "green,#30BF48\r\n",
         "Imported 2 markers in 1 tracks from %s (xmeml)"},
        {"shot010.ffmetadata", "ffmetadata", 24000.0 / 1001,
         "shot010_memo,Intro,,0,24,24,00:00:00:00,00:00:01:00,red,#FF0000\r\nshot010_memo," + arm + "red,#FF0000\r\n",
         "Imported 2 markers in 1 tracks from %s (ffmetadata)"},
    };
    for (const auto &example : examples) {
        SCOPED_TRACE(example.file);
        host.scene.fps = example.fps;
        const std::string path = (kExamples / example.file).string();
        std::string status = example.status;
        status.replace(status.find("%s"), 2, path);
        EXPECT_EQ(Press(kImport, example.format, path), status);
        EXPECT_EQ(Csv(), example.csv);
    }
}

TEST_F(MemoExchange, ImportReplacesOrAddsAndAFailureChangesNothing)
{
    x().SetText(*panel, kTrackName, "Mine");
    Clip(1.0, 3, "kept");
    const std::string csv = TempPath("notes.csv"), broken = TempPath("broken.txt");
    std::ofstream(csv, std::ios::binary) << "Track,Name,Start Timecode\nReview,late,00:00:02:00\n";
    std::ofstream(broken, std::ios::binary) << "zk\t01:00:00:00\tV1\tred\tfine\nzk\t99:99:99:99\tV1\tred\tx\n";
    x().SetInteger(*panel, kImportMode, 1); // Add Tracks
    EXPECT_EQ(Press(kImport, "csv", csv), "Imported 1 markers in 1 tracks from " + csv + " (csv)");
    EXPECT_EQ(x().Get(*panel, kTracks).integer, 1);
    EXPECT_EQ(Csv(), "Mine,kept,,24,27,3,00:00:01:00,00:00:01:03,red,#FF0000\r\n"
                     "Review,late,,48,49,1,00:00:02:00,00:00:02:01,red,#FF0000\r\n");
    const std::string saved = Saved(*master);
    EXPECT_EQ(Press(kImport, "avid", broken), "*** ERROR: " + broken +
                                                  ": line 2: \"99:99:99:99\" is not a timecode of the scene's rate; the "
                                                  "memo is unchanged ***");
    EXPECT_EQ(Saved(*master), saved);
    x().SetInteger(*panel, kImportMode, 0); // Replace Memo
    Press(kImport, "csv", csv);
    EXPECT_EQ(x().PopupItems(*panel, kTracks), std::vector<std::string>{"Review"});
    EXPECT_EQ(Press(kImport, "youtube", csv), "*** ERROR: " + csv + ": youtube files are only written; the memo is unchanged ***");
    // The start timecode as set: an EDL's timecodes count from it.
    x().SetText(*panel, kStartTimecode, "00:00:00:00");
    Press(kExport, "edl-loc", TempPath("notes.edl"));
    EXPECT_TRUE(Holds(ReadFileBytes(TempPath("notes.edl")), "* LOC: 00:00:02:00 RED     late\n"));
    x().SetText(*panel, kStartTimecode, "1:00");
    EXPECT_EQ(Press(kExport, "edl-loc", TempPath("notes.edl")),
              "*** ERROR: " + TempPath("notes.edl") +
                  ": the start timecode \"1:00\" is not a timecode of the scene's rate; nothing was written ***");
}

// Previous Clip and Next Clip move the current time to the clip starts of the selected track
// through Layout's GoToFrame, and select that clip.
TEST_F(MemoExchange, PreviousAndNextClipGoToTheClipStarts)
{
    Clip(3.0, 1, "b");
    Clip(1.0, 1, "a");
    x().Press(*panel, kCreateTrack);
    Clip(2.0, 1, "other track");
    x().SetInteger(*panel, kTracks, 0);
    host.scene.time = 2.0;
    const size_t before = host.commands.log.size();
    ASSERT_TRUE(x().Press(*panel, kNext));
    EXPECT_EQ(host.scene.time, 3.0);
    EXPECT_EQ(x().Get(*panel, kClips).integer, 0);
    x().Press(*panel, kNext); // none after the last
    x().Press(*panel, kPrevious);
    EXPECT_EQ(host.scene.time, 1.0);
    EXPECT_EQ(x().Get(*panel, kClips).integer, 1);
    const std::vector<std::string> sent(host.commands.log.begin() + static_cast<long>(before), host.commands.log.end());
    EXPECT_EQ(sent, (std::vector<std::string>{"GoToFrame 72", "RefreshNow", "GoToFrame 24", "RefreshNow"}));
}

// zkhost memo on a scene the host saved: out to a file, back in as added tracks, the exit
// statuses and messages scripts see.
TEST_F(MemoExchange, ZkhostMemoExportsAndImportsScenes)
{
    x().SetText(*panel, kTrackName, "Anim");
    Clip(1.0, 24, "blocking - rough", {0, 0, 1});
    x().Press(*panel, kCreateTrack);
    x().SetText(*panel, kTrackName, "Sound");
    Clip(2.0, 1, "beat");
    const std::string scene = TempPath("shot.lws"), out = TempPath("out.lws"), log = TempPath("zkhost.log");
    ASSERT_TRUE(host.SaveScene(scene));
    auto zkhost = [&](const std::string &from, std::vector<std::string> args) {
        args.insert(args.begin(), {ZK_RUNNER_PATH, "memo", from});
        args.insert(args.end(), {"--module", ZK_MODULE_PATH});
        const int status = RunProgram(args, log);
        return std::to_string(status) + " " + ReadFileBytes(log);
    };
    const std::string otio = TempPath("shot.otio"), avid = TempPath("shot.txt");
    EXPECT_EQ(zkhost(scene, {"--export", otio, "--track", "Sound"}), "0 Exported 1 markers to " + otio + " (otio)\n");
    EXPECT_EQ(zkhost(scene, {"--import", otio, "--out", out}),
              "0 Imported 1 markers in 1 tracks from " + otio + " (otio)\n");
    EXPECT_EQ(zkhost(out, {"--export", avid, "--format", "avid"}), "0 Exported 3 markers to " + avid + " (avid)\n");
    EXPECT_EQ(ReadFileBytes(avid), "Anim\t01:00:01:00\tV1\tblue\tblocking - rough\t24\n"
                                   "Sound\t01:00:02:00\tV1\tred\tbeat\t1\n"
                                   "Sound\t01:00:02:00\tV1\tred\tbeat\t1\n");
    EXPECT_EQ(zkhost(scene, {"--export", avid}), "2 zkhost memo: the extension of " + avid +
                                                     " does not tell the format: give --format (otio, edl-resolve, "
                                                     "edl-loc, avid, xmeml, csv, ffmetadata, youtube)\n");
    EXPECT_EQ(zkhost(scene, {"--import", avid, "--format", "csv", "--out", TempPath("never.lws")}),
              "1 *** ERROR: " + avid + ": line 1: there is no Start Frame nor Start Timecode; the memo is unchanged ***\n");
    EXPECT_FALSE(std::filesystem::exists(TempPath("never.lws")));
    EXPECT_EQ(zkhost(scene, {"--export", otio, "--track", "None"}), "1 zkhost memo: the memo has no track None\n");
}

#ifndef _WIN32 // the programs below are Linux's; the Windows build writes the same bytes
// ffmpeg muxes the FFMETADATA chapters into a video and ffprobe reads each chapter's start, end
// and title back; xmllint reads the xmeml.
TEST_F(MemoExchange, FfprobeAndXmllintReadTheExports)
{
    const std::string ffmpeg = "/usr/bin/ffmpeg", ffprobe = "/usr/bin/ffprobe", xmllint = "/usr/bin/xmllint";
    const std::string log = TempPath("tool.log"), chapters = TempPath("chapters.ffmetadata"), video = TempPath("v.mkv");
    ASSERT_EQ(RunProgram({ffprobe, "-version"}, log), 0) << "ffmpeg is needed: ./zk setup installs it";
    ASSERT_EQ(RunProgram({xmllint, "--version"}, log), 0) << "xmllint is needed: ./zk setup installs libxml2-utils";
    host.scene.fps = 25;
    Clip(0.0, 50, "Intro = start; \\ # one");
    Clip(4.0, 1, "Point - a comment");
    Clip(7.0, 30, "\xe5\x90\x8d\xe5\x89\x8d");
    EXPECT_EQ(Press(kExport, "ffmetadata", chapters), "Exported 3 markers to " + chapters + " (ffmetadata)");
    ASSERT_EQ(RunProgram({ffmpeg, "-v", "error", "-y", "-f", "lavfi", "-i", "color=c=black:s=32x32:d=9:r=25", "-i",
                          chapters, "-map", "0", "-map_metadata", "1", "-map_chapters", "1", "-c:v", "mpeg4", video},
                         log),
              0)
        << ReadFileBytes(log);
    ASSERT_EQ(RunProgram({ffprobe, "-v", "error", "-show_chapters", "-of", "compact=p=0", video}, log), 0);
    EXPECT_EQ(ReadFileBytes(log),
              "id=1|time_base=1/1000000000|start=0|start_time=0.000000|end=2000000000|end_time=2.000000|tag:title=Intro = start; \\\\ # one\n" // compact output doubles "\\"
              "id=2|time_base=1/1000000000|start=4000000000|start_time=4.000000|end=4040000000|end_time=4.040000|tag:title=Point|tag:COMMENT=a comment\n"
              "id=3|time_base=1/1000000000|start=7000000000|start_time=7.000000|end=8200000000|end_time=8.200000|tag:title=\xe5\x90\x8d\xe5\x89\x8d\n");

    const std::string xml = TempPath("markers.xml");
    Press(kExport, "xmeml", xml);
    ASSERT_EQ(RunProgram({xmllint, "--xpath", "concat(count(//sequence/marker), ' ', //marker[2]/name, ' ', //marker[2]/out, ' ', //marker[3]/in)", xml}, log), 0)
        << ReadFileBytes(log);
    EXPECT_EQ(ReadFileBytes(log), "3 Point -1 175\n");
}
#endif
