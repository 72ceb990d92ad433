// The ring reply's text objects as a requester built with Microsoft's library reads them on 64-bit
// Windows: the peer, in plain C, reads every field (a memo of 5,000 bytes in a big block included)
// and frees each block as that library does. Elsewhere the reply keeps the toolchain's std::string.
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_ring.h"
#include "ring_peer_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace {

TEST(RingText, AMicrosoftBuiltPeerReadsAndFreesEveryText)
{
#if !defined(_WIN64)
    static_assert(std::is_same<RingText, std::string>::value, "the toolchain's own std::string");
    GTEST_SKIP() << "the reply keeps libstdc++'s std::string here";
#else
    std::string memo(5000, 'm');
    memo.replace(0, 4, "head");
    memo.replace(4996, 4, "tail");
    FrameRecords frames;
    for (const char *name : {"a name past the inline buffer", "B"}) {
        frames.push_back(std::make_unique<FrameRecord>());
        frames.back()->name = name;
    }
    frames[0]->memo = memo;
    frames[1]->transparency = 0.25;
    AppendFrames(frames);
    CameraFrameState state;
    state.extraText = "extra";

    PeerReply reply;
    PeerReplyInit(&reply);
    AnswerFrameQuery(&state, nullptr, 0, &reply);
    ASSERT_EQ(reply.count, 2);
    PeerEntry entries[2];
    for (PeerEntry &entry : entries)
        PeerEntryInit(&entry);
    // The second memo held a big block of the requester's: it is reused for the short text.
    ASSERT_EQ(PeerTextAssign(&entries[1].memo, memo.data(), 4500), 0);
    reply.entries = entries;
    AnswerFrameQuery(&state, nullptr, 1, &reply);
    ClearFrames();

    const auto text = [](const PeerText &t) { return std::string(PeerTextChars(&t), t.size); };
    EXPECT_EQ(text(reply.extraText), "extra");
    EXPECT_EQ(text(entries[0].name), "a name past the inline buffer");
    EXPECT_EQ(text(entries[0].memo), memo);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(PeerTextChars(&entries[0].memo)) % 32, 0u); // a big block
    EXPECT_EQ(std::make_pair(entries[0].memo.capacity, entries[1].memo.capacity), std::make_pair(size_t{5007}, size_t{4511}));
    EXPECT_EQ(text(entries[1].name), "B");
    EXPECT_EQ(text(entries[1].memo), "");
    EXPECT_EQ(entries[1].opacity, 75);
    EXPECT_EQ(text(entries[1].focalLength), "");
    EXPECT_EQ(PeerReplyFree(&reply) + PeerEntryFree(&entries[0]) + PeerEntryFree(&entries[1]), 0);
#endif
}

} // namespace
