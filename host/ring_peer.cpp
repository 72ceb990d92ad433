// ring_peer.cpp: the requesting side of the camera-frame query.
#include "ring_peer.h"

#include "host.h"

#include <sstream>

namespace zkh {

PeerFrameQuery QueryCameraFrames(Host &host)
{
    PeerFrameQuery query;
    host.RingPost("TessikComRing", 0, &query.reply);
    if (!query.reply.answered || query.reply.count <= 0) {
        host.RingPost("TessikComRing", 1, &query.reply);
        return query;
    }
    query.frames.resize(static_cast<size_t>(query.reply.count));
    query.reply.entries = query.frames.data();
    host.RingPost("TessikComRing", 1, &query.reply);
    query.reply.entries = nullptr;
    return query;
}

std::string DescribeFrameQuery(const PeerFrameQuery &query)
{
    std::ostringstream out;
    const PeerFrameReply &r = query.reply;
    out << "answered " << int(r.answered) << "\ncount " << r.count << "\ncombined " << int(r.combined) << " color "
        << r.red << " " << r.green << " " << r.blue << " opacity " << r.opacity << "\nextra \"" << r.extraText
        << "\" flag " << int(r.extraFlag) << "\n";
    for (size_t i = 0; i < query.frames.size(); ++i) {
        const PeerFrameEntry &e = query.frames[i];
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
