// clipmixer_records.cpp: adding and removing clips and tracks with their defaults.
#include "clipmixer.h"

Clip &AddClip(ClipMixer &mixer)
{
    auto clip = std::make_unique<Clip>();
    clip->name.assign(1, static_cast<char>('A' + mixer.clips.size() % 26));
    clip->step = 3;
    clip->sequence = "1 2 3 4 5";
    mixer.clips.push_back(std::move(clip));
    return *mixer.clips.back();
}

Track &AddTrack(ClipMixer &mixer)
{
    auto track = std::make_unique<Track>();
    track->sequence = "A";
    SetTrackIndexAside(mixer);
    mixer.tracks.push_back(std::move(track));
    return *mixer.tracks.back();
}

void RemoveClip(ClipMixer &mixer, std::size_t index)
{
    if (index < mixer.clips.size())
        mixer.clips.erase(mixer.clips.begin() + static_cast<std::ptrdiff_t>(index));
}

void RemoveTrack(ClipMixer &mixer, std::size_t index)
{
    if (index < mixer.tracks.size()) {
        SetTrackIndexAside(mixer);
        mixer.tracks.erase(mixer.tracks.begin() + static_cast<std::ptrdiff_t>(index));
    }
}
