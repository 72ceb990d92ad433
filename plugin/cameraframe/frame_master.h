// frame_master.h: the ZK:CameraFrame master handler: the one scene-level instance.
#ifndef ZK_CAMERAFRAME_FRAME_MASTER_H
#define ZK_CAMERAFRAME_FRAME_MASTER_H

#include "frame_list.h"

// The ring topic the master answers on.
extern const char kFrameRingTopic[];

// Fills the master handler record (after the activation's shared steps).
void FillFrameMasterHandler(LWMasterHandler &handler);

// The description line of the instance ("ZK:CameraFrame(1.60) build 250619"), kept in the state.
const char *FrameDescription(CameraFrameState &state);

// Error texts of the plug-in (entry 1: a second instance refused).
const char *FrameErrorText(int index);

#endif
