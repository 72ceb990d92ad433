// render.cpp: render nodes: a host without any interface.
#include "host.h"

namespace zkh {

namespace {

// Services a render node does not have: it runs without any interface.
const char *const kInterfaceServices[] = {PANEL_SERVICES_NAME, LWXPANELFUNCS_GLOBAL, LWVIEWPORTINFO_GLOBAL,
                                          LWINTERFACEINFO_GLOBAL, LWCOMRING_GLOBAL};

} // namespace

void Host::BecomeRenderNode()
{
    renderNode_ = true;
    for (const char *name : kInterfaceServices)
        services.Remove(name);
}

} // namespace zkh
