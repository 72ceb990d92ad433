// actions_render.cpp: the runner's actions on renders: the render camera and frames run through the image filters.
#include "drawing.h"
#include "filter_image.h"
#include "session.h"

namespace zkh {

namespace {

int ReadPositive(const YAML::Node &node, const std::string &what)
{
    const int value = ReadInt(node, what);
    if (value < 1 || value > kMaxPictureSide)
        throw SessionError(node, what + ": expected a whole number from 1 to " + std::to_string(kMaxPictureSide));
    return value;
}

} // namespace

void AddRenderActions(ActionTable &table)
{
    table.Add({"render_camera_set", "{camera, from_frame}", "from that frame on, that camera renders",
               {{"camera", "a camera's name"}, {"from_frame", "a frame (default 0)"}}},
              [](RunContext &c, const YAML::Node &v) {
        const std::uint32_t camera = ReadItem(c, Need(v, "camera", "render_camera_set"), "camera");
        const double frame = v["from_frame"] ? ReadNumber(v["from_frame"], "from_frame") : 0.0;
        c.host.scene.renderCameraSwitches[frame / c.host.scene.fps] = camera;
    });
    table.Add({"render_frame", "{png, frame, plate, size, bits}", "runs the scene's image filters over a plate and writes the result",
               {{"png", "the PNG written (output)"},
                {"frame", "the frame rendered (default: the current frame)"},
                {"plate", "an 8- or 16-bit PNG to filter (input)"},
                {"size", "[width, height] of a generated test plate (default: the render camera's resolution)"},
                {"bits", "8 or 16 (default 8)"}}},
              [](RunContext &c, const YAML::Node &v) {
        const int frame = v["frame"] ? ReadInt(v["frame"], "frame") : c.host.scene.CurrentFrame();
        FilterImage image;
        std::string error;
        if (v["plate"]) {
            if (!ReadPng(c.InPath(ReadText(v["plate"], "plate")), image, error))
                throw SessionError(v["plate"], "plate: " + error);
        } else {
            int w = 0, h = 0;
            if (const YAML::Node size = v["size"]) {
                if (!size.IsSequence() || size.size() != 2)
                    throw SessionError(size, "size: expected [width, height]");
                w = ReadPositive(size[0], "size");
                h = ReadPositive(size[1], "size");
            } else {
                const Item *camera = c.host.scene.Find(c.host.scene.RenderCameraAt(frame / c.host.scene.fps));
                if (!camera)
                    throw SessionError(v, "render_frame: the scene has no camera (give a plate or a size)");
                w = camera->resolutionW;
                h = camera->resolutionH;
                if (w < 1 || w > kMaxPictureSide || h < 1 || h > kMaxPictureSide)
                    throw SessionError(v, "render_frame: the render camera's resolution " + std::to_string(w) + " x " +
                                              std::to_string(h) + " is not from 1 to " +
                                              std::to_string(kMaxPictureSide) + " on each side (give a size)");
            }
            image = TestPlate(w, h);
        }
        if (!c.host.imageFilters.RunScene(image, frame))
            throw SessionError(v, "render_frame: " + c.host.messages.back());
        const int bits = v["bits"] ? ReadInt(v["bits"], "bits") : 8;
        const std::string path = c.OutPath(ReadText(Need(v, "png", "render_frame"), "png"));
        if (!WritePng(path, image, bits, error))
            throw SessionError(v["png"], "png: " + error);
        c.out << "render_frame " << frame << ": " << image.width << " x " << image.height << ", " << path << "\n";
    });
}

} // namespace zkh
