// The memo's marker formats linked directly: timecode counting, round trips at every rate, the
// bytes each writer gives, and what the readers refuse.
#include "timelinememo/memo_exchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

// One line a track, one a clip: name, times in seconds to the last bit, colours as floats.
std::string Dump(const MemoTrackList &tracks)
{
    std::string text;
    char line[512];
    for (const auto &track : tracks) {
        text += "[" + track->name + (track->active ? "]\n" : "] off\n");
        for (const auto &c : track->clips) {
            std::snprintf(line, sizeof line, "  %s @%.17g +%.17g fg %.9g %.9g %.9g bg %.9g %.9g %.9g\n", c->name.c_str(),
                          c->startTime, c->duration, c->foreColor[0], c->foreColor[1], c->foreColor[2], c->backColor[0],
                          c->backColor[1], c->backColor[2]);
            text += line;
        }
    }
    return text;
}

struct ClipSpec {
    std::int64_t start, length;
    const char *name;
};

// A memo at fps: tracks of clips given in frames.
MemoTrackList Memo(double fps, const std::vector<std::pair<std::string, std::vector<ClipSpec>>> &tracks,
                   const std::vector<MemoRgb> &colors, bool textColorFromBox)
{
    MemoTrackList list;
    size_t n = 0;
    for (const auto &[name, clips] : tracks) {
        MemoTrack &track = *AddMemoTrackTo(list);
        track.name = name;
        for (const ClipSpec &spec : clips) {
            MemoClip &clip = *AddMemoClip(track);
            clip.name = spec.name;
            clip.startTime = static_cast<double>(spec.start) / fps;
            clip.duration = static_cast<double>(spec.length) / fps;
            clip.backColor = colors[n++ % colors.size()];
            clip.foreColor = textColorFromBox ? TextColorFor(clip.backColor) : MemoRgb{0.25f, 0.5f, 1.0f};
        }
    }
    return list;
}

std::vector<const MemoTrack *> All(const MemoTrackList &tracks)
{
    std::vector<const MemoTrack *> all;
    for (const auto &track : tracks)
        all.push_back(track.get());
    return all;
}

std::vector<MemoRgb> PaletteOf(Palette palette)
{
    std::vector<MemoRgb> colors;
    for (const PaletteColor &color : PaletteColors(palette))
        colors.push_back(MemoRgbOf(color.rgb));
    return colors;
}

ExchangeSettings At(double fps)
{
    ExchangeSettings settings;
    settings.fps = fps;
    settings.sceneEndFrame = 240;
    settings.title = "Scene";
    return settings;
}

std::string ErrorOf(MarkerFormat format, const std::string &text, double fps = 24.0)
{
    try {
        ImportMarkers(format, text, At(fps));
    } catch (const ExchangeError &error) {
        return std::to_string(static_cast<int>(error.id)) + " line " + std::to_string(error.line) + " " + error.detail;
    }
    return "read";
}

} // namespace

TEST(MemoTimecode, CountsAsSmpteAndOpenTimelineIODo)
{
    const FrameRate df30{30000, 1001}, df60{60000, 1001}, ntsc24{24000, 1001}, whole24{24, 1};
    const struct {
        FrameRate rate;
        std::int64_t frames;
        const char *label;
        bool drop;
    } labels[] = {{df30, 1799, "00:00:59;29", true},  {df30, 1800, "00:01:00;02", true},
                  {df30, 17982, "00:10:00;00", true}, {df30, 107892, "01:00:00;00", true},
                  {df30, 107957, "01:00:02;05", true}, {df30, 108000, "01:00:00:00", false},
                  {df60, 215784, "01:00:00;00", true}, {df60, 3600, "00:01:00;04", true},
                  {ntsc24, 86400, "01:00:00:00", false}, {whole24, 2399999, "27:46:39:23", false}};
    for (const auto &row : labels) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(FormatTimecode(*FramesTimecode(row.frames, row.rate, row.drop)), row.label);
        EXPECT_EQ(TimecodeFrames(*ParseTimecode(row.label), row.rate), row.frames);
    }
    // Labels drop frame skips, fields out of range, drop frame where there is none.
    for (const char *label : {"00:01:00;00", "00:01:00;01", "99:99:99:99", "00:00:00:30", "00:60:00:00"})
        EXPECT_FALSE(TimecodeFrames(*ParseTimecode(label), df30)) << label;
    EXPECT_FALSE(TimecodeFrames(*ParseTimecode("01:00:00;00"), whole24));
    EXPECT_TRUE(TimecodeFrames(*ParseTimecode("00;11;23;01"), df30)); // Premiere's form
    for (const char *text : {"1:2:3", "01:00:00:000", "01.00:00:00", "a1:00:00:00", ""})
        EXPECT_FALSE(ParseTimecode(text)) << text;
    EXPECT_FALSE(FramesTimecode(-1, whole24, false));
    EXPECT_EQ(*RateOfFps(23.976), ntsc24);
    EXPECT_EQ(*RateOfFps(29.97), df30);
    EXPECT_EQ(RateOfFps(12.5)->num * 100 + RateOfFps(12.5)->den, 2502);
    for (double bad : {0.0, -24.0, 1e9, std::nan("")})
        EXPECT_FALSE(RateOfFps(bad)) << bad;
}

