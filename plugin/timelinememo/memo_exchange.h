// memo_exchange.h: the memo's notes out to and in from the files of editorial and review tools.
//
// A writer sees the memo in whole frames of the scene's rate (ExportMemo); a reader gives back
// tracks of clips in seconds (ImportedMemo) and what the file held that the memo cannot keep. The
// formats themselves are in memo_otio.cpp, memo_edl*.cpp, memo_avid.cpp, memo_xmeml.cpp,
// memo_csv.cpp, memo_ffmetadata.cpp and memo_youtube.cpp.
//
// A marker's name and comment share the memo clip's one text: "name - comment". A writer splits
// the text at its first " - " (when text follows it), a reader joins them again.
#ifndef ZK_MEMO_EXCHANGE_H
#define ZK_MEMO_EXCHANGE_H

#include "memo_colors.h"
#include "memo_records.h"
#include "memo_timecode.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

enum class MarkerFormat { Yaml, Otio, EdlResolve, EdlLoc, Avid, Xmeml, Csv, Ffmetadata, Youtube };

struct MarkerFormatInfo {
    MarkerFormat format;
    const char *name;         // for scripts and the panel: "otio"
    const char *extension;    // of its files, without the dot
    const char *english;      // the panel's entry
    const char *japanese;
    bool reads;               // the memo can import it
    const char *defaultStart; // start timecode when none is given; null: the format writes none
};

// Every format, in the order of the panel's list (the memo's own YAML first).
const std::vector<MarkerFormatInfo> &MarkerFormats();
const MarkerFormatInfo &InfoOf(MarkerFormat format);

struct ExchangeSettings {
    double fps = 24.0;         // the scene's frames per second
    int sceneEndFrame = 60;    // the scene's last frame: files that give a length cover frames 0 to it
    std::string title;         // the scene's name: the timeline, sequence or EDL title
    std::string sourceName;    // import: the file's name, for the track of a file with neither tracks nor title
    std::string startTimecode; // the timecode of the scene's frame 0; empty: the format's default
    bool dropFrame = true;     // drop-frame timecode at 29.97 and 59.94
    bool otioOnStack = false;  // OTIO: every marker on the timeline's stack, not on a track per memo track
};

// Bounds of one import: beyond them the file is refused and the memo stays as it was.
constexpr size_t kMaxImportBytes = 32u << 20;
constexpr size_t kMaxImportMarkers = 100000;
constexpr size_t kMaxImportText = 65536; // bytes of one name, comment or cell

enum class ExchangeErrorId {
    CannotRead,        // detail: the system's reason
    CannotWrite,
    FileTooLarge,      // detail: the size
    TooManyMarkers,
    TextTooLong,
    NotUtf8,
    NotThisFormat,     // detail: what was expected
    Syntax,            // detail: the parser's words
    BadTimecode,       // detail: the timecode
    BadNumber,         // detail: the text
    BadRate,           // detail: the rate
    TimeOutOfRange,
    BadStartTimecode,  // the setting; detail: its text
    SceneRate,         // the scene's rate cannot be used; detail: the rate
    NoTimecodeRate,    // a format that needs timecode, at a rate that has none; detail: the rate
    BeforeTimecodeZero, // export: a clip before 00:00:00:00; detail: its text
    TooManyEvents,     // export: an EDL holds at most 999 events
    SchemaVersion,     // OTIO: a schema newer than this reader; detail: the schema
    NoStartColumn,     // CSV: neither a start frame nor a start timecode column
    ExportOnly,        // YouTube chapters are not read
};

struct ExchangeError {
    ExchangeErrorId id;
    std::string detail;
    long line = 0; // 1-based line of the file; 0 when none applies
};

// What the memo cannot keep of a file, counted; listed on the status line after an import.
enum class Unkept {
    MediaClips,         // OTIO clips, EDL events without a marker, xmeml clip items
    Transitions,        // OTIO transitions
    Effects,            // OTIO effects
    MarkerMetadata,     // markers' metadata beyond the memo's own
    UnknownColors,      // colour names the format's palette does not know: the format's default taken
    UnplacedMarkers,    // markers on items whose place on the timeline the file does not give
    ClipMarkers,        // xmeml markers inside clip items
    Streams,            // FFMETADATA stream sections
    OtherTags,          // FFMETADATA tags beyond title and comment
    AvidTracks,         // Avid track column values other than V1
    OtherColumns,       // CSV columns the memo has no field for
    BeforeStart,        // markers before the start timecode (kept, at negative times)
};

enum class ExportNote {
    MergedSameFrame,  // Resolve keeps one marker a frame: markers starting on one frame merged
    ReplacedText,     // characters the format cannot hold (line breaks, tabs, "|") replaced
    IntroAdded,       // YouTube: a chapter "Intro" at 0:00
    TooClose,         // YouTube: notes less than 10 s after the previous chapter left out
    BeforeZero,       // YouTube: notes before 0:00 left out
    TooShortAtEnd,    // YouTube: notes less than 10 s before the scene's end left out
    TooFewChapters,   // YouTube shows chapters only from three on
};

