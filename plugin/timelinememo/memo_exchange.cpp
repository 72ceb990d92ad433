// memo_exchange.cpp: what every marker format shares: the list of formats, the memo in frames for
// the writers, the readers' times and timecodes, and the import put into the memo.
#include "memo_exchange.h"

#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const std::vector<MarkerFormatInfo> kFormats = {
    {MarkerFormat::Yaml, "yaml", "yaml", "Memo YAML [yaml]", "メモ YAML [yaml]", true, nullptr},
    {MarkerFormat::Otio, "otio", "otio", "OpenTimelineIO [otio]", "OpenTimelineIO [otio]", true, "00:00:00:00"},
    {MarkerFormat::EdlResolve, "edl-resolve", "edl", "EDL, Resolve markers [edl-resolve]",
     "EDL (Resolve マーカー) [edl-resolve]", true, "01:00:00:00"},
    {MarkerFormat::EdlLoc, "edl-loc", "edl", "EDL, locators [edl-loc]", "EDL (ロケーター) [edl-loc]", true,
     "01:00:00:00"},
    {MarkerFormat::Avid, "avid", "txt", "Avid marker list [avid]", "Avid マーカーリスト [avid]", true, "01:00:00:00"},
    {MarkerFormat::Xmeml, "xmeml", "xml", "Final Cut Pro 7 XML [xmeml]", "Final Cut Pro 7 XML [xmeml]", true,
     "01:00:00:00"},
    {MarkerFormat::Csv, "csv", "csv", "CSV [csv]", "CSV [csv]", true, "00:00:00:00"},
    {MarkerFormat::Ffmetadata, "ffmetadata", "ffmetadata", "FFmpeg chapters [ffmetadata]",
     "FFmpeg チャプター [ffmetadata]", true, nullptr},
    {MarkerFormat::Youtube, "youtube", "txt", "YouTube chapters [youtube]", "YouTube チャプター [youtube]", false,
     nullptr},
};

// Formats whose files count time in timecode only.
bool NeedsTimecode(MarkerFormat format)
{
    return format == MarkerFormat::EdlResolve || format == MarkerFormat::EdlLoc || format == MarkerFormat::Avid ||
           format == MarkerFormat::Xmeml;
}

std::string RateText(double fps)
{
    std::ostringstream text;
    text.precision(10);
    text << fps;
    return text.str();
}

} // namespace

const std::vector<MarkerFormatInfo> &MarkerFormats() { return kFormats; }

const MarkerFormatInfo &InfoOf(MarkerFormat format)
{
    for (const MarkerFormatInfo &info : kFormats)
        if (info.format == format)
            return info;
    return kFormats.front();
}

ImportClip &ImportedMemo::AddClip(ImportTrack &track)
{
    if (markers >= kMaxImportMarkers)
        throw ExchangeError{ExchangeErrorId::TooManyMarkers, std::to_string(kMaxImportMarkers)};
    ++markers;
    track.clips.emplace_back();
    return track.clips.back();
}

FrameRate SceneRateOf(const ExchangeSettings &settings, bool needsTimecode)
{
    const std::optional<FrameRate> rate = RateOfFps(settings.fps);
    if (!rate)
        throw ExchangeError{ExchangeErrorId::SceneRate, RateText(settings.fps)};
    if (needsTimecode && TimecodeBase(*rate) <= 0)
        throw ExchangeError{ExchangeErrorId::NoTimecodeRate, RateText(settings.fps)};
    return *rate;
}

Timecode StartTimecodeOf(MarkerFormat format, const ExchangeSettings &settings, const FrameRate &rate,
                         std::int64_t &frames)
{
    frames = 0;
    const char *fallback = InfoOf(format).defaultStart;
    if (!fallback)
        return Timecode{};
    const std::string text = settings.startTimecode.empty() ? std::string(fallback) : settings.startTimecode;
    if (TimecodeBase(rate) <= 0) {
        if (settings.startTimecode.empty())
            return Timecode{};
        throw ExchangeError{ExchangeErrorId::NoTimecodeRate, RateText(rate.Fps())};
    }
    std::optional<Timecode> start = ParseTimecode(std::string(Trim(text)));
    if (start) {
        // The label counts as the file does: drop frame where the setting and the rate have it.
        start->drop = settings.dropFrame && DropFrameRate(rate);
        if (const std::optional<std::int64_t> count = TimecodeFrames(*start, rate)) {
            frames = *count;
            return *start;
        }
    }
    throw ExchangeError{ExchangeErrorId::BadStartTimecode, text};
}