// Drop-frame labels and counts at the reference points of SMPTE 12M (the minute and ten-minute
// boundaries, where frames 0 and 1, or 0 to 3 at 59.94, are skipped) and far from them; the labels
// were worked out separately with the standard's counting (frames + 9 x drop per ten minutes +
// drop per further minute).
TEST(MemoTimecode, DropFrameLabelsAtTheStandardsReferencePoints)
{
    const struct {
        double fps;
        std::int64_t frames;
        bool drop;
        const char *label;
    } rows[] = {{29.97, 1799, true, "00:00:59;29"},     {29.97, 1800, true, "00:01:00;02"},
                {29.97, 17982, true, "00:10:00;00"},    {29.97, 107892, true, "01:00:00;00"},
                {29.97, 107957, true, "01:00:02;05"},   {29.97, 108000, false, "01:00:00:00"},
                {59.94, 215784, true, "01:00:00;00"},   {59.94, 3600, true, "00:01:00;04"},
                {23.976, 86400, false, "01:00:00:00"},  {29.97, 1234567, true, "11:26:33;13"},
                {59.94, 4654321, true, "21:34:09;41"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.label);
        const FrameRate rate = *RateOfFps(row.fps);
        EXPECT_EQ(FormatTimecode(*FramesTimecode(row.frames, rate, row.drop)), row.label);
        EXPECT_EQ(*TimecodeFrames(*ParseTimecode(row.label), rate), row.frames);
    }
}

// Export then import gives the same memo, at every rate, in every format that can hold one: the
// memo below keeps to what each format holds (their tracks, palettes, points), and the table in
// the user guide says what each loses.
TEST(MemoExchange, RoundTripsAtEveryRate)
{
    const std::vector<ClipSpec> animation = {{0, 10, "Start - first frame"}, {1800, 30, "Minute"},
                                             {17982, 100, "Ten minutes - with a comment"}, {107897, 2, "Past an hour"}};
    const std::vector<ClipSpec> sound = {{1799, 1, "Point"}, {1801, 48, "beat"}};
    std::vector<ClipSpec> timeline = animation, points;
    timeline.insert(timeline.begin() + 1, sound.begin(), sound.end());
    std::swap(timeline[3], timeline[2]); // in time order
    for (ClipSpec spec : timeline)
        points.push_back({spec.start, 1, spec.name});
    const std::vector<MemoRgb> free = {{0.9f, 0.2f, 0.1f}, {0.1f, 0.75f, 0.3333f}, {1.0f, 1.0f, 0.0f}};
    const struct {
        MarkerFormat format;
        bool stack;
        std::vector<std::pair<std::string, std::vector<ClipSpec>>> tracks;
        std::vector<MemoRgb> colors;
        bool textFromBox;
    } cases[] = {
        {MarkerFormat::Otio, false, {{"Animation", animation}, {"Sound", sound}, {"", {}}}, free, false},
        {MarkerFormat::Otio, true, {{"Animation", animation}, {"", {}}, {"Sound", sound}}, free, false},
        {MarkerFormat::Csv, false, {{"Animation", animation}, {"Sound", sound}}, PaletteOf(Palette::Resolve), true},
        {MarkerFormat::Avid, false, {{"Animation", animation}, {"Sound", sound}}, PaletteOf(Palette::Avid), true},
        {MarkerFormat::EdlResolve, false, {{"Scene", timeline}}, PaletteOf(Palette::Resolve), true},
        {MarkerFormat::EdlLoc, false, {{"Scene", points}}, PaletteOf(Palette::Avid), true},
        {MarkerFormat::Xmeml, false, {{"Scene", timeline}}, PaletteOf(Palette::Resolve), true},
        {MarkerFormat::Ffmetadata, false, {{"Scene", timeline}}, {MemoRgb{1.0f, 0.0f, 0.0f}}, true},
    };
    for (double fps : {24000.0 / 1001, 24.0, 25.0, 30000.0 / 1001, 30.0, 50.0, 60000.0 / 1001, 60.0}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(InfoOf(c.format).name) + (c.stack ? " on the stack" : "") + " at " +
                         std::to_string(fps));
            ExchangeSettings settings = At(fps);
            settings.otioOnStack = c.stack;
            const MemoTrackList memo = Memo(fps, c.tracks, c.colors, c.textFromBox);
            try {
                const ExportResult written = ExportMarkers(c.format, All(memo), settings);
                MemoTrackList read;
                ApplyImport(ImportMarkers(c.format, written.text, settings), fps, read, true);
                EXPECT_EQ(Dump(read), Dump(memo));
            } catch (const ExchangeError &error) {
                ADD_FAILURE() << "error " << static_cast<int>(error.id) << " " << error.detail;
            }
        }
    }
}

