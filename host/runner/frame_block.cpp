// frame_block.cpp: the camera frames' scene block read and written by the runner.
#include "frame_block.h"

#include "session.h"

namespace zkh {

namespace {

// Reads items of a "0305" block in order; a mismatch ends the session with a message.
struct ItemCursor {
    const Block &block;
    size_t at = 0;
    const BlockItem &Next(BlockItem::Type type)
    {
        if (at >= block.size() || block[at].type != type)
            throw SessionError(0, 0, "the ZK:CameraFrame block is not a version 0305 block");
        return block[at++];
    }
    std::string Str() { return Next(BlockItem::Type::Str).text; }
    double Num(BlockItem::Type type) { return Next(type).number; }
};

} // namespace

StoredFrames Decode(const Block &block)
{
    StoredFrames s;
    ItemCursor c{block};
    if (c.Str() != "0305")
        throw SessionError(0, 0, "the ZK:CameraFrame block is not a version 0305 block");
    const int count = static_cast<int>(c.Num(BlockItem::Type::I4));
    using T = BlockItem::Type;
    for (int i = 0; i < count; ++i) {
        StoredFrame f;
        f.name = c.Str();
        f.active = c.Num(T::I4) != 0;
        f.camera = static_cast<std::uint32_t>(c.Num(T::U4));
        f.posX = c.Num(T::FP);
        f.posY = c.Num(T::FP);
        f.width = c.Num(T::FP);
        f.aspect = c.Num(T::FP);
        f.marginW = c.Num(T::FP);
        for (double &v : f.color)
            v = c.Num(T::FP);
        f.transparency = c.Num(T::FP);
        f.memo = c.Str();
        f.focal = c.Num(T::I4) != 0;
        f.rotation = c.Num(T::FP);
        f.marginH = c.Num(T::FP);
        s.frames.push_back(f);
    }
    s.combined = c.Num(T::I4) != 0;
    for (double &v : s.combinedColor)
        v = c.Num(T::FP);
    s.combinedTransparency = c.Num(T::FP);
    s.extraText = c.Str();
    s.extraFlag = c.Num(T::I4) != 0;
    return s;
}

Block Encode(const StoredFrames &s)
{
    Block b;
    using T = BlockItem::Type;
    auto str = [&](const std::string &t) { b.push_back({T::Str, t, 0}); };
    auto num = [&](T type, double v) {
        b.push_back({type, std::string(), type == T::FP ? static_cast<double>(static_cast<float>(v)) : v});
    };
    str("0305");
    num(T::I4, static_cast<double>(s.frames.size()));
    for (const StoredFrame &f : s.frames) {
        str(f.name);
        num(T::I4, f.active);
        num(T::U4, f.camera);
        num(T::FP, f.posX);
        num(T::FP, f.posY);
        num(T::FP, f.width);
        num(T::FP, f.aspect);
        num(T::FP, f.marginW);
        for (double v : f.color)
            num(T::FP, v);
        num(T::FP, f.transparency);
        str(f.memo);
        num(T::I4, f.focal);
        num(T::FP, f.rotation);
        num(T::FP, f.marginH);
    }
    num(T::I4, s.combined);
    for (double v : s.combinedColor)
        num(T::FP, v);
    num(T::FP, s.combinedTransparency);
    str(s.extraText);
    num(T::I4, s.extraFlag);
    return b;
}

bool SavedFrames(Host &host, StoredFrames &frames, std::string &error)
{
    MasterInstance *master = host.FindMaster("ZK:CameraFrame");
    if (!master) {
        error = "the scene has no ZK:CameraFrame master";
        return false;
    }
    Block block;
    BlockWriter writer(block);
    if (master->instFuncs.save)
        master->instFuncs.save(master->instance, writer.State());
    try {
        frames = Decode(block);
    } catch (const SessionError &e) {
        error = e.what();
        return false;
    }
    return true;
}

} // namespace zkh
