// cameraframe_servers.h: activation functions of the five ZK:CameraFrame servers.
#ifndef ZK_CAMERAFRAME_SERVERS_H
#define ZK_CAMERAFRAME_SERVERS_H

#include "../common/lwlanguage.h"

extern const char kCameraFrameServerName[];

// Language of the camera frames' texts; the last activation of any of its servers wins.
extern UiLanguage g_cameraFrameLanguage;

int ActivateCameraFrameMaster(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateCameraFrameInterface(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateCameraFrameGizmo(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateCameraFrameFilter(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateCameraFrameTool(int version, GlobalFunc *global, void *local, void *serverData);

#endif
