// frame_door.h: the camera frames of the ZK:CameraFrame master, read and written through the
// module's own door (zktools/camera_frame_door.h): the runner has no copy of their block's format.
#ifndef ZKH_FRAME_DOOR_H
#define ZKH_FRAME_DOOR_H

#include "host.h"
#include "zktools/camera_frame_door.h"

#include <memory>
#include <string>
#include <vector>

namespace zkh {

// Records the door read, handed back to it when done with.
struct DoorRelease {
    void (*release)(ZkDoorFrames *) = nullptr;
    void operator()(ZkDoorFrames *frames) const
    {
        if (release)
            release(frames);
    }
};
using FrameSet = std::unique_ptr<ZkDoorFrames, DoorRelease>;

// The frames as the ZK:CameraFrame master of the host saves them, their numbers as the scene file's
// text holds them; null with a message when there is no master, the module offers no door, or the
// door cannot read the block.
FrameSet SavedFrames(Host &host, std::string &error);

// The lines of a block holding the frames, as the master loads them; empty with a message when the
// module offers no door.
std::vector<std::string> FrameBlockLines(Host &host, const ZkDoorFrames &frames, std::string &error);

} // namespace zkh

#endif
