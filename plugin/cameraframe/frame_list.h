// frame_list.h: camera frame records, the master's scene-level state and the process-wide frame list.
//
// The list is shared by every server of ZK:CameraFrame. The interface thread edits it (panel, tool,
// scene load) while the image filter and the ring answer read it from the host's render and peer
// threads: every change and every whole read pass holds LockFrames().
#ifndef ZK_CAMERAFRAME_FRAME_LIST_H
#define ZK_CAMERAFRAME_FRAME_LIST_H

#include "lwhost/lwhost.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

enum FrameCalcMode : std::int32_t { WidthHeight = 0, WidthAspect = 1, HeightAspect = 2 };

// Composition guides of a frame: lines inside the frame rectangle (any combination of the kinds), and
// title- and action-safe rectangles at percentages of the frame, drawn in the frame's colour.
enum FrameGuideKind : std::uint32_t {
    GuideThirds = 1u << 0,
    GuideGolden = 1u << 1,
    GuideCross = 1u << 2,
    GuideDiagonals = 1u << 3,
};

struct FrameGuides {
    std::uint32_t kinds = 0;        // FrameGuideKind bits
    double opacity = 0.5;           // of the guide lines and safe rectangles, 0..1
    bool titleSafe = false;
    double titleSafePercent = 90.0; // of the frame's width and height
    bool actionSafe = false;
    double actionSafePercent = 93.0;
    bool burnIn = false;            // also burnt into renders
};

// The longest name, memo or extra text a frame keeps, in bytes: what the scene block reads back
// (a 256-byte buffer). Every path that sets one cuts it there, at a character boundary.
constexpr int kFrameTextBytes = 255;

// A new frame's size and margins; also what a stored size or margin that is no number reads and
// is written as.
constexpr double kDefaultFrameWidth = 320.0;
constexpr double kDefaultFrameHeight = 180.0;
constexpr double kDefaultFrameAspect = 16.0 / 9.0;
constexpr double kDefaultFrameMargin = 0.1; // of the frame's width and of its height

struct FrameRecord {
    FrameRecord(); // names itself from "Frame (%d)" and advances the default-name counter
    explicit FrameRecord(std::string givenName); // leaves the counter alone

    bool redraw = true;
    bool hot = false;
    std::string name;
    bool active = true;
    LWItemID camera = LWITEM_NULL;
    double posX = 0.0, posY = 0.0;
    std::int32_t calcMode = WidthHeight;
    double width = kDefaultFrameWidth, height = kDefaultFrameHeight;
    double aspect = kDefaultFrameAspect;
    double rotation = 0.0;
    double marginW = kDefaultFrameMargin, marginH = kDefaultFrameMargin;
    double marginWPx = 0.0, marginHPx = 0.0;
    double color[3] = {0.0, 0.0, 0.0};
    double transparency = 0.0;
    std::string memo;
    bool showFocalLength = false;
    FrameGuides guides;
};

struct FramePanel; // the options panel, built by the interface server

struct CameraFrameState {
    FramePanel *panel = nullptr;                  // owned; freed through destroyPanel
    void (*destroyPanel)(FramePanel *) = nullptr; // set by whoever builds the panel
    char description[256] = {};
    std::int32_t currentIndex = 0;
    bool combined = false;
    double combinedColor[3] = {0.0, 0.0, 0.0};
    double combinedTransparency = 0.0;
    std::string extraText;
    bool extraFlag = false;
    // The frame count of the last answer to a ring count query: a requester sizes its array from
    // it for the frame query that follows.
    std::int32_t reportedCount = 0;
    // The cameras the frames use, ended by a null: the list last handed to the host.
    std::vector<LWItemID> usedCameras;
};

// The master instance behind an opaque pointer: the host's LWInstance, the ring's client data, the
// panel's user data.
inline CameraFrameState *FrameStateOf(void *instance) { return static_cast<CameraFrameState *>(instance); }

using FrameRecords = std::vector<std::unique_ptr<FrameRecord>>;

// The guard of the frame list, of the records in it and of the master instance's scene-level
// fields (combined shading, extra text and flag, reported count). Recursive: the helpers below take it themselves
// and may be called with it held. LockFrames() is taken by passes that change nothing the frames
// are drawn from (reads, and the redraw and hot flags); EditFrames() by every change of the list,
// a record or the combined shading: its release moves FramesGeneration() on, so that what is made
// from the frames (the combined mask) is made again.
class FramesEdit {
public:
    FramesEdit();
    ~FramesEdit();
    FramesEdit(FramesEdit &&) = default;
    FramesEdit(const FramesEdit &) = delete;
    FramesEdit &operator=(const FramesEdit &) = delete;

private:
    std::unique_lock<std::recursive_mutex> lock_;
};
std::unique_lock<std::recursive_mutex> LockFrames();
FramesEdit EditFrames();
unsigned FramesGeneration();

// The list itself; hold LockFrames() while using it.
FrameRecords &Frames();

int FrameCount();
// Null when the index is negative or not below the count.
FrameRecord *FrameAt(int index);
// The frame's name, or "Frame%d" with index + 1 when the name is empty; the empty text when out of
// range. The buffer belongs to the plug-in and stays valid until the next call.
const char *FrameListLabel(int index);

// Appends a frame (copied from the current one, else sized from the first camera) and selects it.
void CreateFrame(CameraFrameState &state);
// Removes the current frame, if any, and selects the one before it.
void DeleteCurrentFrame(CameraFrameState &state);
// Frees every record.
void ClearFrames();
// Appends loaded records behind the ones already there.
void AppendFrames(FrameRecords &records);

// The one master instance of the process, or null.
CameraFrameState *TheFrameState();
void SetTheFrameState(CameraFrameState *state);

// Whole pixel value of a double for integer fields: truncated toward zero, NaN as 0, and held in
// the 32-bit range.
std::int32_t TruncToInt(double value);

#endif
