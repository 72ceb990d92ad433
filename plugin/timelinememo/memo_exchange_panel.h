// memo_exchange_panel.h: the memo panel's controls for editorial files and for jumping between
// notes: the format list, what to export, what an import does, the start timecode, drop frame,
// OTIO's stack, and the buttons that take the current time to the previous or next clip start.
#ifndef ZK_MEMO_EXCHANGE_PANEL_H
#define ZK_MEMO_EXCHANGE_PANEL_H

#include "memo_records.h"

#include <string>

enum MemoExchangeControl : unsigned int {
    kMemoFormat = 0x8019,        // iPopChoice: the file format of Import and Export
    kMemoExportTracks = 0x801A,  // iPopChoice: enabled tracks, or the selected track
    kMemoImportMode = 0x801B,    // iPopChoice: replace the memo, or add tracks
    kMemoStartTimecode = 0x801C, // string: the timecode of the scene's frame 0; empty: the format's own
    kMemoDropFrame = 0x801D,     // iBoolean: drop-frame timecode at 29.97 and 59.94
    kMemoOtioStack = 0x801E,     // iBoolean: OTIO markers on the timeline's stack
    kMemoPreviousClip = 0x801F,  // vButton
    kMemoNextClip = 0x8020,      // vButton
};

// The choices, process-wide as the last path is.
struct MemoExchangeChoices {
    int format = 0;       // index in MarkerFormats(): the memo's YAML first
    int exportTracks = 0; // 0: every enabled track, 1: the selected track
    int importMode = 0;   // 0: replace the memo, 1: add the file's tracks after the memo's
    std::string startTimecode;
    bool dropFrame = true;
    bool otioOnStack = false;
};
MemoExchangeChoices &MemoExchange();

// The popups' entries.
int MemoFormatCount(void *userData);
const char *MemoFormatName(void *userData, int index);
int MemoExportTracksCount(void *userData);
const char *MemoExportTracksName(void *userData, int index);
int MemoImportModeCount(void *userData);
const char *MemoImportModeName(void *userData, int index);

// Get and set of the controls above: false when vid is none of them.
bool MemoExchangeGet(unsigned int vid, void *&value);
bool MemoExchangeSet(unsigned int vid, void *value, int &changed);

// Export and Import in a format other than the memo's YAML (and a YAML import that adds tracks):
// false when the memo's own Export or Import is to run.
bool MemoExportPressed(MemoInstance &instance);
bool MemoImportPressed(MemoInstance &instance);

// Previous Clip and Next Clip: "GoToFrame" to the nearest clip start of the selected track before
// or after the current frame, and that clip selected; nothing when there is none.
void MemoJumpPressed(MemoInstance &instance, bool next);

#endif
