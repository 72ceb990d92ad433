// fuzz_frame_filter.cpp: the camera frames' render filter over fuzzed frame blocks on small images.
//
// The first two bytes give the image size (1 to 64 pixels each way); the rest is read as a frame
// block by DataFromBytes, and every frame it holds is tied to the render camera. Whatever the
// frames hold (far away, huge, zero-sized, turned), the filter must neither crash nor hang, and
// the alpha of an opaque plate stays within 0..1: each band pixel is blended at an opacity of
// 1 - transparency, which the loader keeps within 0..1.
#include "cameraframe/frame_filter.h"
#include "cameraframe/frame_list.h"
#include "common/lwglobals.h"
#include "filter_image.h"
#include "fuzz_frame_input.h"
#include "host.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static zkh::Host host; // one host for the whole run (only one may exist at a time)
    static const std::uint32_t camera = [] {
        AcquireHostGlobals(g_hostGlobals, zkh::Host::GlobalLookup);
        return host.scene.AddCamera("Camera", 64, 36, 35.0).id;
    }();
    if (size < 2)
        return 0;
    const int width = 1 + data[0] % 64;
    const int height = 1 + data[1] % 64;
    CameraFrameState state;
    LoadFramesFromBytes(data + 2, size - 2, state, camera);
    zkh::FilterImage image = zkh::TestPlate(width, height);
    {
        zkh::FilterAccessScope scope(image, 0);
        ProcessFrameFilter(nullptr, scope.Access());
    }
    ClearFrames();
    for (float alpha : image.planes[3])
        if (!(alpha >= 0.0f && alpha <= 1.0f)) {
            std::fprintf(stderr, "alpha %g after the filter\n", static_cast<double>(alpha));
            std::abort();
        }
    return 0;
}
