// fuzz_frame_mask.cpp: the camera frames' viewport overlay and combined mask over fuzzed frames.
//
// Bytes 0 and 1 give the viewport size (1 to 256 pixels each way), bytes 2 and 3 the camera
// resolution (1 to 4096 each way); the rest is read as a frame's data by DataFromBytes, and every
// frame it holds is tied to the viewed camera. The gizmo draws the frames one by one and then as
// the combined shading: neither may crash or hang, every point handed to the host is finite, and
// the mask texture is white with an alpha of 0 (inside a frame) or 255 (outside all).
#include "cameraframe/frame_list.h"
#include "cameraframe/frame_mask.h"
#include "cameraframe/frame_overlay.h"
#include "common/lwglobals.h"
#include "drawing.h"
#include "fuzz_frame_input.h"
#include "host.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Fail(const char *what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void CheckPoints(const std::vector<zkh::DrawCall> &calls)
{
    for (const zkh::DrawCall &call : calls)
        for (const auto &point : call.points)
            if (!std::isfinite(point[0]) || !std::isfinite(point[1]))
                Fail("a point that is not finite was drawn");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static zkh::Host host; // one host for the whole run (only one may exist at a time)
    static const std::uint32_t camera = [] {
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        const std::uint32_t id = host.scene.AddCamera("Camera", 64, 36, 35.0).id;
        host.scene.viewports.push_back({LVVIEWT_CAMERA, id, 0, 0, 64, 36});
        return id;
    }();
    if (size < 4)
        return 0;
    zkh::Viewport &view = host.scene.viewports[0];
    view.width = 1 + data[0];
    view.height = 1 + data[1];
    zkh::Item *item = host.scene.Find(camera);
    item->resolutionW = 1 + data[2] * 16;
    item->resolutionH = 1 + data[3] * 16;
    CameraFrameState state;
    LoadFramesFromBytes(data + 4, size - 4, state, camera);
    LWGizmoFuncs funcs{};
    LWMasterGizmo gizmo{&state, &funcs, nullptr};
    FillFrameGizmo(gizmo);
    for (bool combined : {false, true}) {
        auto edit = EditFrames(); // the mask is made again
        state.combined = combined;
        zkh::DrawRecorder recorder(0);
        recorder.Access()->view = 0;
        funcs.draw(&state, recorder.Access());
        CheckPoints(recorder.calls);
        for (const zkh::DrawCall &call : recorder.calls) {
            if (call.kind != zkh::DrawCall::Kind::Texture)
                continue;
            for (std::size_t i = 0; i < call.texture.size(); ++i) {
                const unsigned char byte = call.texture[i];
                if (i % 4 != 3 ? byte != 255 : byte != 0 && byte != 255)
                    Fail("a mask texel that is neither inside nor outside");
            }
        }
    }
    ClearFrames();
    return 0;
}
