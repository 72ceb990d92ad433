// frame_guides_block.cpp: writing and reading the guide sub-block.
//
// Layout: I4 frame count N, then per frame I4 guide kinds, FP opacity, I4 title safe (0/1),
// FP title-safe percent, I4 action safe (0/1), FP action-safe percent, I4 burn into renders (0/1).
#include "frame_guides_block.h"

#include "../common/scene_block_io.h"

#include <algorithm>

namespace {

const LWBlockIdent kGuidesIdent[] = {{kGuidesBlockId, kGuidesBlockToken}, {0, nullptr}};

bool ReadGuides(SceneBlockReader &r, FrameGuides &g)
{
    const FrameGuides defaults;
    int kinds = 0, title = 0, action = 0, burn = 0;
    if (!(r.I4(kinds) && r.FP(g.opacity, defaults.opacity) && r.I4(title) &&
          r.FP(g.titleSafePercent, defaults.titleSafePercent) && r.I4(action) &&
          r.FP(g.actionSafePercent, defaults.actionSafePercent) && r.I4(burn)))
        return false;
    g.kinds = static_cast<std::uint32_t>(kinds) & (GuideThirds | GuideGolden | GuideCross | GuideDiagonals);
    g.opacity = std::clamp(g.opacity, 0.0, 1.0);
    g.titleSafe = title != 0;
    g.titleSafePercent = std::clamp(g.titleSafePercent, 0.0, 100.0);
    g.actionSafe = action != 0;
    g.actionSafePercent = std::clamp(g.actionSafePercent, 0.0, 100.0);
    g.burnIn = burn != 0;
    return true;
}

} // namespace

void SaveGuideBlock(const FrameRecords &frames, const LWSaveState *save)
{
    if (!save || !save->beginBlk || !save->endBlk)
        return;
    save->beginBlk(save->writeData, &kGuidesIdent[0], 0);
    const LWSaveState &s = *save;
    PutBlockI4(s, static_cast<int>(frames.size()));
    for (const auto &f : frames) {
        const FrameGuides &g = f->guides;
        PutBlockI4(s, static_cast<int>(g.kinds));
        PutBlockFP(s, g.opacity);
        PutBlockI4(s, g.titleSafe ? 1 : 0);
        PutBlockFP(s, g.titleSafePercent);
        PutBlockI4(s, g.actionSafe ? 1 : 0);
        PutBlockFP(s, g.actionSafePercent);
        PutBlockI4(s, g.burnIn ? 1 : 0);
    }
    save->endBlk(save->writeData);
}

void LoadGuideBlock(FrameRecords &frames, const LWLoadState *load)
{
    if (!load || !load->findBlk || !load->endBlk || load->findBlk(load->readData, kGuidesIdent) != kGuidesBlockId)
        return;
    SceneBlockReader r(*load);
    int count = 0;
    if (r.I4(count))
        for (size_t i = 0; i < frames.size() && static_cast<int>(i) < count; ++i) {
            FrameGuides read;
            if (!ReadGuides(r, read))
                break; // a damaged entry and those after it keep no guides
            frames[i]->guides = read;
        }
    load->endBlk(load->readData);
}