TEST(MemoExchange, WritersGiveTheseBytes)
{
    const MemoTrackList memo =
        Memo(24.0, {{"Animation", {{24, 48, "Arm pops - IK flips around frame 40"}, {120, 1, "Client | review"}}},
                    {"Sound", {{24, 12, "beat, \"one\""}}}},
             {{0.9f, 0.2f, 0.1f}, {0.0f, 0.8f, 0.8f}, {0.2f, 0.3f, 1.0f}}, true);
    const struct {
        MarkerFormat format;
        const char *text;
    } files[] = {
        {MarkerFormat::EdlResolve,
         "TITLE: Scene\r\nFCM: NON-DROP FRAME\r\n\r\n"
         "001  001      V     C        01:00:01:00 01:00:03:00 01:00:01:00 01:00:03:00  \r\n"
         "IK flips around frame 40 |C:ResolveColorRed |M:Arm pops / beat, \"one\" |D:48\r\n\r\n"
         "002  001      V     C        01:00:05:00 01:00:05:01 01:00:05:00 01:00:05:01  \r\n"
         " |C:ResolveColorCyan |M:Client / review |D:1\r\n\r\n"},
        {MarkerFormat::EdlLoc, "TITLE: Scene\nFCM: NON-DROP FRAME\n\n"
                               "001  AX       V     C        01:00:00:00 01:00:10:01 01:00:00:00 01:00:10:01\n"
                               "* LOC: 01:00:01:00 RED     Arm pops - IK flips around frame 40\n"
                               "* LOC: 01:00:01:00 BLUE    beat, \"one\"\n"
                               "* LOC: 01:00:05:00 CYAN    Client | review\n"},
        {MarkerFormat::Avid, "Animation\t01:00:01:00\tV1\tred\tArm pops - IK flips around frame 40\t48\n"
                             "Animation\t01:00:05:00\tV1\tcyan\tClient | review\t1\n"
                             "Sound\t01:00:01:00\tV1\tblue\tbeat, \"one\"\t12\n"},
        {MarkerFormat::Csv,
         "\xEF\xBB\xBFTrack,Name,Comment,Start Frame,End Frame,Duration Frames,Start Timecode,End Timecode,Color,Hex\r\n"
         "Animation,Arm pops,IK flips around frame 40,24,72,48,00:00:01:00,00:00:03:00,red,#E53319\r\n"
         "Animation,Client | review,,120,121,1,00:00:05:00,00:00:05:01,cyan,#00CCCC\r\n"
         "Sound,\"beat, \"\"one\"\"\",,24,36,12,00:00:01:00,00:00:01:12,blue,#334CFF\r\n"},
        {MarkerFormat::Ffmetadata, ";FFMETADATA1\ntitle=Scene\n"
                                   "[CHAPTER]\nTIMEBASE=1/24\nSTART=24\nEND=72\ntitle=Arm pops\ncomment=IK flips around frame 40\n"
                                   "[CHAPTER]\nTIMEBASE=1/24\nSTART=24\nEND=36\ntitle=beat, \"one\"\n"
                                   "[CHAPTER]\nTIMEBASE=1/24\nSTART=120\nEND=121\ntitle=Client | review\n"},
    };
    for (const auto &file : files)
        EXPECT_EQ(ExportMarkers(file.format, All(memo), At(24.0)).text, file.text) << InfoOf(file.format).name;
    // Drop frame at 29.97 by default, the start timecode as given (read in the file's counting).
    ExchangeSettings settings = At(30000.0 / 1001);
    settings.startTimecode = "00:59:59:00";
    const std::string edl = ExportMarkers(MarkerFormat::EdlLoc, All(memo), settings).text;
    EXPECT_EQ(edl.substr(0, edl.find("* LOC")), "TITLE: Scene\nFCM: DROP FRAME\n\n001  AX       V     C        "
                                                "00:59:59;00 01:00:07;01 00:59:59;00 01:00:07;01\n");
    settings.dropFrame = false;
    EXPECT_NE(ExportMarkers(MarkerFormat::Avid, All(memo), settings).text.find("01:00:00:00\tV1"), std::string::npos);
    settings.startTimecode = "00:59:00;00"; // a label drop frame skips
    settings.dropFrame = true;
    EXPECT_THROW(ExportMarkers(MarkerFormat::Xmeml, All(memo), settings), ExchangeError);
}

