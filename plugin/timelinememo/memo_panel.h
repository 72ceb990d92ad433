// memo_panel.h: the memo's view panel: control table, hints, get and set, buttons, popups.
#ifndef ZK_MEMO_PANEL_H
#define ZK_MEMO_PANEL_H

#include "memo_records.h"

#include <string>

// Control identifiers of the panel.
enum MemoControl : unsigned int {
    kMemoExport = 0x8004,
    kMemoImport = 0x8005,
    kMemoCreateTrack = 0x8007,
    kMemoDeleteTrack = 0x8008,
    kMemoTrackUp = 0x8009,
    kMemoTrackDown = 0x800A,
    kMemoTracksList = 0x800C,
    kMemoTrackName = 0x800D,
    kMemoTrackActive = 0x800E,
    kMemoCreateClip = 0x8010,
    kMemoDeleteClip = 0x8011,
    kMemoClipsList = 0x8013,
    kMemoClipName = 0x8014,
    kMemoClipStart = 0x8015,
    kMemoClipLength = 0x8016,
    kMemoClipForeColor = 0x8017,
    kMemoClipBackColor = 0x8018,
};

// The control table in the language of the memo's last activation, ended by an entry with id 0.
const LWXPanelControl *MemoControlTable();

// Builds the panel for the instance through "LWXPanel 3" and stores it in the instance; also
// resets the selection and flags a redraw. Null when the host has no view panels.
LWXPanelID CreateMemoPanel(MemoInstance &instance);

// The panel's callbacks.
void *MemoPanelGet(void *inst, unsigned int vid);
LWXPRefreshCode MemoPanelSet(void *inst, unsigned int vid, void *value);
void MemoPanelButton(LWXPanelID panel, int cid);
void MemoPanelDestroyed(void *panelData);
int MemoTrackCount(void *userData);
const char *MemoTrackName(void *userData, int index);
int MemoClipCount(void *userData);
const char *MemoClipName(void *userData, int index);

// After a change of the memo: redraw, refresh the panel and ask the host to redraw at once.
void MemoPanelChanged(MemoInstance &instance);

// The one path shared by Import and Export (empty until one of them is used).
std::string &MemoLastPath();

#endif
