// unserved.h: every member of a host record that the simulated host does not serve.
//
// Layout fills every member of the records it hands to plug-ins. The simulated host serves the
// members this module calls; each other function member is filled with a function that logs the
// call in the host's messages (host.log) and answers zero, so that a plug-in calling a member the
// simulated host would not serve is seen, never silently taken for a success.
#ifndef ZKH_UNSERVED_H
#define ZKH_UNSERVED_H

#include "lwhost/lwhost.h"

namespace zkh {

// Logs one call through an unserved member ("LWItemInfo.goal"); any thread may call it.
void LogUnservedCall(const char *member);

// Fills each function member that is still null with its logging stand-in.
void TrapUnserved(LWLoadState &record);
void TrapUnserved(LWSaveState &record);
void TrapUnserved(LWMasterAccess &record);
void TrapUnserved(LWCustomObjAccess &record);
void TrapUnserved(LWFilterAccess &record);
void TrapUnserved(LWChannelAccess &record);
void TrapUnserved(LWLayoutGeneric &record);
void TrapUnserved(LWCommandInterface &record);
void TrapUnserved(LWItemInfo &record);
void TrapUnserved(LWObjectInfo &record);
void TrapUnserved(LWCameraInfo &record);
void TrapUnserved(LWSceneInfo &record);
void TrapUnserved(LWInterfaceInfo &record);
void TrapUnserved(LWViewportInfo &record);
void TrapUnserved(LWChannelInfo &record);
void TrapUnserved(LWSceneObjects &record);
void TrapUnserved(LWComRing &record);
void TrapUnserved(LWControl &record);
void TrapUnserved(DrawFuncs &record);
void TrapUnserved(LWPanelFuncs &record);
void TrapUnserved(LWRasterFuncs &record);
void TrapUnserved(LWXPanelFuncs &record);

} // namespace zkh

#endif
