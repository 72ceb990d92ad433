// frame_door.cpp: reaching the camera frames through the module's door.
#include "frame_door.h"

#include "lwsc/numbers.h"
#include "lwsc/plugin_data.h"

namespace zkh {

namespace {

const ZkFrameDoor *DoorOf(Host &host, std::string &error)
{
    const Module *module = host.LoadedModule();
    void *symbol = module ? module->Symbol(ZK_CAMERA_FRAME_DOOR_NAME) : nullptr;
    const ZkFrameDoor *door = symbol ? reinterpret_cast<ZkCameraFrameDoorFunc *>(symbol)() : nullptr;
    if (!door || door->version != ZK_CAMERA_FRAME_DOOR_VERSION || !door->read || !door->write || !door->release) {
        error = "the module offers no camera frame door (" ZK_CAMERA_FRAME_DOOR_NAME " version " +
                std::to_string(ZK_CAMERA_FRAME_DOOR_VERSION) + ")";
        return nullptr;
    }
    return door;
}

// A number as the scene file's text holds it: the shortest text of the float the block stores,
// read back. The door hands out the floats; the runner prints and uses what the file says, as a
// script reading the file would.
void AsWritten(double &value)
{
    double read = 0;
    if (lwsc::ParseNumber(lwsc::FormatFloat(static_cast<float>(value)), read))
        value = read;
}

void AsWritten(ZkDoorFrames &frames)
{
    for (int i = 0; i < frames.count; ++i) {
        ZkDoorFrame &f = frames.frames[i];
        for (double *value : {&f.posX, &f.posY, &f.width, &f.aspect, &f.marginW, &f.marginH, &f.color[0], &f.color[1],
                              &f.color[2], &f.transparency, &f.rotation, &f.guides.opacity, &f.guides.titleSafePercent,
                              &f.guides.actionSafePercent})
            AsWritten(*value);
    }
    for (double *value : {&frames.combinedColor[0], &frames.combinedColor[1], &frames.combinedColor[2],
                          &frames.combinedTransparency})
        AsWritten(*value);
}

} // namespace

FrameSet SavedFrames(Host &host, std::string &error)
{
    MasterInstance *master = host.masters.Find("ZK:CameraFrame");
    if (!master) {
        error = "the scene has no ZK:CameraFrame master";
        return nullptr;
    }
    const ZkFrameDoor *door = DoorOf(host, error);
    if (!door)
        return nullptr;
    lwsc::PluginDataWriter writer;
    if (master->instFuncs.save)
        master->instFuncs.save(master->instance, writer.State());
    const std::vector<std::string> lines = writer.Finish();
    lwsc::PluginDataReader reader(std::vector<std::string_view>(lines.begin(), lines.end()));
    const char *failure = nullptr;
    FrameSet frames(door->read(reader.State(), &failure), DoorRelease{door->release});
    if (!frames)
        error = std::string("the ZK:CameraFrame block cannot be read: ") + (failure ? failure : "no reason given");
    else
        AsWritten(*frames);
    return frames;
}

std::vector<std::string> FrameBlockLines(Host &host, const ZkDoorFrames &frames, std::string &error)
{
    const ZkFrameDoor *door = DoorOf(host, error);
    if (!door)
        return {};
    lwsc::PluginDataWriter writer;
    door->write(&frames, writer.State());
    return writer.Finish();
}

} // namespace zkh
