// memo_records.h: the timeline memo's tracks and clips, their operations and the one-instance
// registry.
//
// A MemoInstance owns its tracks, a track owns its clips; removing a record destroys it. Every
// operation handed an index outside its list does nothing.
#ifndef ZK_MEMO_RECORDS_H
#define ZK_MEMO_RECORDS_H

#include "lwhost/lwhost.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

struct MemoTrack;

// The longest track or clip name the memo keeps, in bytes: what the scene block reads back (a
// 65,536-byte buffer; names are notes). The import, the panel and the scene load all cut a longer
// name there, at a character boundary.
constexpr int kMemoNameBytes = 65535;
using MemoTrackList = std::vector<std::unique_ptr<MemoTrack>>;

struct MemoClip {
    std::string name;
    double startTime = 0.0; // seconds
    double duration = 1.0;  // seconds
    std::array<float, 3> foreColor{0.0f, 0.0f, 0.0f};
    std::array<float, 3> backColor{0.0f, 0.0f, 0.0f};
    MemoTrack *owner = nullptr;
};

struct MemoTrack {
    std::string name;
    bool active = true;
    std::vector<std::unique_ptr<MemoClip>> clips;
    MemoTrackList *owner = nullptr;
};

struct MemoInstance {
    bool redrawPending = true;
    LWXPanelID panel = nullptr;
    int selectedClip = 0;
    int selectedTrack = 0;
    MemoTrackList tracks;
};

MemoTrack *AddMemoTrack(MemoInstance &instance);
// Appends a default track to any list (the readers fill a new list before it replaces the memo's).
MemoTrack *AddMemoTrackTo(MemoTrackList &tracks);
MemoClip *AddMemoClip(MemoTrack &track);
void RemoveMemoTrack(MemoInstance &instance, int index);
void RemoveMemoClip(MemoTrack &track, int index);
void ClearMemoTracks(MemoInstance &instance);
// Moves a whole list into the memo, replacing its tracks, and points the tracks at their new list.
void ReplaceMemoTracks(MemoTrackList &tracks, MemoTrackList &&replacement);
// Swap track i with its neighbour and move selectedTrack along; false when nothing moved.
bool MoveMemoTrackUp(MemoInstance &instance, int index);
bool MoveMemoTrackDown(MemoInstance &instance, int index);

std::string TrackDisplayName(const MemoTrack &track);
std::string ClipDisplayName(const MemoClip &clip);
std::vector<MemoTrack *> ActiveTracks(const MemoInstance &instance);

// Index checks shared by the panel and the readers.
bool ValidTrackIndex(const MemoInstance &instance, int index);
bool ValidClipIndex(const MemoTrack &track, int index);
MemoTrack *SelectedTrack(MemoInstance &instance);
MemoClip *SelectedClip(MemoInstance &instance);

// A colour component as stored in blocks, files and panels: floor(x * 255), kept within int.
int ColorComponentToInt(float component);
// And back: k / 255.
float ColorComponentFromInt(int value);

// The process-wide registry: at most one live instance.
std::vector<MemoInstance *> &MemoRegistry();
// The live instance, or null.
MemoInstance *CurrentMemo();
// The live instance behind an opaque pointer the host hands a callback (the instance, the panel's
// data), or null when the pointer is not the live instance.
MemoInstance *LiveMemoOf(const void *instance);

#endif
