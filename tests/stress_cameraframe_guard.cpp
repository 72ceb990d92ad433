// The frame list guard: one thread edits frames (create, delete, Frame Calc, scene loads, clearing)
// while another runs the image filter and the ring queries over the same list. Run under
// ThreadSanitizer by `./zk test`; a plain build checks that every pass sees whole records.
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_geometry.h"
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_ring.h"
#include "cameraframe/frame_scene_block.h"
#include "common/lwglobals.h"
#include "filter_image.h"
#include "host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class FrameGuardStress : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        camera = host.scene.AddCamera("Camera", 64, 32, 35.0).id;
    }
    void TearDown() override
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
    }

    zkh::Host host;
    std::uint32_t camera = 0;
};

// A block of two frames of the camera, written through the plug-in's own save.
zkh::Block TwoFrameBlock(CameraFrameState &state)
{
    CreateFrame(state);
    CreateFrame(state);
    zkh::Block block;
    zkh::BlockWriter writer(block);
    SaveFrameBlock(state, writer.State());
    ClearFrames();
    return block;
}

TEST_F(FrameGuardStress, EditsWhileRenderingAndAnswering)
{
    CameraFrameState state;
    const zkh::Block block = TwoFrameBlock(state);
    std::atomic<bool> done{false};
    std::atomic<int> passes{0};
    std::atomic<int> badReplies{0};

    std::thread reader([&] {
        zkh::FilterImage image;
        while (!done.load()) {
            image.Assign(64, 32, 0, 0, 0, 1);
            {
                zkh::FilterAccessScope scope(image, 0);
                ProcessFrameFilter(nullptr, scope.Access());
            }
            FrameQueryReply reply{};
            AnswerFrameQuery(&state, nullptr, 0, &reply);
            std::vector<FrameQueryEntry> entries(static_cast<size_t>(reply.count));
            reply.entries = entries.data();
            AnswerFrameQuery(&state, nullptr, 1, &reply);
            for (const FrameQueryEntry &e : entries)
                if (!e.name.empty() && e.name.compare(0, 7, "Frame (") != 0)
                    badReplies.fetch_add(1);
            passes.fetch_add(1);
        }
    });

    for (int round = 0; round < 300 || passes.load() < 20; ++round) {
        CreateFrame(state);
        if (FrameRecord *f = FrameAt(state.currentIndex)) {
            SetFrameWidth(*f, 10 + round % 40);
            SetFrameAspect(*f, 1 + round % 3);
            SetMarginWPercent(*f, round % 30);
        }
        if (round % 3 == 0)
            DeleteCurrentFrame(state);
        if (round % 7 == 0) {
            zkh::BlockReader load(block);
            EXPECT_EQ(LoadFrameBlock(state, load.State()), nullptr);
        }
        if (round % 50 == 49)
            ClearFrames();
        if (round > 100000)
            break;
    }
    done.store(true);
    reader.join();
    EXPECT_GE(passes.load(), 20);
    EXPECT_EQ(badReplies.load(), 0);
}

} // namespace
