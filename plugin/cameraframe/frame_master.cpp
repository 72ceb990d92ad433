// frame_master.cpp: create, destroy, save, load and the description line of the master instance.
#include "frame_master.h"

#include "cameraframe_servers.h"
#include "frame_ring.h"
#include "frame_scene_block.h"

#include "../common/lwactivate.h"
#include "../common/lwglobals.h"
#include "../common/lwtool2.h"

#include <cstring>

const char kFrameRingTopic[] = "TessikComRing";

namespace {

constexpr int kMajor = 1;
constexpr int kMinor = 60;

// The error table holds the empty text in both languages.
const char *const kErrorTexts[3] = {"", "", ""};

LWInstance Create(void *, void *, LWError *error)
{
    return GuardedOr(static_cast<LWInstance>(nullptr), [&]() -> LWInstance {
        if (TheFrameState()) {
            if (error)
                *error = FrameErrorText(1);
            return nullptr;
        }
        auto *state = new CameraFrameState();
        SetTheFrameState(state);
        // A render node offers no communication ring: the instance then simply is not reachable.
        if (const LWComRing *ring = g_hostGlobals.comRing; ring && ring->ringAttach)
            ring->ringAttach(kFrameRingTopic, state, AnswerFrameQuery);
        return state;
    });
}

void Destroy(LWInstance inst)
{
    Guarded([&] {
        auto *state = FrameStateOf(inst);
        if (!state)
            return;
        if (const LWComRing *ring = g_hostGlobals.comRing; ring && ring->ringDetach)
            ring->ringDetach(kFrameRingTopic, state);
        ClearFrames();
        if (state->panel && state->destroyPanel)
            state->destroyPanel(state->panel);
        state->panel = nullptr;
        if (TheFrameState() == state)
            SetTheFrameState(nullptr);
        delete state;
    });
}

LWError Load(LWInstance inst, const LWLoadState *load)
{
    return GuardedOr(static_cast<LWError>(nullptr), [&]() -> LWError {
        auto *state = FrameStateOf(inst);
        return state ? LoadFrameBlock(*state, load) : nullptr;
    });
}

LWError Save(LWInstance inst, const LWSaveState *save)
{
    return GuardedOr(static_cast<LWError>(nullptr), [&]() -> LWError {
        if (auto *state = FrameStateOf(inst))
            SaveFrameBlock(*state, save);
        return nullptr;
    });
}

const char *Describe(LWInstance inst)
{
    return GuardedOr(static_cast<const char *>(""), [&]() -> const char * {
        auto *state = FrameStateOf(inst);
        return state ? FrameDescription(*state) : "";
    });
}

double NoEvent(LWInstance, const LWMasterAccess *) { return 0.0; }


} // namespace

const char *FrameDescription(CameraFrameState &state)
{
    const std::string line = VersionTitle(kCameraFrameServerName, kMajor, kMinor);
    std::strncpy(state.description, line.c_str(), sizeof state.description - 1);
    state.description[sizeof state.description - 1] = '\0';
    return state.description;
}

const char *FrameErrorText(int index) { return index >= 0 && index < 3 ? kErrorTexts[index] : ""; }

void FillFrameMasterHandler(LWMasterHandler &handler)
{
    if (handler.inst) {
        handler.inst->priv = nullptr;
        handler.inst->create = Create;
        handler.inst->destroy = Destroy;
        handler.inst->copy = NoCopy;
        handler.inst->load = Load;
        handler.inst->save = Save;
        handler.inst->descln = Describe;
    }
    FillNoItems(handler.item);
    handler.type = LWMAST_SCENE;
    handler.event = NoEvent;
    handler.flags = NoFlags;
}
