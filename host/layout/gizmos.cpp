// gizmos.cpp: drawing the master handlers' gizmos over a viewport.
#include "host.h"

namespace zkh {

namespace {

// Activates the gizmo of a master instance; false when it has none or refused.
bool ActivateGizmo(Host &host, MasterInstance &master, LWGizmoFuncs &funcs, LWMasterGizmo &local)
{
    Module *module = host.LoadedModule();
    if (!module || !module->Find(LWMASTER_GCLASS, master.server))
        return false;
    local.instance = master.instance;
    local.gizmo = &funcs;
    return host.Activate(LWMASTER_GCLASS, master.server, &local) == AFUNC_OK;
}

} // namespace

void Host::DrawViewport(int view, DrawRecorder &recorder)
{
    recorder.Access()->view = view;
    for (auto &master : masters.All()) {
        LWGizmoFuncs funcs{};
        LWMasterGizmo local{};
        if (ActivateGizmo(*this, *master, funcs, local) && funcs.draw)
            funcs.draw(local.instance, recorder.Access());
    }
}

bool Host::GizmosDirty()
{
    bool dirty = false;
    for (auto &master : masters.All()) {
        LWGizmoFuncs funcs{};
        LWMasterGizmo local{};
        if (ActivateGizmo(*this, *master, funcs, local) && funcs.dirty)
            dirty = funcs.dirty(local.instance) != 0 || dirty;
    }
    return dirty;
}

} // namespace zkh
