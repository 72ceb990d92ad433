// frame_door.h: the table behind the module's camera frame door (see zktools/camera_frame_door.h).
#ifndef ZK_CAMERAFRAME_FRAME_DOOR_H
#define ZK_CAMERAFRAME_FRAME_DOOR_H

#include "zktools/camera_frame_door.h"

// The door's functions, built on the master's own block reader and writer.
const ZkFrameDoor *CameraFrameDoor();

#endif
