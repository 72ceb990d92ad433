// frame_guides_block.cpp: writing and reading the guide sub-block.
//
// Layout: I4 frame count N, then per frame I4 guide kinds, FP opacity, I4 title safe (0/1),
// FP title-safe percent, I4 action safe (0/1), FP action-safe percent, I4 burn into renders (0/1).
#include "frame_guides_block.h"

#include "../common/lwfloat.h"

#include <algorithm>
#include <cmath>

namespace {

const LWBlockIdent kGuidesIdent[] = {{kGuidesBlockId, kGuidesBlockToken}, {0, nullptr}};

void PutI4(const LWSaveState *s, int value) { s->writeI4(s->writeData, &value, 1); }
void PutFP(const LWSaveState *s, double value)
{
    const float narrowed = BlockFloat(value);
    s->writeFP(s->writeData, &narrowed, 1);
}

bool GetI4(const LWLoadState *l, int &out) { return l->readI4(l->readData, &out, 1) == 1; }
bool GetFP(const LWLoadState *l, double &out, double fallback)
{
    float value = 0.0f;
    if (l->readFP(l->readData, &value, 1) != 1)
        return false;
    out = std::isfinite(value) ? static_cast<double>(value) : fallback;
    return true;
}

bool ReadGuides(const LWLoadState *l, FrameGuides &g)
{
    const FrameGuides defaults;
    int kinds = 0, title = 0, action = 0, burn = 0;
    if (!(GetI4(l, kinds) && GetFP(l, g.opacity, defaults.opacity) && GetI4(l, title) &&
          GetFP(l, g.titleSafePercent, defaults.titleSafePercent) && GetI4(l, action) &&
          GetFP(l, g.actionSafePercent, defaults.actionSafePercent) && GetI4(l, burn)))
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
    PutI4(save, static_cast<int>(frames.size()));
    for (const auto &f : frames) {
        const FrameGuides &g = f->guides;
        PutI4(save, static_cast<int>(g.kinds));
        PutFP(save, g.opacity);
        PutI4(save, g.titleSafe ? 1 : 0);
        PutFP(save, g.titleSafePercent);
        PutI4(save, g.actionSafe ? 1 : 0);
        PutFP(save, g.actionSafePercent);
        PutI4(save, g.burnIn ? 1 : 0);
    }
    save->endBlk(save->writeData);
}

void LoadGuideBlock(FrameRecords &frames, const LWLoadState *load)
{
    if (!load || !load->findBlk || !load->endBlk || load->findBlk(load->readData, kGuidesIdent) != kGuidesBlockId)
        return;
    int count = 0;
    if (GetI4(load, count))
        for (size_t i = 0; i < frames.size() && static_cast<int>(i) < count; ++i) {
            FrameGuides read;
            if (!ReadGuides(load, read))
                break; // a damaged entry and those after it keep no guides
            frames[i]->guides = read;
        }
    load->endBlk(load->readData);
}