std::int64_t ReadTimecodeFrames(const std::string &text, const FrameRate &rate, bool dropFile, long line)
{
    std::optional<Timecode> timecode = ParseTimecode(text);
    if (timecode) {
        timecode->drop = timecode->drop || (dropFile && DropFrameRate(rate));
        if (const std::optional<std::int64_t> frames = TimecodeFrames(*timecode, rate))
            return *frames;
    }
    throw ExchangeError{ExchangeErrorId::BadTimecode, MessageText(text), line};
}

double SecondsOfFrames(double frames, double fileFps, const ExchangeSettings &settings, long line)
{
    const std::optional<FrameRate> scene = RateOfFps(settings.fps);
    const std::optional<FrameRate> file = RateOfFps(fileFps);
    const double seconds = scene && file && *scene == *file ? frames / settings.fps : frames / fileFps;
    if (!std::isfinite(seconds) || std::fabs(seconds) > kMaxExchangeSeconds)
        throw ExchangeError{ExchangeErrorId::TimeOutOfRange, std::string(), line};
    return seconds;
}

std::string MessageText(const std::string &text)
{
    std::string shown;
    size_t at = 0;
    while (at < text.size()) {
        size_t length = 1;
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead >= 0x80)
            length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const bool whole = at + length <= text.size() && IsUtf8(std::string_view(text).substr(at, length));
        if (!whole)
            length = 1;
        if (shown.size() + length > 80) {
            shown += "...";
            break;
        }
        shown += whole ? text.substr(at, length) : std::string("?");
        at += length;
    }
    return shown;
}

void SplitNameComment(const std::string &text, std::string &name, std::string &comment)
{
    const size_t at = text.find(" - ");
    if (at == std::string::npos || at + 3 >= text.size()) {
        name = text;
        comment.clear();
        return;
    }
    name = text.substr(0, at);
    comment = text.substr(at + 3);
}

std::string JoinNameComment(const std::string &name, const std::string &comment)
{
    return comment.empty() ? name : name + " - " + comment;
}

std::vector<TimedClip> ClipsInTimeOrder(const ExportMemo &memo)
{
    std::vector<TimedClip> clips;
    for (size_t t = 0; t < memo.tracks.size(); ++t)
        for (const ExportClip &clip : memo.tracks[t].clips)
            clips.push_back({&clip, t});
    std::stable_sort(clips.begin(), clips.end(),
                     [](const TimedClip &a, const TimedClip &b) { return a.clip->start < b.clip->start; });
    return clips;
}

std::string TimecodeText(const ExportMemo &memo, std::int64_t frame, const ExportClip &clip)
{
    const std::int64_t count = memo.startFrames + frame;
    if (const std::optional<Timecode> timecode = FramesTimecode(count, memo.rate, memo.drop))
        return FormatTimecode(*timecode);
    if (count < 0)
        throw ExchangeError{ExchangeErrorId::BeforeTimecodeZero, MessageText(JoinNameComment(clip.name, clip.comment))};
    throw ExchangeError{ExchangeErrorId::TimeOutOfRange, MessageText(JoinNameComment(clip.name, clip.comment))};
}

ExportMemo PrepareExport(MarkerFormat format, const std::vector<const MemoTrack *> &tracks,
                         const ExchangeSettings &settings)
{
    ExportMemo memo;
    memo.rate = SceneRateOf(settings, NeedsTimecode(format));
    memo.fps = settings.fps;
    memo.drop = settings.dropFrame && DropFrameRate(memo.rate);
    memo.start = StartTimecodeOf(format, settings, memo.rate, memo.startFrames);
    memo.title = settings.title;
    memo.otioOnStack = settings.otioOnStack;
    memo.length = std::max<std::int64_t>(1, static_cast<std::int64_t>(settings.sceneEndFrame) + 1);
    for (const MemoTrack *track : tracks) {
        if (!IsUtf8(track->name))
            throw ExchangeError{ExchangeErrorId::NotUtf8, MessageText(track->name)};
        ExportTrack &out = memo.tracks.emplace_back();
        out.name = track->name;
        out.active = track->active;
        for (const auto &clip : track->clips) {
            if (!IsUtf8(clip->name))
                throw ExchangeError{ExchangeErrorId::NotUtf8, MessageText(clip->name)};
            ExportClip &to = out.clips.emplace_back();
            SplitNameComment(clip->name, to.name, to.comment);
            const std::optional<std::int64_t> start = FramesOfSeconds(clip->startTime, settings.fps);
            const std::optional<std::int64_t> duration = FramesOfSeconds(clip->duration, settings.fps);
            if (!start || !duration)
                throw ExchangeError{ExchangeErrorId::TimeOutOfRange, MessageText(clip->name)};
            to.start = *start;
            to.duration = std::max<std::int64_t>(1, *duration);
            to.back = clip->backColor;
            to.fore = clip->foreColor;
            memo.length = std::max(memo.length, to.start + to.duration);
        }
    }
    return memo;
}

