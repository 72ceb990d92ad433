// frame_scene_block.cpp: saving and loading the frame list through the host's scene states.
#include "frame_scene_block.h"

#include "frame_geometry.h"
#include "frame_guides_block.h"

#include "../common/lwtool2.h"
#include "../common/scene_block_io.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr char kInvalidFormat[] = "Invalid format!";
// The version text is read as the design's 256-byte buffer holds it.
constexpr int kVersionLimit = 256;

// A stored NaN or infinity reads as black.
bool ReadColor(SceneBlockReader &r, double (&rgb)[3]) { return r.FP(rgb[0], 0.0) && r.FP(rgb[1], 0.0) && r.FP(rgb[2], 0.0); }

bool ReadFrame(SceneBlockReader &r, const std::string &revision, FrameRecord &f)
{
    unsigned int camera = 0;
    if (!(r.Text(f.name, kFrameTextBytes) && r.Bool(f.active) && r.U4(camera) && r.FP(f.posX, 0.0) && r.FP(f.posY, 0.0) &&
          r.FP(f.width, kDefaultFrameWidth) && r.FP(f.aspect, kDefaultFrameAspect) && r.FP(f.marginW, kDefaultFrameMargin) && ReadColor(r, f.color) &&
          r.FP(f.transparency, 0.0) && r.Text(f.memo, kFrameTextBytes) && r.Bool(f.showFocalLength)))
        return false;
    f.camera = reinterpret_cast<LWItemID>(static_cast<std::uintptr_t>(camera));
    f.aspect = std::max(0.01, f.aspect);
    f.transparency = std::clamp(f.transparency, 0.0, 1.0);
    if ((revision == "03" || revision == "04" || revision == "05") && !r.FP(f.rotation, 0.0))
        return false;
    if (revision == "05" && !r.FP(f.marginH, kDefaultFrameMargin))
        return false;
    f.calcMode = WidthAspect;
    f.height = f.width / f.aspect; // what the scene keeps of the height, with a camera or without
    if (f.camera)
        PixelsFromPercent(f);
    return true;
}

// Reads the scene-level items in order; reading stops at the first missing one.
void ReadSceneSettings(SceneBlockReader &r, FrameSceneSettings &read)
{
    double rgb[3] = {read.combinedColor[0], read.combinedColor[1], read.combinedColor[2]};
    if (r.Bool(read.combined) && ReadColor(r, rgb)) {
        std::copy(std::begin(rgb), std::end(rgb), std::begin(read.combinedColor));
        if (r.FP(read.combinedTransparency, 0.0) && r.Text(read.extraText, kFrameTextBytes))
            r.Bool(read.extraFlag);
        read.combinedTransparency = std::clamp(read.combinedTransparency, 0.0, 1.0);
    }
}

FrameSceneSettings SettingsOf(const CameraFrameState &state)
{
    FrameSceneSettings settings;
    settings.combined = state.combined;
    std::copy(std::begin(state.combinedColor), std::end(state.combinedColor), std::begin(settings.combinedColor));
    settings.combinedTransparency = state.combinedTransparency;
    settings.extraText = state.extraText;
    settings.extraFlag = state.extraFlag;
    return settings;
}

} // namespace

void WriteFrameBlock(const FrameRecords &frames, const FrameSceneSettings &settings, const LWSaveState *save)
{
    if (!save || !save->writeI4 || !save->writeU4 || !save->writeFP || !save->writeStr)
        return;
    const LWSaveState &s = *save;
    PutBlockStr(s, "0305");
    PutBlockI4(s, static_cast<int>(frames.size()));
    for (const auto &f : frames) {
        PutBlockStr(s, f->name);
        PutBlockI4(s, f->active ? 1 : 0);
        PutBlockU4(s, static_cast<unsigned int>(reinterpret_cast<std::uintptr_t>(f->camera)));
        PutBlockFP(s, f->posX);
        PutBlockFP(s, f->posY);
        PutBlockFP(s, f->width, static_cast<float>(kDefaultFrameWidth));
        PutBlockFP(s, f->aspect, static_cast<float>(kDefaultFrameAspect));
        PutBlockFP(s, f->marginW, static_cast<float>(kDefaultFrameMargin));
        for (double c : f->color)
            PutBlockFP(s, c);
        PutBlockFP(s, f->transparency);
        PutBlockStr(s, f->memo);
        PutBlockI4(s, f->showFocalLength ? 1 : 0);
        PutBlockFP(s, f->rotation);
        PutBlockFP(s, f->marginH, static_cast<float>(kDefaultFrameMargin));
    }
    PutBlockI4(s, settings.combined ? 1 : 0);
    for (double c : settings.combinedColor)
        PutBlockFP(s, c);
    PutBlockFP(s, settings.combinedTransparency);
    PutBlockStr(s, settings.extraText);
    PutBlockI4(s, settings.extraFlag ? 1 : 0);
    SaveGuideBlock(frames, save);
}

const char *ReadFrameBlock(const LWLoadState *load, MakeFrameRecord makeRecord, FrameRecords &frames,
                           FrameSceneSettings &settings, bool &withSettings)
{
    withSettings = false;
    if (!load || !load->readI4 || !load->readU4 || !load->readFP || !load->readStr)
        return kInvalidFormat;
    SceneBlockReader r(*load);
    std::string version;
    if (!r.CStr(version, kVersionLimit) || version.size() < 2 || version.compare(0, 2, "03") != 0)
        return kInvalidFormat;
    const std::string revision = version.substr(2, 2);

    FrameRecords loaded;
    int count = 0;
    bool whole = r.I4(count);
    for (int i = 0; whole && i < count; ++i) {
        auto record = makeRecord();
        whole = ReadFrame(r, revision, *record);
        if (whole)
            loaded.push_back(std::move(record));
    }
    if (whole && (revision == "04" || revision == "05")) {
        ReadSceneSettings(r, settings);
        withSettings = true;
        LoadGuideBlock(loaded, load);
    }
    for (auto &record : loaded)
        frames.push_back(std::move(record));
    return nullptr;
}

void SaveFrameBlock(const CameraFrameState &state, const LWSaveState *save)
{
    auto lock = LockFrames();
    WriteFrameBlock(Frames(), SettingsOf(state), save);
}

const char *LoadFrameBlock(CameraFrameState &state, const LWLoadState *load)
{
    FrameSceneSettings settings;
    {
        auto lock = LockFrames();
        settings = SettingsOf(state);
    }
    // Frames are read into a list of our own and appended at the end, so that a render running
    // meanwhile never sees a record half read.
    FrameRecords loaded;
    bool withSettings = false;
    if (const char *error = ReadFrameBlock(load, [] { return std::make_unique<FrameRecord>(); }, loaded, settings,
                                           withSettings))
        return error;
    if (withSettings) { // applied under the lock the ring answer reads them with
        auto edit = EditFrames();
        state.combined = settings.combined;
        std::copy(std::begin(settings.combinedColor), std::end(settings.combinedColor), std::begin(state.combinedColor));
        state.combinedTransparency = settings.combinedTransparency;
        state.extraText = settings.extraText;
        state.extraFlag = settings.extraFlag;
    }
    AppendFrames(loaded);
    return nullptr;
}