// YouTube's rules: 0:00 first, chapters 10 s apart and 10 s before the end, three at least.
TEST(MemoExchange, YoutubeChaptersKeepYoutubesRules)
{
    ExchangeSettings settings = At(25.0);
    settings.sceneEndFrame = 25 * 4000;
    const MemoTrackList memo = Memo(25.0,
                                    {{"A", {{25 * 30, 1, "Blocking - rough"}, {25 * 35, 1, "too close"}, {-25, 1, "before"},
                                            {25 * 3905, 1, "Lighting\tpass"}, {25 * 3995, 1, "near the end"}}}},
                                    {{1.0f, 0.0f, 0.0f}}, true);
    const ExportResult result = ExportMarkers(MarkerFormat::Youtube, All(memo), settings);
    EXPECT_EQ(result.text, "0:00 Intro\n0:30 Blocking\n1:05:05 Lighting pass\n");
    EXPECT_EQ(result.notes, (std::map<ExportNote, int>{{ExportNote::ReplacedText, 1}, {ExportNote::IntroAdded, 1},
                                                         {ExportNote::TooClose, 1}, {ExportNote::BeforeZero, 1},
                                                         {ExportNote::TooShortAtEnd, 1}}));
    EXPECT_EQ(ErrorOf(MarkerFormat::Youtube, "0:00 Intro\n"), "19 line 0 youtube");
}

// Markers on a track's items sit at the item's place less its source start; what cannot be placed
// or kept is counted.
TEST(MemoExchange, OtioMarkersOnItemsArePlacedByTheItemsBefore)
{
    auto time = [](double value) { return "{\"rate\": 24, \"value\": " + std::to_string(value) + "}"; };
    auto range = [&](double start, double length) {
        return "{\"start_time\": " + time(start) + ", \"duration\": " + time(length) + "}";
    };
    auto marker = [&](const char *name, double at) {
        return std::string("{\"OTIO_SCHEMA\": \"Marker.2\", \"name\": \"") + name + "\", \"color\": \"ResolveColorSky\", " +
               "\"metadata\": {\"cmx_3600\": {}}, \"marked_range\": " + range(at, 0) + "}";
    };
    const std::string text =
        "{\"OTIO_SCHEMA\": \"Timeline.1\", \"tracks\": {\"OTIO_SCHEMA\": \"Stack.1\", \"children\": ["
        "{\"OTIO_SCHEMA\": \"Track.1\", \"name\": \"V1\", \"kind\": \"Video\", \"children\": ["
        "{\"OTIO_SCHEMA\": \"Gap.1\", \"source_range\": " + range(0, 24) + "},"
        "{\"OTIO_SCHEMA\": \"Transition.1\"},"
        "{\"OTIO_SCHEMA\": \"Clip.2\", \"source_range\": " + range(100, 48) + ", \"effects\": [{}], \"markers\": [" +
        marker("on clip", 110) + "]},"
        "{\"OTIO_SCHEMA\": \"Clip.1\", \"markers\": [" + marker("unplaced", 0) + "]}]}]}}";
    const ImportedMemo read = ImportMarkers(MarkerFormat::Otio, text, At(24.0));
    ASSERT_EQ(read.tracks.size(), 1u);
    ASSERT_EQ(read.tracks[0].clips.size(), 1u);
    EXPECT_DOUBLE_EQ(read.tracks[0].clips[0].start * 24.0, 34.0);
    EXPECT_EQ(Rgb8Of(*read.tracks[0].clips[0].back), (Rgb8{0x92, 0xE2, 0xFD}));
    EXPECT_EQ(read.unkept, (std::map<Unkept, long>{{Unkept::MediaClips, 2}, {Unkept::Transitions, 1}, {Unkept::Effects, 1},
                                                   {Unkept::MarkerMetadata, 1}, {Unkept::UnplacedMarkers, 1}}));
}

