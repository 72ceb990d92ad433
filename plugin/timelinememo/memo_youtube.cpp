// memo_youtube.cpp: YouTube chapters, the lines pasted into a video's description:
//
//   0:00 Intro
//   0:12 Anim block
//   1:05:03 Lighting pass
//
// A chapter a clip, at its start as media time from the scene's frame 0, cut to whole seconds
// ("m:ss", "h:mm:ss" from an hour on), with the clip's name (its comment is left out). YouTube
// shows chapters only when the first is at 0:00, there are three or more, in rising order, each 10
// seconds or longer; so the writer keeps the clips in time order, adds "0:00 Intro" when no clip
// starts in the first second, leaves out clips before 0:00, those starting less than 10 s after
// the chapter before, and those less than 10 s before the scene's end, and says so; with fewer than
// three chapters it writes them and says that YouTube will not show them. Not read back.
#include "memo_exchange_text.h"
#include "memo_formats.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr std::int64_t kShortestChapter = 10; // seconds

std::string Stamp(std::int64_t seconds)
{
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    return text;
}

struct Chapter {
    std::int64_t second;
    std::string title;
};

} // namespace

ExportResult WriteYoutubeChapters(const ExportMemo &memo)
{
    ExportResult result;
    int replaced = 0;
    std::vector<Chapter> chapters;
    for (const TimedClip &timed : ClipsInTimeOrder(memo)) {
        const ExportClip &clip = *timed.clip;
        if (clip.start < 0) {
            ++result.notes[ExportNote::BeforeZero];
            continue;
        }
        const auto second = static_cast<std::int64_t>(std::floor(static_cast<double>(clip.start) / memo.fps));
        if (chapters.empty() && second > 0) {
            chapters.push_back({0, "Intro"});
            result.notes[ExportNote::IntroAdded] = 1;
        }
        if (!chapters.empty() && second - chapters.back().second < kShortestChapter) {
            ++result.notes[ExportNote::TooClose];
            continue;
        }
        chapters.push_back({second, OneLineText(clip.name, replaced)});
    }
    const auto end = static_cast<std::int64_t>(std::floor(static_cast<double>(memo.length) / memo.fps));
    while (chapters.size() > 1 && end - chapters.back().second < kShortestChapter) {
        chapters.pop_back();
        ++result.notes[ExportNote::TooShortAtEnd];
    }
    if (chapters.size() < 3)
        result.notes[ExportNote::TooFewChapters] = static_cast<int>(chapters.size());
    for (const Chapter &chapter : chapters) {
        std::string line = Stamp(chapter.second) + " " + chapter.title;
        line.erase(line.find_last_not_of(' ') + 1);
        result.text += line + "\n";
    }
    result.markers = chapters.size();
    if (replaced > 0)
        result.notes[ExportNote::ReplacedText] += replaced;
    return result;
}
