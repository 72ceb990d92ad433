// frame_ring.cpp: answering the count and frame queries of other plug-ins.
#include "frame_ring.h"

#include "frame_geometry.h"
#include "frame_list.h"

#include "../common/lwglobals.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"

#include <algorithm>

namespace {

std::int32_t Byte255(double value) { return TruncToInt(value * 255.0); }
std::int32_t OpacityPercent(double transparency) { return TruncToInt(100.0 - transparency * 100.0); }

void FillEntry(FrameQueryEntry &entry, const FrameRecord &f)
{
    AssignRingText(entry.name, f.name);
    entry.camera = f.camera;
    int resW = 0, resH = 0;
    const LWCameraInfo *cameras = g_hostGlobals.cameraInfo;
    if (cameras)
        cameras->resolution(f.camera, &resW, &resH);
    const FrameCornerSet corners = frameCorners(f, resW, resH);
    for (int k = 0; k < 4; ++k) {
        entry.innerX[k] = TruncToInt(corners.x[k]);
        entry.innerY[k] = TruncToInt(corners.y[k]);
        entry.outerX[k] = TruncToInt(corners.x[k + 4]);
        entry.outerY[k] = TruncToInt(corners.y[k + 4]);
    }
    entry.marginMax = f.marginW > f.marginH ? f.marginW : f.marginH;
    entry.marginW = f.marginW;
    entry.marginH = f.marginH;
    entry.marginWPx = f.marginWPx;
    entry.marginHPx = f.marginHPx;
    entry.red = Byte255(f.color[0]);
    entry.green = Byte255(f.color[1]);
    entry.blue = Byte255(f.color[2]);
    entry.opacity = OpacityPercent(f.transparency);
    AssignRingText(entry.memo, f.memo);
    const bool focal = f.showFocalLength && cameras;
    AssignRingText(entry.focalLength, focal ? FormatString("%6.1fmm", cameras->focalLength(f.camera, 0.0)) : std::string());
}

void AnswerFrames(const CameraFrameState &state, FrameQueryReply &reply)
{
    auto lock = LockFrames();
    const FrameRecords &frames = Frames();
    reply.combined = state.combined ? 1 : 0;
    reply.red = Byte255(state.combinedColor[0]);
    reply.green = Byte255(state.combinedColor[1]);
    reply.blue = Byte255(state.combinedColor[2]);
    reply.opacity = OpacityPercent(state.combinedTransparency);
    AssignRingText(reply.extraText, state.extraText);
    reply.extraFlag = state.extraFlag ? 1 : 0;
    if (!reply.entries)
        return;
    // The requester sized its array from the count of its event 0, which may have come on another
    // record: at most that many entries, and no more than there are frames now. A count in this
    // record lowers it further.
    int count = std::min(static_cast<int>(frames.size()), state.reportedCount);
    if (reply.count != 0)
        count = std::min(count, reply.count);
    for (int i = count - 1; i >= 0; --i)
        FillEntry(reply.entries[i], *frames[static_cast<size_t>(i)]);
}

} // namespace

void AnswerFrameQuery(void *clientData, void *, int eventCode, void *eventData)
{
    Guarded([&] {
        auto *state = FrameStateOf(clientData);
        auto *reply = static_cast<FrameQueryReply *>(eventData);
        if (!state || !reply)
            return;
        if (eventCode == 0) {
            auto lock = LockFrames();
            reply->answered = 1;
            reply->count = FrameCount();
            state->reportedCount = reply->count;
        } else if (eventCode == 1) {
            AnswerFrames(*state, *reply);
        }
    });
}