// Absurd files get a clear refusal, in bounded time and memory.
TEST(MemoExchange, ReadersRefuseWhatTheyCannotTake)
{
    std::string many = ";FFMETADATA1\n";
    for (size_t i = 0; i <= kMaxImportMarkers; ++i)
        many += "[CHAPTER]\n";
    std::string tenMillion = "Start Frame\n"; // 20 MB
    for (int i = 0; i < 10000000; ++i)
        tenMillion += "0\n";
    std::string edl = "TITLE: x\n";
    for (int i = 1; i <= 10000; ++i)
        edl += "001  AX V C 01:00:00:00 01:00:00:01 01:00:00:00 01:00:00:01\n* LOC: 01:00:00:00 RED n\n";
    const struct {
        MarkerFormat format;
        std::string text;
        const char *error;
    } rows[] = {
        {MarkerFormat::Avid, "a\t99:99:99:99\tV1\tred\tx\n", "8 line 1 99:99:99:99"},
        {MarkerFormat::EdlLoc, "* LOC: 01:00:00;00 RED x\n", "8 line 1 01:00:00;00"},
        {MarkerFormat::Xmeml, "<xmeml><sequence><rate><timebase>0</timebase></rate></sequence></xmeml>", "10 line 1 0"},
        {MarkerFormat::Otio, R"({"OTIO_SCHEMA":"Timeline.1","tracks":{"OTIO_SCHEMA":"Stack.1","markers":[
            {"OTIO_SCHEMA":"Marker.2","marked_range":{"start_time":{"value":1,"rate":1e9}}}]}})", "10 line 0 1e+09"},
        {MarkerFormat::Otio, R"({"OTIO_SCHEMA":"Timeline.1","tracks":{"OTIO_SCHEMA":"Stack.1","markers":[
            {"OTIO_SCHEMA":"Marker.4"}]}})", "17 line 0 Marker.4"},
        {MarkerFormat::Otio, "{\"OTIO_SCHEMA\": ", "7 line 0 [json.exception.parse_error.101] parse error at line 1"},
        {MarkerFormat::Otio, "99e21200", "7 line 0 [json.exception.out_of_range.406] number overflow"},
        {MarkerFormat::Ffmetadata, ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=0/1\nSTART=1\n", "10 line 3 0/1"},
        {MarkerFormat::Ffmetadata, many, "3 line 0 100000"},
        {MarkerFormat::Csv, tenMillion, "3 line 0 100000"},
        {MarkerFormat::Ffmetadata, ";FFMETADATA1\n[CHAPTER]\nSTART=90000000000000000\n", "11 line 2 "},
        {MarkerFormat::Csv, "Name,Start Frame\nx,\"" + std::string(10 << 20, 'a') + "\"\n", "4 line 2 65536"},
        {MarkerFormat::Csv, "Name\nx\n", "18 line 1 "},
        {MarkerFormat::Csv, "Start Frame\n\"1\n", "7 line 2 unterminated quote"},
        {MarkerFormat::Csv, std::string(kMaxImportBytes + 1, '\n'), "2 line 0 33554432"},
        {MarkerFormat::Avid, "\xff\xfe" "a\0", "5 line 0 UTF-16"},
        {MarkerFormat::Avid, "caf\xe9\t01:00:00:00\tV1\tred\tx\n", "5 line 0 UTF-8"},
        {MarkerFormat::EdlResolve, edl, "read"},
    };
    for (const auto &row : rows) // the parser's own words after its line
        EXPECT_EQ(ErrorOf(row.format, row.text).substr(0, std::string(row.error).size()), row.error) << row.text.substr(0, 80);
    EXPECT_EQ(ImportMarkers(MarkerFormat::EdlLoc, edl, At(24.0)).markers, 10000u);
    EXPECT_EQ(ErrorOf(MarkerFormat::EdlResolve, "001  AX V C 01:00:00:00 01:00:00:01 01:00:00:00 01:00:00:01\n", 12.5),
              "14 line 0 12.5");
}
