// The frame list guard: one thread edits frames (the panel's edits, Frame Calc, scene loads,
// clearing) and draws the overlays while another runs the image filter and the ring queries over
// the same list. Run under ThreadSanitizer by `./zk test`; a plain build checks that
// every pass sees whole records.
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_geometry.h"
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_overlay.h"
#include "cameraframe/frame_panel.h"
#include "cameraframe/frame_ring.h"
#include "cameraframe/frame_scene_block.h"
#include "common/lwglobals.h"
#include "drawing.h"
#include "filter_image.h"
#include "host.h"
#include "lwsc/plugin_data.h"
#include "timelinememo/memo_master.h"
#include "timelinememo/memo_overlay.h"

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
        host.scene.viewports.clear();
        host.scene.viewports.push_back({LVVIEWT_CAMERA, camera, 0, 0, 64, 32});
    }
    void TearDown() override
    {
        ClearFrames();
        g_hostGlobals = HostGlobals{};
    }

    zkh::Host host;
    std::uint32_t camera = 0;
};

// The interface thread as the user drives it: panel edits of the frames and the combined
// shading, scene loads and clearing, then the camera frames' and the timeline memo's overlays
// drawn (both look up the host's services and keep them in the shared table), while filter passes
// and ring answers run on another thread over the same list; every answer holds whole records.
TEST_F(FrameGuardStress, PanelEditsAndOverlaysWhileRendering)
{
    CameraFrameState state;
    CreateFrame(state);
    CreateFrame(state);
    zkh::lwsc::PluginDataWriter writer; // two frames of the camera, written through the plug-in's own save
    SaveFrameBlock(state, writer.State());
    const std::vector<std::string> block = writer.Finish();
    ClearFrames();

    SetTheFrameState(&state);
    ASSERT_EQ(OpenFramePanel(&state), nullptr);
    zkh::Panel *panel = host.panels.LastOpened();
    ASSERT_NE(panel, nullptr);
    const auto control = [panel](int id) -> zkh::PanelControl & {
        return *zkh::PanelService::Find(*panel, "#" + std::to_string(id));
    };
    const auto set = [&control](int id, int value) {
        zkh::PanelService::SetInt(control(id), value);
        zkh::PanelService::Fire(control(id));
    };
    LWGizmoFuncs frameGizmo{};
    LWMasterGizmo frameGizmoRecord{&state, &frameGizmo, nullptr};
    FillFrameGizmo(frameGizmoRecord);
    LWError error = nullptr;
    LWInstance memo = CreateMemoInstance(nullptr, nullptr, &error);
    ASSERT_NE(memo, nullptr);

    std::atomic<bool> done{false};
    std::atomic<int> passes{0}, badReplies{0};
    std::thread renderer([&] {
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

    for (int round = 0; (round < 300 || passes.load() < 20) && round <= 100000; ++round) {
        zkh::PanelService::Fire(control(kIdCreate));
        set(kIdCamera, 0);
        set(kIdWidth, 10 + round % 40);
        set(kIdCombined, round % 2);
        if (FrameRecord *f = FrameAt(state.currentIndex)) {
            SetFrameAspect(*f, 1 + round % 3);
            SetMarginWPercent(*f, round % 30);
        }
        if (round % 3 == 0)
            zkh::PanelService::Fire(control(kIdDelete));
        if (round % 7 == 0) {
            zkh::lwsc::PluginDataReader load(std::vector<std::string_view>(block.begin(), block.end()));
            EXPECT_EQ(LoadFrameBlock(state, load.State()), nullptr);
        }
        if (round % 50 == 49)
            ClearFrames();
        zkh::DrawRecorder frames(0);
        frameGizmo.draw(&state, frames.Access());
        zkh::DrawRecorder strip(0);
        DrawMemoOverlay(memo, strip.Access());
    }
    done.store(true);
    renderer.join();
    EXPECT_GE(passes.load(), 20);
    EXPECT_EQ(badReplies.load(), 0);
    DestroyMemoInstance(memo);
    if (state.panel && state.destroyPanel)
        state.destroyPanel(state.panel);
    state.panel = nullptr;
    SetTheFrameState(nullptr);
}

} // namespace
