// memo_edl.h: what the two EDL dialects share: the CMX 3600 header and event lines, and a marker
// as either dialect's line gives it.
#ifndef ZK_MEMO_EDL_H
#define ZK_MEMO_EDL_H

#include "memo_exchange.h"

#include <string_view>

// A CMX 3600 EDL numbers its events with three digits.
constexpr int kMaxEdlEvents = 999;

// "TITLE: ..." and "FCM: DROP FRAME" or "FCM: NON-DROP FRAME", then an empty line.
std::string EdlHeader(const ExportMemo &memo, const char *lineEnd);

// An event line of a cut on reel `reel`, video, whose source and record timecodes agree.
std::string EdlEventLine(int number, const char *reel, const std::string &in, const std::string &out);

struct EdlMarker {
    std::string name, comment;
    std::string timecode;      // a locator's own record timecode; empty: the event's record in
    std::int64_t duration = 0; // frames; 0: a point
    MemoRgb back{};
    bool unknownColor = false; // its colour word is in no palette: the dialect's default was taken
};

// A Resolve marker line ("note |C:ResolveColorRed |M:name |D:48"); false for any other line.
bool ParseResolveMarker(std::string_view line, long number, EdlMarker &marker);

// A locator line ("* LOC: 01:00:02:01 RED     text"); false for any other line.
bool ParseLocator(std::string_view line, long number, EdlMarker &marker);

#endif
