// memo_records.cpp: operations on the memo's tracks and clips, fallback labels, the registry.
#include "memo_records.h"

#include "../common/lwtool2.h"
#include "memo_texts.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

MemoTrack *AddMemoTrackTo(MemoTrackList &tracks)
{
    auto track = std::make_unique<MemoTrack>();
    track->owner = &tracks;
    tracks.push_back(std::move(track));
    return tracks.back().get();
}

MemoTrack *AddMemoTrack(MemoInstance &instance) { return AddMemoTrackTo(instance.tracks); }

MemoClip *AddMemoClip(MemoTrack &track)
{
    auto clip = std::make_unique<MemoClip>();
    clip->owner = &track;
    track.clips.push_back(std::move(clip));
    return track.clips.back().get();
}

void RemoveMemoTrack(MemoInstance &instance, int index)
{
    if (ValidTrackIndex(instance, index))
        instance.tracks.erase(instance.tracks.begin() + index);
}

void RemoveMemoClip(MemoTrack &track, int index)
{
    if (ValidClipIndex(track, index))
        track.clips.erase(track.clips.begin() + index);
}

void ClearMemoTracks(MemoInstance &instance) { instance.tracks.clear(); }

void ReplaceMemoTracks(MemoTrackList &tracks, MemoTrackList &&replacement)
{
    tracks = std::move(replacement);
    for (auto &track : tracks)
        track->owner = &tracks;
}

bool MoveMemoTrackUp(MemoInstance &instance, int index)
{
    if (index < 1 || !ValidTrackIndex(instance, index))
        return false;
    std::swap(instance.tracks[index], instance.tracks[index - 1]);
    instance.selectedTrack = index - 1;
    return true;
}

bool MoveMemoTrackDown(MemoInstance &instance, int index)
{
    if (!ValidTrackIndex(instance, index) || !ValidTrackIndex(instance, index + 1))
        return false;
    std::swap(instance.tracks[index], instance.tracks[index + 1]);
    instance.selectedTrack = index + 1;
    return true;
}

namespace {

// Position of a record in its owner's list, counted from 1; 0 when it is not there.
template <class List, class Record>
int PositionIn(const List *list, const Record *record)
{
    if (!list)
        return 0;
    for (size_t i = 0; i < list->size(); ++i)
        if ((*list)[i].get() == record)
            return static_cast<int>(i) + 1;
    return 0;
}

// The fallback formats are taken from the language in force at their first use and kept.
const std::string &TrackFormat()
{
    static const std::string format = MemoText(MemoTextId::TrackFormat);
    return format;
}

const std::string &ClipFormat()
{
    static const std::string format = MemoText(MemoTextId::ClipFormat);
    return format;
}

} // namespace

std::string TrackDisplayName(const MemoTrack &track)
{
    if (!track.name.empty())
        return track.name;
    return FormatString(TrackFormat().c_str(), PositionIn(track.owner, &track));
}

std::string ClipDisplayName(const MemoClip &clip)
{
    if (!clip.name.empty())
        return clip.name;
    return FormatString(ClipFormat().c_str(), PositionIn(clip.owner ? &clip.owner->clips : nullptr, &clip));
}

std::vector<MemoTrack *> ActiveTracks(const MemoInstance &instance)
{
    std::vector<MemoTrack *> active;
    for (const auto &track : instance.tracks)
        if (track->active)
            active.push_back(track.get());
    return active;
}

bool ValidTrackIndex(const MemoInstance &instance, int index)
{
    return index >= 0 && static_cast<size_t>(index) < instance.tracks.size();
}

bool ValidClipIndex(const MemoTrack &track, int index)
{
    return index >= 0 && static_cast<size_t>(index) < track.clips.size();
}

MemoTrack *SelectedTrack(MemoInstance &instance)
{
    return ValidTrackIndex(instance, instance.selectedTrack) ? instance.tracks[instance.selectedTrack].get() : nullptr;
}

MemoClip *SelectedClip(MemoInstance &instance)
{
    MemoTrack *track = SelectedTrack(instance);
    return track && ValidClipIndex(*track, instance.selectedClip) ? track->clips[instance.selectedClip].get() : nullptr;
}

int ColorComponentToInt(float component)
{
    // A value read back as k / 255 in 32 bits may land a hair below k (it does for k = -1): the
    // allowance keeps such values at k, so that saving and loading again never drifts.
    const double scaled = std::floor(static_cast<double>(component) * 255.0 + 1e-4);
    if (std::isnan(scaled))
        return 0;
    return static_cast<int>(std::clamp(scaled, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

float ColorComponentFromInt(int value) { return static_cast<float>(value / 255.0); }

std::vector<MemoInstance *> &MemoRegistry()
{
    static std::vector<MemoInstance *> registry;
    return registry;
}

MemoInstance *CurrentMemo()
{
    auto &registry = MemoRegistry();
    return registry.empty() ? nullptr : registry.front();
}

MemoInstance *LiveMemoOf(const void *instance)
{
    if (!instance)
        return nullptr;
    for (MemoInstance *live : MemoRegistry())
        if (live == instance)
            return live;
    return nullptr;
}
