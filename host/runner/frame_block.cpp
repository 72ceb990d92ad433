// frame_block.cpp: the camera frames' scene block read and written by the runner.
#include "frame_block.h"

#include "lwsc/numbers.h"
#include "lwsc/plugin_data.h"
#include "lwsc/text_lines.h"
#include "session.h"

#include <cstdio>

namespace zkh {

namespace {

[[noreturn]] void NotOurs()
{
    throw SessionError(0, 0, "the ZK:CameraFrame block is not a version 0305 block");
}

// Reads the lines of a "0305" block in order (one value a line, as the master writes them); a
// mismatch ends the session with a message.
struct LineCursor {
    const std::vector<std::string> &lines;
    size_t at = 0;
    std::string_view Next()
    {
        if (at >= lines.size())
            NotOurs();
        return lwsc::Trimmed(lines[at++]);
    }
    std::string Str()
    {
        const std::string_view text = Next();
        if (text.size() < 2 || text.front() != '"' || text.back() != '"')
            NotOurs();
        return std::string(text.substr(1, text.size() - 2));
    }
    double Num()
    {
        double value = 0;
        if (!lwsc::ParseNumber(Next(), value))
            NotOurs();
        return value;
    }
    std::uint32_t Hex()
    {
        std::uint64_t value = 0;
        if (!lwsc::ParseHex(Next(), value) || value > 0xFFFFFFFFu)
            NotOurs();
        return static_cast<std::uint32_t>(value);
    }
};

} // namespace

StoredFrames Decode(const std::vector<std::string> &lines)
{
    StoredFrames s;
    LineCursor c{lines};
    if (c.Str() != "0305")
        NotOurs();
    const int count = static_cast<int>(c.Num());
    for (int i = 0; i < count; ++i) {
        StoredFrame f;
        f.name = c.Str();
        f.active = c.Num() != 0;
        f.camera = c.Hex();
        f.posX = c.Num();
        f.posY = c.Num();
        f.width = c.Num();
        f.aspect = c.Num();
        f.marginW = c.Num();
        for (double &v : f.color)
            v = c.Num();
        f.transparency = c.Num();
        f.memo = c.Str();
        f.focal = c.Num() != 0;
        f.rotation = c.Num();
        f.marginH = c.Num();
        s.frames.push_back(f);
    }
    s.combined = c.Num() != 0;
    for (double &v : s.combinedColor)
        v = c.Num();
    s.combinedTransparency = c.Num();
    s.extraText = c.Str();
    s.extraFlag = c.Num() != 0;
    // What follows the scene settings (the frames' guides) is carried through as it is.
    s.rest.assign(lines.begin() + static_cast<std::ptrdiff_t>(c.at), lines.end());
    return s;
}

std::vector<std::string> Encode(const StoredFrames &s)
{
    std::vector<std::string> b;
    auto str = [&](const std::string &t) { b.push_back("\"" + t + "\""); };
    auto integer = [&](int v) { b.push_back(std::to_string(v)); };
    auto fp = [&](double v) { b.push_back(lwsc::FormatFloat(static_cast<float>(v))); };
    str("0305");
    integer(static_cast<int>(s.frames.size()));
    for (const StoredFrame &f : s.frames) {
        str(f.name);
        integer(f.active);
        char camera[16];
        std::snprintf(camera, sizeof camera, "%x", f.camera); // unsigned values are written in hex
        b.push_back(camera);
        fp(f.posX);
        fp(f.posY);
        fp(f.width);
        fp(f.aspect);
        fp(f.marginW);
        for (double v : f.color)
            fp(v);
        fp(f.transparency);
        str(f.memo);
        integer(f.focal);
        fp(f.rotation);
        fp(f.marginH);
    }
    integer(s.combined);
    for (double v : s.combinedColor)
        fp(v);
    fp(s.combinedTransparency);
    str(s.extraText);
    integer(s.extraFlag);
    b.insert(b.end(), s.rest.begin(), s.rest.end());
    return b;
}

bool SavedFrames(Host &host, StoredFrames &frames, std::string &error)
{
    MasterInstance *master = host.FindMaster("ZK:CameraFrame");
    if (!master) {
        error = "the scene has no ZK:CameraFrame master";
        return false;
    }
    lwsc::PluginDataWriter writer;
    if (master->instFuncs.save)
        master->instFuncs.save(master->instance, writer.State());
    try {
        frames = Decode(writer.Finish());
    } catch (const SessionError &e) {
        error = e.what();
        return false;
    }
    return true;
}

} // namespace zkh