ExportResult ExportMarkers(MarkerFormat format, const std::vector<const MemoTrack *> &tracks,
                           const ExchangeSettings &settings)
{
    const ExportMemo memo = PrepareExport(format, tracks, settings);
    switch (format) {
    case MarkerFormat::Otio: return WriteOtio(memo);
    case MarkerFormat::EdlResolve: return WriteResolveEdl(memo);
    case MarkerFormat::EdlLoc: return WriteLocatorEdl(memo);
    case MarkerFormat::Avid: return WriteAvidMarkers(memo);
    case MarkerFormat::Xmeml: return WriteXmeml(memo);
    case MarkerFormat::Csv: return WriteCsv(memo);
    case MarkerFormat::Ffmetadata: return WriteFfmetadata(memo);
    case MarkerFormat::Youtube: return WriteYoutubeChapters(memo);
    case MarkerFormat::Yaml: break;
    }
    return {};
}

ImportedMemo ImportMarkers(MarkerFormat format, const std::string &bytes, const ExchangeSettings &settings)
{
    if (bytes.size() > kMaxImportBytes)
        throw ExchangeError{ExchangeErrorId::FileTooLarge, std::to_string(kMaxImportBytes)};
    const std::string text = DecodeText(bytes);
    switch (format) {
    case MarkerFormat::Otio: return ReadOtio(text, settings);
    case MarkerFormat::EdlResolve:
    case MarkerFormat::EdlLoc: return ReadEdl(text, format, settings);
    case MarkerFormat::Avid: return ReadAvidMarkers(text, settings);
    case MarkerFormat::Xmeml: return ReadXmeml(text, settings);
    case MarkerFormat::Csv: return ReadCsv(text, settings);
    case MarkerFormat::Ffmetadata: return ReadFfmetadata(text, settings);
    case MarkerFormat::Youtube:
    case MarkerFormat::Yaml: break;
    }
    throw ExchangeError{ExchangeErrorId::ExportOnly, InfoOf(format).name};
}

void ApplyImport(const ImportedMemo &imported, double fps, MemoTrackList &tracks, bool replace)
{
    MemoTrackList read;
    for (const ImportTrack &track : imported.tracks) {
        MemoTrack &memoTrack = *AddMemoTrackTo(read);
        memoTrack.name = track.name;
        memoTrack.active = track.active;
        for (const ImportClip &clip : track.clips) {
            MemoClip &memoClip = *AddMemoClip(memoTrack);
            memoClip.name = JoinNameComment(clip.name, clip.comment);
            memoClip.startTime = clip.start;
            memoClip.duration = clip.duration > 0.0 ? clip.duration : 1.0 / fps;
            memoClip.backColor = clip.back.value_or(MemoRgb{1.0f, 0.0f, 0.0f});
            memoClip.foreColor = clip.fore.value_or(TextColorFor(memoClip.backColor));
        }
    }
    if (!replace) {
        MemoTrackList joined = std::move(tracks);
        for (auto &track : read)
            joined.push_back(std::move(track));
        read = std::move(joined);
    }
    ReplaceMemoTracks(tracks, std::move(read));
}

std::string ReadExchangeFile(const std::string &path)
{
    const std::filesystem::path file = std::filesystem::u8path(path);
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        throw ExchangeError{ExchangeErrorId::CannotRead, "a folder"};
    std::ifstream in(file, std::ios::in | std::ios::binary);
    if (!in)
        throw ExchangeError{ExchangeErrorId::CannotRead, std::string()};
    std::string text;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxImportBytes)
            throw ExchangeError{ExchangeErrorId::FileTooLarge, std::to_string(kMaxImportBytes)};
    }
    if (in.bad())
        throw ExchangeError{ExchangeErrorId::CannotRead, std::string()};
    return text;
}

void WriteExchangeFile(const std::string &path, const std::string &text)
{
    std::ofstream out(std::filesystem::u8path(path), std::ios::out | std::ios::trunc | std::ios::binary);
    if (out)
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        throw ExchangeError{ExchangeErrorId::CannotWrite, std::string()};
}
