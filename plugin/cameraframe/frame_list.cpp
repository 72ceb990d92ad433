// frame_list.cpp: the frame list, naming, creation and deletion of frames.
#include "frame_list.h"

#include "frame_geometry.h"

#include "../common/lwglobals.h"
#include "../common/lwtool2.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

namespace {

std::recursive_mutex g_framesMutex;
FrameRecords g_frames;
std::atomic<int> g_defaultNameCounter{1};
std::atomic<CameraFrameState *> g_frameState{nullptr};
std::atomic<unsigned> g_generation{1};

void CopyGeometry(FrameRecord &to, const FrameRecord &from)
{
    to.camera = from.camera;
    to.posX = from.posX;
    to.posY = from.posY;
    to.calcMode = from.calcMode;
    to.width = from.width;
    to.height = from.height;
    to.aspect = from.aspect;
    to.rotation = from.rotation;
    to.marginW = from.marginW;
    to.marginH = from.marginH;
    to.marginWPx = from.marginWPx;
    to.marginHPx = from.marginHPx;
    std::copy(std::begin(from.color), std::end(from.color), std::begin(to.color));
    to.transparency = from.transparency;
    to.showFocalLength = from.showFocalLength;
    to.guides = from.guides;
}

// Sizes a new frame so that it and its default margins fill the first camera's image.
void SizeFromFirstCamera(FrameRecord &frame)
{
    const LWItemInfo *items = g_hostGlobals.itemInfo;
    if (!items)
        return;
    const LWItemID camera = items->first(LWI_CAMERA, LWITEM_NULL);
    if (!camera)
        return;
    frame.camera = camera;
    int resW = 0, resH = 0;
    if (g_hostGlobals.cameraInfo)
        g_hostGlobals.cameraInfo->resolution(camera, &resW, &resH);
    if (resW < 1 || resH < 1)
        return; // a camera without an image keeps the default size
    frame.aspect = std::max(0.01, static_cast<double>(resW) / resH);
    frame.width = std::floor(resW / (frame.marginW + 1.0));
    frame.height = std::floor(resH / (frame.marginH + 1.0));
    PixelsFromPercent(frame);
}

} // namespace

FrameRecord::FrameRecord() : name(FormatString("Frame (%d)", g_defaultNameCounter.fetch_add(1))) {}

FrameRecord::FrameRecord(std::string givenName) : name(std::move(givenName)) {}

std::unique_lock<std::recursive_mutex> LockFrames() { return std::unique_lock<std::recursive_mutex>(g_framesMutex); }

FramesEdit::FramesEdit() : lock_(g_framesMutex) {}

FramesEdit::~FramesEdit()
{
    if (lock_.owns_lock())
        g_generation.fetch_add(1);
}

FramesEdit EditFrames() { return FramesEdit(); }

unsigned FramesGeneration() { return g_generation.load(); }

FrameRecords &Frames() { return g_frames; }

int FrameCount()
{
    auto lock = LockFrames();
    return static_cast<int>(g_frames.size());
}

FrameRecord *FrameAt(int index)
{
    auto lock = LockFrames();
    if (index < 0 || static_cast<size_t>(index) >= g_frames.size())
        return nullptr;
    return g_frames[static_cast<size_t>(index)].get();
}

const char *FrameListLabel(int index)
{
    // The popup's name callback runs on the interface thread, as every panel callback does: one
    // label serves, written under the frame list's lock. A plain static, freed when the module is
    // unloaded (not at a thread's exit).
    static std::string label;
    auto lock = LockFrames();
    const FrameRecord *frame = FrameAt(index);
    if (!frame)
        label.clear();
    else if (frame->name.empty())
        label = FormatString("Frame%d", index + 1);
    else
        label = frame->name;
    return label.c_str();
}


void CreateFrame(CameraFrameState &state)
{
    auto record = std::make_unique<FrameRecord>();
    auto edit = EditFrames();
    if (const FrameRecord *current = FrameAt(state.currentIndex))
        CopyGeometry(*record, *current);
    else
        SizeFromFirstCamera(*record);
    g_frames.push_back(std::move(record));
    state.currentIndex = static_cast<std::int32_t>(g_frames.size() - 1);
}

void DeleteCurrentFrame(CameraFrameState &state)
{
    auto edit = EditFrames();
    if (!FrameAt(state.currentIndex))
        return;
    g_frames.erase(g_frames.begin() + state.currentIndex);
    state.currentIndex = std::max(0, state.currentIndex - 1);
}

void ClearFrames()
{
    FrameRecords gone;
    {
        auto edit = EditFrames();
        gone.swap(g_frames);
    }
}

void AppendFrames(FrameRecords &records)
{
    auto edit = EditFrames();
    g_frames.reserve(g_frames.size() + records.size());
    for (auto &record : records)
        g_frames.push_back(std::move(record));
    records.clear();
}

CameraFrameState *TheFrameState() { return g_frameState.load(); }

void SetTheFrameState(CameraFrameState *state) { g_frameState.store(state); }

std::int32_t TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}
