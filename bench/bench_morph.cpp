// bench_morph.cpp: the morph consolidation run on a face rig, next to in-run baselines.
//
//   MorphChannels: the controller's channels and the morph channel test (ItemChannels and
//     IsMorphChannel) against a plain walk of the same channel groups that only reads the names.
//   Consolidate: the whole run after OK (CreateConsolidation) against sending the very command
//     lines it sends, recorded from one run, straight to the host.
#include "common/lwtool2.h"
#include "host.h"
#include "morph_rig.h"
#include "morphconsolidate/consolidate_state.h"
#include "morphconsolidate/morph_channels.h"
#include "morphconsolidate/morph_link.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kMorphs = 100;
constexpr int kMeshes = 4;

// A host with a rig of 100 morphs on a controller and four meshes, all meshes selected.
struct RigHost {
    RigHost()
    {
        zkh::MorphRig rig;
        rig.morphs.clear();
        for (int i = 0; i < kMorphs; ++i)
            rig.morphs.push_back("Shape" + std::to_string(i));
        rig.meshes.clear();
        for (int i = 0; i < kMeshes; ++i)
            rig.meshes.push_back("Mesh" + std::to_string(i));
        zkh::BuildMorphRig(host.scene, rig);
        for (const zkh::Item &item : host.scene.Items())
            if (item.name.rfind("Mesh", 0) == 0)
                host.scene.selection.push_back(item.id);
        AcquireToolGlobals(zkh::Host::GlobalLookup);
        ResetConsolidateState();
        state = &UseConsolidateState();
        state->itemList = ListSceneItems();
        controller = state->itemList.front();
    }
    ~RigHost() { ResetConsolidateState(); }

    zkh::Host host;
    ConsolidateState *state = nullptr;
    LWItemID controller = nullptr;
};

// The baseline: the same group walk, names only.
size_t CountNamedChannels(LWChanGroupID group)
{
    const LWChannelInfo *info = ToolGlobals::channelInfo;
    size_t count = 0;
    for (LWChannelID channel = info->nextChannel(group, nullptr); channel; channel = info->nextChannel(group, channel))
        count += info->channelName(channel) != nullptr;
    for (LWChanGroupID child = info->nextGroup(group, nullptr); child; child = info->nextGroup(group, child))
        count += info->groupName(child) ? CountNamedChannels(child) : 0;
    return count;
}

void BM_MorphChannels_Baseline(benchmark::State &state)
{
    RigHost rig;
    const LWChanGroupID group = ToolGlobals::itemInfo->chanGroup(rig.controller);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountNamedChannels(group));
    state.SetItemsProcessed(state.iterations() * (kMorphs + 9));
}

void BM_MorphChannels(benchmark::State &state)
{
    RigHost rig;
    for (auto _ : state) {
        size_t morphs = 0;
        for (const ItemChannel &channel : ItemChannels(rig.controller))
            morphs += IsMorphChannel(channel.fullName);
        if (morphs != static_cast<size_t>(kMorphs))
            state.SkipWithError("the rig's morph channels were not all found");
        benchmark::DoNotOptimize(morphs);
    }
    state.SetItemsProcessed(state.iterations() * (kMorphs + 9));
}

void BM_Consolidate_Baseline(benchmark::State &state)
{
    RigHost rig;
    CreateConsolidation(*rig.state, 0);
    const std::vector<std::string> lines = rig.host.commands.log;
    if (lines.size() < static_cast<size_t>(3 * kMorphs * kMeshes))
        state.SkipWithError("the recorded run linked too little");
    for (auto _ : state) {
        rig.host.commands.log.clear();
        rig.host.commands.status.clear();
        for (const std::string &line : lines)
            rig.host.commands.Send(line);
    }
    state.SetItemsProcessed(state.iterations() * kMorphs * kMeshes);
}

void BM_Consolidate(benchmark::State &state)
{
    RigHost rig;
    for (auto _ : state) {
        rig.host.commands.log.clear();
        rig.host.commands.status.clear();
        CreateConsolidation(*rig.state, 0);
    }
    state.SetItemsProcessed(state.iterations() * kMorphs * kMeshes);
}

} // namespace

BENCHMARK(BM_MorphChannels_Baseline)->Name("BM_MorphChannels_Baseline/morphs100");
BENCHMARK(BM_MorphChannels)->Name("BM_MorphChannels/morphs100");
BENCHMARK(BM_Consolidate_Baseline)->Name("BM_Consolidate_Baseline/morphs100x4")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Consolidate)->Name("BM_Consolidate/morphs100x4")->Unit(benchmark::kMillisecond);
