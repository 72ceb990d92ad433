// frame_master.cpp: create, destroy, save, load and the description line of the master instance.
#include "frame_master.h"

#include "cameraframe_servers.h"
#include "frame_ring.h"
#include "frame_scene_block.h"

#include "../common/lwactivate.h"
#include "../common/lwglobals.h"
#include "../common/lwtool2.h"

#include <algorithm>
#include <cstring>

const char kFrameRingTopic[] = "TessikComRing";

namespace {

constexpr int kMajor = 1;
constexpr int kMinor = 60;

// Entry 1: a second master instance refused.
const char *const kErrorTexts[3][2] = {{"", ""}, {"Already exists!", "既に存在しています！"}, {"", ""}};

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

// The cameras of the frames, each once, in list order: the items the instance depends on.
const LWItemID *UseCameras(LWInstance inst)
{
    return GuardedOr(static_cast<const LWItemID *>(nullptr), [&]() -> const LWItemID * {
        auto *state = FrameStateOf(inst);
        if (!state)
            return nullptr;
        auto lock = LockFrames();
        std::vector<LWItemID> &used = state->usedCameras;
        used.clear();
        for (const auto &f : Frames())
            if (f->camera && std::find(used.begin(), used.end(), f->camera) == used.end())
                used.push_back(f->camera);
        used.push_back(LWITEM_NULL);
        return used.data();
    });
}

// Item identifiers change (pairs of old and new, ended by a null): each frame's camera follows
// its own pair, once.
void ChangeCameraIds(LWInstance inst, const LWItemID *ids)
{
    Guarded([&] {
        if (!FrameStateOf(inst) || !ids)
            return;
        auto edit = EditFrames();
        for (const auto &f : Frames())
            for (const LWItemID *pair = ids; pair[0]; pair += 2)
                if (pair[0] == f->camera) {
                    f->camera = pair[1];
                    break;
                }
    });
}


} // namespace

const char *FrameDescription(CameraFrameState &state)
{
    const std::string line = VersionTitle(kCameraFrameServerName, kMajor, kMinor);
    std::strncpy(state.description, line.c_str(), sizeof state.description - 1);
    state.description[sizeof state.description - 1] = '\0';
    return state.description;
}

const char *FrameErrorText(int index)
{
    return index >= 0 && index < 3 ? Pick(g_cameraFrameLanguage, kErrorTexts[index][0], kErrorTexts[index][1]) : "";
}

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
    if (handler.item) {
        handler.item->useItems = UseCameras;
        handler.item->changeID = ChangeCameraIds;
        handler.item->changeName = IgnoreChangeName;
    }
    handler.type = LWMAST_SCENE;
    handler.event = NoEvent;
    handler.flags = NoFlags;
}
