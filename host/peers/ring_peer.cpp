// ring_peer.cpp: the requesting side of the camera-frame query.
#include "ring_peer.h"

#include "host.h"
#include "ring_peer_text.h"

#include <cstddef>
#include <sstream>

namespace zkh {

namespace {

constexpr char kTopic[] = "TessikComRing";

#if defined(_WIN64)

// The records of a peer built with Microsoft's library: constructed and freed by the C peer.
using Entry = PeerEntry;
using Reply = PeerReply;
std::string Value(const PeerText &text) { return std::string(PeerTextChars(&text), text.size); }

struct Records {
    Reply reply;
    std::vector<Entry> entries;
    int failedFrees = 0;

    explicit Records(size_t count) : entries(count)
    {
        PeerReplyInit(&reply);
        for (Entry &entry : entries)
            PeerEntryInit(&entry);
    }
    ~Records()
    {
        failedFrees += PeerReplyFree(&reply);
        for (Entry &entry : entries)
            failedFrees += PeerEntryFree(&entry);
        if (failedFrees > 0 && Host::HasCurrent())
            Host::Current().Message("ring peer: " + std::to_string(failedFrees) +
                                    " text blocks that Microsoft's library would not free (it ends the process)");
    }
    void SetName(Entry &entry, const std::string &text) { failedFrees -= PeerTextAssign(&entry.name, text.data(), text.size()); }
};

#else

// The records of a peer built with this toolchain: its own std::string.
struct Entry {
    std::string name;
    LWItemID camera = nullptr;
    std::int32_t innerX[4] = {}, innerY[4] = {}, outerX[4] = {}, outerY[4] = {};
    double marginMax = 0, marginW = 0, marginH = 0, marginWPx = 0, marginHPx = 0;
    std::int32_t red = 0, green = 0, blue = 0, opacity = 0;
    std::string memo;
    std::string focalLength;
};

struct Reply {
    std::uint8_t answered = 0;
    std::int32_t count = 0;
    std::uint8_t combined = 0;
    std::int32_t red = 0, green = 0, blue = 0, opacity = 0;
    std::string extraText;
    std::uint8_t extraFlag = 0;
    Entry *entries = nullptr;
};

static_assert(sizeof(Entry) == 224 && offsetof(Entry, camera) == 32 && offsetof(Entry, innerX) == 40 &&
                  offsetof(Entry, outerY) == 88 && offsetof(Entry, marginMax) == 104 &&
                  offsetof(Entry, marginHPx) == 136 && offsetof(Entry, red) == 144 && offsetof(Entry, opacity) == 156 &&
                  offsetof(Entry, memo) == 160 && offsetof(Entry, focalLength) == 192,
              "the camera frames' entry layout");
static_assert(sizeof(Reply) == 80 && offsetof(Reply, count) == 4 && offsetof(Reply, combined) == 8 &&
                  offsetof(Reply, red) == 12 && offsetof(Reply, opacity) == 24 && offsetof(Reply, extraText) == 32 &&
                  offsetof(Reply, extraFlag) == 64 && offsetof(Reply, entries) == 72,
              "the camera frames' reply layout");

std::string Value(const std::string &text) { return text; }

struct Records {
    Reply reply;
    std::vector<Entry> entries;
    explicit Records(size_t count) : entries(count) {}
    void SetName(Entry &entry, const std::string &text) { entry.name = text; }
};

#endif

PeerFrame FrameOf(const Entry &e)
{
    PeerFrame frame;
    frame.name = Value(e.name);
    frame.camera = static_cast<LWItemID>(e.camera);
    for (int k = 0; k < 4; ++k) {
        frame.innerX[k] = e.innerX[k];
        frame.innerY[k] = e.innerY[k];
        frame.outerX[k] = e.outerX[k];
        frame.outerY[k] = e.outerY[k];
    }
    frame.marginMax = e.marginMax;
    frame.marginW = e.marginW;
    frame.marginH = e.marginH;
    frame.marginWPx = e.marginWPx;
    frame.marginHPx = e.marginHPx;
    frame.red = e.red;
    frame.green = e.green;
    frame.blue = e.blue;
    frame.opacity = e.opacity;
    frame.memo = Value(e.memo);
    frame.focalLength = Value(e.focalLength);
    return frame;
}

} // namespace

PeerFrameQuery QueryCameraFrames(Host &host)
{
    std::int32_t count = 0;
    const bool answered = AskFrameCount(host, count);
    Records records(answered && count > 0 ? static_cast<size_t>(count) : 0);
    Reply &r = records.reply;
    r.answered = answered ? 1 : 0;
    r.count = count;
    r.entries = records.entries.empty() ? nullptr : records.entries.data();
    host.ring.Post(kTopic, 1, &r);
    PeerFrameQuery query;
    query.answered = r.answered;
    query.count = r.count;
    query.combined = r.combined;
    query.red = r.red;
    query.green = r.green;
    query.blue = r.blue;
    query.opacity = r.opacity;
    query.extraText = Value(r.extraText);
    query.extraFlag = r.extraFlag;
    for (const Entry &entry : records.entries)
        query.frames.push_back(FrameOf(entry));
    return query;
}

bool AskFrameCount(Host &host, std::int32_t &count)
{
    Records records(0);
    host.ring.Post(kTopic, 0, &records.reply);
    count = records.reply.count;
    return records.reply.answered == 1;
}

std::vector<std::string> AskFrameNames(Host &host, int entries, std::int32_t count, const std::string &before)
{
    Records records(static_cast<size_t>(entries));
    for (Entry &entry : records.entries)
        records.SetName(entry, before);
    records.reply.count = count;
    records.reply.entries = records.entries.data();
    host.ring.Post(kTopic, 1, &records.reply);
    std::vector<std::string> names;
    for (const Entry &entry : records.entries)
        names.push_back(Value(entry.name));
    return names;
}

std::string DescribeFrameQuery(const PeerFrameQuery &query)
{
    std::ostringstream out;
    out << "answered " << int(query.answered) << "\ncount " << query.count << "\ncombined " << int(query.combined)
        << " color " << query.red << " " << query.green << " " << query.blue << " opacity " << query.opacity
        << "\nextra \"" << query.extraText << "\" flag " << int(query.extraFlag) << "\n";
    for (size_t i = 0; i < query.frames.size(); ++i) {
        const PeerFrame &e = query.frames[i];
        out << "frame " << i << " \"" << e.name << "\" camera 0x" << std::hex
            << reinterpret_cast<std::uintptr_t>(e.camera) << std::dec << "\n  inner";
        for (int k = 0; k < 4; ++k)
            out << " (" << e.innerX[k] << "," << e.innerY[k] << ")";
        out << "\n  outer";
        for (int k = 0; k < 4; ++k)
            out << " (" << e.outerX[k] << "," << e.outerY[k] << ")";
        out << "\n  margin " << e.marginMax << " " << e.marginW << " " << e.marginH << " px " << e.marginWPx << " "
            << e.marginHPx << "\n  color " << e.red << " " << e.green << " " << e.blue << " opacity " << e.opacity
            << "\n  memo \"" << e.memo << "\" focal \"" << e.focalLength << "\"\n";
    }
    return out.str();
}

} // namespace zkh