// A memo clip as the writers see it: whole frames of the scene's rate from its frame 0.
struct ExportClip {
    std::string name, comment;
    std::int64_t start = 0;
    std::int64_t duration = 1; // at least one frame: one frame is a point marker
    MemoRgb back{}, fore{};
};

struct ExportTrack {
    std::string name;
    bool active = true;
    std::vector<ExportClip> clips;
};

struct ExportMemo {
    std::vector<ExportTrack> tracks;
    FrameRate rate;
    double fps = 24.0;
    bool drop = false;          // drop frame in effect: asked for, and the rate has it
    Timecode start;             // the timecode of frame 0
    std::int64_t startFrames = 0;
    std::int64_t length = 1;    // frames from 0 past the scene's end and the last clip's end
    std::string title;
    bool otioOnStack = false;
};

struct ExportResult {
    std::string text;
    size_t markers = 0;
    std::map<ExportNote, int> notes;
};

// Every clip of the memo in start order (then track order, then clip order), with its track's index.
struct TimedClip {
    const ExportClip *clip;
    size_t track;
};
std::vector<TimedClip> ClipsInTimeOrder(const ExportMemo &memo);

// The timecode text of a frame of the memo (start timecode added); raises BeforeTimecodeZero
// (naming the clip text) when it falls before 00:00:00:00.
std::string TimecodeText(const ExportMemo &memo, std::int64_t frame, const ExportClip &clip);

struct ImportClip {
    std::string name, comment;
    double start = 0.0;
    double duration = 0.0; // seconds; 0 or less: a point, one frame long in the memo
    std::optional<MemoRgb> back, fore;
};

struct ImportTrack {
    std::string name;
    bool active = true;
    std::vector<ImportClip> clips;
};

struct ImportedMemo {
    std::vector<ImportTrack> tracks;
    std::map<Unkept, long> unkept;
    size_t markers = 0;

    void Note(Unkept what, long count = 1) { unkept[what] += count; }
    // Appends a clip, counting it against kMaxImportMarkers (TooManyMarkers beyond).
    ImportClip &AddClip(ImportTrack &track);
};

// Times of a file: frames at the file's rate (frames per second, finite and above 0) to seconds.
// When the file's rate is the scene's, the frames are divided by the scene's own frames per second,
// so that a memo written and read back keeps its times to the last bit. Raises TimeOutOfRange
// beyond kMaxExchangeSeconds.
double SecondsOfFrames(double frames, double fileFps, const ExchangeSettings &settings, long line);

// A text for a message: at most 80 bytes of it, cut between characters, bytes that are not UTF-8
// shown as "?".
std::string MessageText(const std::string &text);

// The start timecode of a format under the settings as frames of the rate; raises BadStartTimecode.
Timecode StartTimecodeOf(MarkerFormat format, const ExchangeSettings &settings, const FrameRate &rate,
                         std::int64_t &frames);

// A timecode of a file read as frames of the scene's rate (drop frame from its ";" or from
// dropFile); raises BadTimecode. The rate must have timecode.
std::int64_t ReadTimecodeFrames(const std::string &text, const FrameRate &rate, bool dropFile, long line);

// The scene's rate, or SceneRate; NoTimecodeRate too when timecode is needed and it has none.
FrameRate SceneRateOf(const ExchangeSettings &settings, bool needsTimecode);

// Name and comment of a memo clip's text, and the text of a marker's name and comment.
void SplitNameComment(const std::string &text, std::string &name, std::string &comment);
std::string JoinNameComment(const std::string &name, const std::string &comment);

// The memo's tracks in whole frames for the writers (the settings' start timecode and rate).
ExportMemo PrepareExport(MarkerFormat format, const std::vector<const MemoTrack *> &tracks,
                         const ExchangeSettings &settings);

// Writes the tracks in a format other than the memo's YAML; raises ExchangeError.
ExportResult ExportMarkers(MarkerFormat format, const std::vector<const MemoTrack *> &tracks,
                           const ExchangeSettings &settings);

// Reads a file's text in a format other than the memo's YAML; raises ExchangeError.
ImportedMemo ImportMarkers(MarkerFormat format, const std::string &text, const ExchangeSettings &settings);

// Puts what was read into a track list: replacing it, or after its tracks. Names and comments are
// joined, points become one frame of the scene, clips without a text colour get TextColorFor.
void ApplyImport(const ImportedMemo &imported, double fps, MemoTrackList &tracks, bool replace);

// The whole file (at most kMaxImportBytes), for the readers; raises CannotRead or FileTooLarge.
std::string ReadExchangeFile(const std::string &path);
// Writes the text, replacing the file; raises CannotWrite.
void WriteExchangeFile(const std::string &path, const std::string &text);

#endif
