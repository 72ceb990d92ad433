// frame_scene_block.cpp: saving and loading the frame list through the host's scene states.
#include "frame_scene_block.h"

#include "frame_geometry.h"
#include "../common/lwfloat.h"
#include "frame_guides_block.h"
#include "../common/lwtool2.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kInvalidFormat[] = "Invalid format!";
constexpr int kTextLimit = 256;

// ---- writing ----

void PutI4(const LWSaveState *s, int value) { s->writeI4(s->writeData, &value, 1); }
void PutU4(const LWSaveState *s, unsigned int value) { s->writeU4(s->writeData, &value, 1); }
// Values beyond the float range are clamped to it; a NaN is written as the loader's default.
void PutFP(const LWSaveState *s, double value, float fallback = 0.0f)
{
    const float narrowed = BlockFloat(value, fallback);
    s->writeFP(s->writeData, &narrowed, 1);
}
void PutStr(const LWSaveState *s, const std::string &text) { s->writeStr(s->writeData, text.c_str()); }

// ---- reading: each false when the block holds no such item ----

struct Reader {
    const LWLoadState *load;

    bool Str(std::string &out) const
    {
        char buffer[kTextLimit] = {};
        const int read = load->readStr(load->readData, buffer, kTextLimit);
        if (read < 0)
            return false;
        buffer[kTextLimit - 1] = '\0'; // a host that fills the whole buffer leaves no terminator
        out.assign(buffer, strnlen(buffer, kTextLimit - 1));
        return true;
    }
    bool I4(int &out) const { return load->readI4(load->readData, &out, 1) == 1; }
    bool Bool(bool &out) const
    {
        int value = 0;
        if (!I4(value))
            return false;
        out = value != 0;
        return true;
    }
    bool U4(unsigned int &out) const { return load->readU4(load->readData, &out, 1) == 1; }
    // A stored NaN or infinity becomes the given default.
    bool FP(double &out, double fallback) const
    {
        float value = 0.0f;
        if (load->readFP(load->readData, &value, 1) != 1)
            return false;
        out = std::isfinite(value) ? static_cast<double>(value) : fallback;
        return true;
    }
    bool Color(double (&rgb)[3]) const { return FP(rgb[0], 0.0) && FP(rgb[1], 0.0) && FP(rgb[2], 0.0); }
};

bool ReadFrame(const Reader &r, const std::string &revision, FrameRecord &f)
{
    unsigned int camera = 0;
    if (!(r.Str(f.name) && r.Bool(f.active) && r.U4(camera) && r.FP(f.posX, 0.0) && r.FP(f.posY, 0.0) &&
          r.FP(f.width, 320.0) && r.FP(f.aspect, 16.0 / 9.0) && r.FP(f.marginW, 0.1) && r.Color(f.color) &&
          r.FP(f.transparency, 0.0) && r.Str(f.memo) && r.Bool(f.showFocalLength)))
        return false;
    f.camera = reinterpret_cast<LWItemID>(static_cast<std::uintptr_t>(camera));
    f.aspect = std::max(0.01, f.aspect);
    f.transparency = std::clamp(f.transparency, 0.0, 1.0);
    if ((revision == "03" || revision == "04" || revision == "05") && !r.FP(f.rotation, 0.0))
        return false;
    if (revision == "05" && !r.FP(f.marginH, 0.1))
        return false;
    f.calcMode = WidthAspect;
    if (f.camera) {
        f.height = f.width / f.aspect;
        PixelsFromPercent(f);
    }
    return true;
}

// Reads the scene-level items into a copy and applies those read, under the lock the ring answer
// reads them with. Reading stops at the first missing item.
void ReadSceneSettings(const Reader &r, CameraFrameState &state)
{
    CameraFrameState read;
    {
        auto lock = LockFrames();
        read.combined = state.combined;
        std::copy(std::begin(state.combinedColor), std::end(state.combinedColor), std::begin(read.combinedColor));
        read.combinedTransparency = state.combinedTransparency;
        read.extraText = state.extraText;
        read.extraFlag = state.extraFlag;
    }
    double rgb[3] = {read.combinedColor[0], read.combinedColor[1], read.combinedColor[2]};
    if (r.Bool(read.combined) && r.Color(rgb)) {
        std::copy(std::begin(rgb), std::end(rgb), std::begin(read.combinedColor));
        if (r.FP(read.combinedTransparency, 0.0) && r.Str(read.extraText))
            r.Bool(read.extraFlag);
    }
    auto lock = LockFrames();
    state.combined = read.combined;
    std::copy(std::begin(read.combinedColor), std::end(read.combinedColor), std::begin(state.combinedColor));
    state.combinedTransparency = read.combinedTransparency;
    state.extraText = read.extraText;
    state.extraFlag = read.extraFlag;
}

} // namespace

void SaveFrameBlock(const CameraFrameState &state, const LWSaveState *save)
{
    if (!save || !save->writeI4 || !save->writeU4 || !save->writeFP || !save->writeStr)
        return;
    auto lock = LockFrames();
    const FrameRecords &frames = Frames();
    PutStr(save, "0305");
    PutI4(save, static_cast<int>(frames.size()));
    for (const auto &f : frames) {
        PutStr(save, f->name);
        PutI4(save, f->active ? 1 : 0);
        PutU4(save, static_cast<unsigned int>(reinterpret_cast<std::uintptr_t>(f->camera)));
        PutFP(save, f->posX);
        PutFP(save, f->posY);
        PutFP(save, f->width, 320.0f);
        PutFP(save, f->aspect, 16.0f / 9.0f);
        PutFP(save, f->marginW, 0.1f);
        for (double c : f->color)
            PutFP(save, c);
        PutFP(save, f->transparency);
        PutStr(save, f->memo);
        PutI4(save, f->showFocalLength ? 1 : 0);
        PutFP(save, f->rotation);
        PutFP(save, f->marginH, 0.1f);
    }
    PutI4(save, state.combined ? 1 : 0);
    for (double c : state.combinedColor)
        PutFP(save, c);
    PutFP(save, state.combinedTransparency);
    PutStr(save, state.extraText);
    PutI4(save, state.extraFlag ? 1 : 0);
    SaveGuideBlock(frames, save);
}

const char *LoadFrameBlock(CameraFrameState &state, const LWLoadState *load)
{
    if (!load || !load->readI4 || !load->readU4 || !load->readFP || !load->readStr)
        return kInvalidFormat;
    const Reader r{load};
    std::string version;
    if (!r.Str(version) || version.size() < 2 || version.compare(0, 2, "03") != 0)
        return kInvalidFormat;
    const std::string revision = version.substr(2, 2);

    // Frames are read into a list of our own and appended at the end, so that a render running
    // meanwhile never sees a record half read.
    FrameRecords loaded;
    int count = 0;
    bool whole = r.I4(count);
    for (int i = 0; whole && i < count; ++i) {
        auto record = std::make_unique<FrameRecord>();
        whole = ReadFrame(r, revision, *record);
        if (whole)
            loaded.push_back(std::move(record));
    }
    if (whole && (revision == "04" || revision == "05")) {
        ReadSceneSettings(r, state);
        LoadGuideBlock(loaded, load);
    }
    AppendFrames(loaded);
    return nullptr;
}
