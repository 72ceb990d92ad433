// services.cpp: the global services of the simulated host, over its scene model.
//
// Snapshot services ("LW Scene Info 12", "LW Time Info", "LW Interface Info 8", "LW Viewport Info 9")
// are filled at each lookup into a per-thread record, so that a render thread and the interface
// thread each see their own copy.
#include "host.h"

#include "printable_text.h"
#include "unserved.h"

#include <cstring>

namespace zkh {

namespace {

Scene &CurrentScene() { return Host::Current().scene; }

// ---- "LW Item Info 9" ----

const Item *ItemOf(LWItemID id) { return CurrentScene().Find(FromItemID(id)); }

LWItemID ItemFirst(LWItemType type, LWItemID parent)
{
    const auto kind = static_cast<ItemKind>(type);
    const auto list = kind == ItemKind::Bone ? CurrentScene().BonesOf(FromItemID(parent)) : CurrentScene().ItemsOfKind(kind);
    return list.empty() ? LWITEM_NULL : ToItemID(list.front()->id);
}

LWItemID ItemNext(LWItemID id)
{
    const Item *item = ItemOf(id);
    if (!item)
        return LWITEM_NULL;
    const auto list = item->kind == ItemKind::Bone ? CurrentScene().BonesOf(CurrentScene().Find(item->parent) ? item->parent : 0)
                                                   : CurrentScene().ItemsOfKind(item->kind);
    for (size_t i = 0; i + 1 < list.size(); ++i)
        if (list[i]->id == item->id)
            return ToItemID(list[i + 1]->id);
    return LWITEM_NULL;
}

std::vector<std::uint32_t> ChildrenOf(std::uint32_t parent)
{
    std::vector<std::uint32_t> children;
    for (const Item &item : CurrentScene().Items())
        if (item.parent == parent && item.kind != ItemKind::Bone)
            children.push_back(item.id);
    return children;
}

LWItemID ItemFirstChild(LWItemID parent)
{
    const auto children = ChildrenOf(FromItemID(parent));
    return children.empty() ? LWITEM_NULL : ToItemID(children.front());
}

LWItemID ItemNextChild(LWItemID parent, LWItemID previous)
{
    const auto children = ChildrenOf(FromItemID(parent));
    for (size_t i = 0; i + 1 < children.size(); ++i)
        if (children[i] == FromItemID(previous))
            return ToItemID(children[i + 1]);
    return LWITEM_NULL;
}

LWItemID ItemParent(LWItemID id)
{
    const Item *item = ItemOf(id);
    return item ? ToItemID(item->parent) : LWITEM_NULL;
}

LWItemType ItemType(LWItemID id)
{
    const Item *item = ItemOf(id);
    return item ? static_cast<LWItemType>(item->kind) : -1;
}

const char *ItemName(LWItemID id)
{
    const Item *item = ItemOf(id);
    return item ? item->name.c_str() : nullptr;
}

LWChanGroupID ItemChanGroup(LWItemID id)
{
    const Item *item = ItemOf(id);
    return item ? ToChannelID(item->chanGroup) : nullptr;
}

LWItemInfo MakeItemInfo()
{
    LWItemInfo info{};
    info.first = ItemFirst;
    info.next = ItemNext;
    info.firstChild = ItemFirstChild;
    info.nextChild = ItemNextChild;
    info.parent = ItemParent;
    info.type = ItemType;
    info.name = ItemName;
    info.chanGroup = ItemChanGroup;
    TrapUnserved(info);
    return info;
}
LWItemInfo g_itemInfo = MakeItemInfo();

// ---- "LW Object Info 14" ----

const char *ObjectFilename(LWItemID id)
{
    const Item *item = ItemOf(id);
    if (!item || item->kind != ItemKind::Object || item->fileName.empty())
        return nullptr;
    return item->fileName.c_str();
}

int ObjectZero(LWItemID) { return 0; }

LWObjectInfo MakeObjectInfo()
{
    LWObjectInfo info{};
    info.filename = ObjectFilename;
    info.numPoints = ObjectZero;
    info.numPolygons = ObjectZero;
    TrapUnserved(info);
    return info;
}
LWObjectInfo g_objectInfo = MakeObjectInfo();

// ---- "LW Camera Info 10" ----

const Item *CameraOf(LWItemID id)
{
    const Item *item = ItemOf(id);
    return item && item->kind == ItemKind::Camera ? item : nullptr;
}

double CameraZoom(LWItemID id, LWTime time)
{
    const Item *camera = CameraOf(id);
    return camera ? lwsc::EvaluateEnvelope(camera->zoom, time) : 0.0;
}

double CameraFocalLength(LWItemID id, LWTime time) { return CurrentScene().FocalLengthAt(FromItemID(id), time); }

void CameraResolution(LWItemID id, int *width, int *height)
{
    const Item *camera = CameraOf(id);
    if (width)
        *width = camera ? camera->resolutionW : 0;
    if (height)
        *height = camera ? camera->resolutionH : 0;
}

double CameraPixelAspect(LWItemID id, LWTime)
{
    const Item *camera = CameraOf(id);
    return camera ? camera->pixelAspect : 1.0;
}

LWCameraInfo MakeCameraInfo()
{
    LWCameraInfo info{};
    info.zoomFactor = CameraZoom;
    info.focalLength = CameraFocalLength;
    info.resolution = CameraResolution;
    info.pixelAspect = CameraPixelAspect;
    TrapUnserved(info);
    return info;
}
LWCameraInfo g_cameraInfo = MakeCameraInfo();

// ---- snapshots ----

LWItemID SceneRenderCamera(LWTime time) { return ToItemID(CurrentScene().RenderCameraAt(time)); }

void *SceneInfoSnapshot()
{
    thread_local LWSceneInfo info;
    const Scene &scene = CurrentScene();
    info = LWSceneInfo{};
    info.name = "Scene";
    info.filename = "";
    info.frameStart = scene.frameStart;
    info.frameEnd = scene.frameEnd;
    info.frameStep = scene.frameStep;
    info.framesPerSecond = scene.fps;
    const Item *camera = scene.Find(scene.RenderCamera());
    info.frameWidth = camera ? camera->resolutionW : 0;
    info.frameHeight = camera ? camera->resolutionH : 0;
    info.pixelAspect = camera ? camera->pixelAspect : 1.0;
    info.renderCamera = SceneRenderCamera;
    info.numThreads = 1;
    TrapUnserved(info);
    return &info;
}

void *TimeInfoSnapshot()
{
    thread_local LWTimeInfo info;
    info.time = CurrentScene().time;
    info.frame = CurrentScene().CurrentFrame();
    return &info;
}

unsigned int InterfaceItemFlags(LWItemID id)
{
    for (std::uint32_t selected : CurrentScene().selection)
        if (selected == FromItemID(id))
            return 1; // LWITEMF_SELECTED
    return 0;
}

void *InterfaceInfoSnapshot()
{
    thread_local LWInterfaceInfo info;
    thread_local std::vector<LWItemID> selected;
    const Scene &scene = CurrentScene();
    selected.clear();
    for (std::uint32_t id : scene.selection)
        selected.push_back(ToItemID(id));
    selected.push_back(LWITEM_NULL);
    info.curTime = scene.time;
    info.selItems = selected.data();
    info.itemFlags = InterfaceItemFlags;
    info.previewStart = scene.previewStart;
    info.previewEnd = scene.previewEnd;
    info.previewStep = scene.previewStep;
    TrapUnserved(info);
    return &info;
}

const Viewport *ViewportAt(int index)
{
    const auto &viewports = CurrentScene().viewports;
    return index >= 0 && static_cast<size_t>(index) < viewports.size() ? &viewports[index] : nullptr;
}

int ViewType(int index)
{
    const Viewport *view = ViewportAt(index);
    return view ? view->type : LVVIEWT_NONE;
}

LWItemID ViewItem(int index)
{
    const Viewport *view = ViewportAt(index);
    return view ? ToItemID(view->item) : LWITEM_NULL;
}

void ViewRect(int index, int *left, int *top, int *width, int *height)
{
    const Viewport *view = ViewportAt(index);
    if (left) *left = view ? view->left : 0;
    if (top) *top = view ? view->top : 0;
    if (width) *width = view ? view->width : 0;
    if (height) *height = view ? view->height : 0;
}

// Tool events of the simulated host carry window pixel positions, so the projection is the identity.
int ViewProject(int index, LWDVector world, double *winX, double *winY, double *winZ)
{
    if (!ViewportAt(index))
        return 0;
    if (winX) *winX = world[0];
    if (winY) *winY = world[1];
    if (winZ) *winZ = world[2];
    return 1;
}

void *ViewportInfoSnapshot()
{
    thread_local LWViewportInfo info;
    info = LWViewportInfo{};
    info.numViewports = static_cast<int>(CurrentScene().viewports.size());
    info.type = ViewType;
    info.viewItem = ViewItem;
    info.rect = ViewRect;
    info.project = ViewProject;
    TrapUnserved(info);
    return &info;
}

// ---- "Channel Info 3" ----

LWChanGroupID ChanNextGroup(LWChanGroupID parent, LWChanGroupID group)
{
    const ChannelGroup *next = CurrentScene().NextGroupIn(FromChannelID(parent), FromChannelID(group));
    return next ? ToChannelID(next->id) : nullptr;
}

LWChannelID ChanNextChannel(LWChanGroupID parent, LWChannelID channel)
{
    const Channel *next = CurrentScene().NextChannelIn(FromChannelID(parent), FromChannelID(channel));
    return next ? ToChannelID(next->id) : nullptr;
}

const char *ChanGroupName(LWChanGroupID group)
{
    const ChannelGroup *found = CurrentScene().FindGroup(FromChannelID(group));
    return found ? found->name.c_str() : nullptr;
}

const char *ChanChannelName(LWChannelID channel)
{
    const Channel *found = CurrentScene().FindChannel(FromChannelID(channel));
    return found ? found->name.c_str() : nullptr;
}

LWChanGroupID ChanGroupParent(LWChanGroupID group)
{
    const ChannelGroup *found = CurrentScene().FindGroup(FromChannelID(group));
    return found ? ToChannelID(found->parent) : nullptr;
}

LWChanGroupID ChanChannelParent(LWChannelID channel)
{
    const Channel *found = CurrentScene().FindChannel(FromChannelID(channel));
    return found ? ToChannelID(found->group) : nullptr;
}

double ChanEvaluate(LWChannelID channel, LWTime time)
{
    const Channel *found = CurrentScene().FindChannel(FromChannelID(channel));
    return found ? EvaluateChannel(CurrentScene(), Host::Current().expressions, *found, time) : 0.0;
}

LWChannelInfo MakeChannelInfo()
{
    LWChannelInfo info{};
    info.nextGroup = ChanNextGroup;
    info.nextChannel = ChanNextChannel;
    info.groupName = ChanGroupName;
    info.channelName = ChanChannelName;
    info.groupParent = ChanGroupParent;
    info.channelParent = ChanChannelParent;
    info.channelEvaluate = ChanEvaluate;
    TrapUnserved(info);
    return info;
}
LWChannelInfo g_channelInfo = MakeChannelInfo();

// ---- "Scene Objects 9" ----

std::vector<const std::string *> MapsOfType(LWID type)
{
    std::vector<const std::string *> names;
    for (const auto &[mapType, name] : CurrentScene().vertexMaps)
        if (mapType == type)
            names.push_back(&name);
    return names;
}

int SceneNumVMaps(LWID type) { return static_cast<int>(MapsOfType(type).size()); }

const char *SceneVMapName(LWID type, int index)
{
    const auto names = MapsOfType(type);
    return index >= 0 && static_cast<size_t>(index) < names.size() ? names[index]->c_str() : nullptr;
}

int SceneVMapDim(LWID type, int index) { return SceneVMapName(type, index) ? 3 : 0; }

LWSceneObjects MakeSceneObjects()
{
    LWSceneObjects objects{};
    objects.numVMaps = SceneNumVMaps;
    objects.vmapName = SceneVMapName;
    objects.vmapDim = SceneVMapDim;
    TrapUnserved(objects);
    return objects;
}
LWSceneObjects g_sceneObjects = MakeSceneObjects();

// ---- "LW Communication Ring" ----

int RingAttach(const char *topic, LWInstance clientData, RingEvent callback)
{
    return Host::Current().ring.Attach(topic ? topic : "", clientData, callback);
}

void RingDetach(const char *topic, LWInstance clientData) { Host::Current().ring.Detach(topic ? topic : "", clientData); }

void RingMessage(const char *topic, int eventCode, void *eventData)
{
    Host::Current().ring.Post(topic ? topic : "", eventCode, eventData);
}

LWComRing g_comRing = {RingAttach, RingDetach, RingMessage}; // every member served

// ---- commands ----

int EvaluateUtf8(void *, const char *line) { return Host::CommandLine(line); }

LWCommandInterface g_commandInterface = {nullptr, nullptr, nullptr, EvaluateUtf8};

// ---- requesters ----

void CopyOut(char *buffer, int length, const std::string &text)
{
    if (!buffer || length <= 0)
        return;
    const size_t count = std::min(text.size(), static_cast<size_t>(length - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

// The transcript's line for a requester the user was shown: its kind, its title, the answer.
void NoteRequester(const std::string &kind, const char *title, bool answered)
{
    Host::Current().commands.Note(kind + " \"" + PrintableText(title ? title : "") + "\": " +
                                  (answered ? "answered" : "cancelled"));
}

const char *FileRequestKind(int type)
{
    switch (type) {
    case FREQ_SAVE: return "file requester (save)";
    case FREQ_DIRECTORY: return "file requester (folder)";
    case FREQ_MULTILOAD: return "file requester (load several)";
    default: return "file requester (load)";
    }
}

int FileRequest3(int, LWFileReqLocal *local)
{
    Requesters &requesters = Host::Current().requesters;
    requesters.fileLog.push_back(
        {local->reqType, local->title ? local->title : "", local->fileType ? local->fileType : "", local->path ? local->path : ""});
    const FileAnswer answer = requesters.NextFile();
    NoteRequester(FileRequestKind(local->reqType), local->title, !answer.cancel);
    if (answer.cancel) {
        local->result = 0;
        return AFUNC_OK;
    }
    const std::string &chosen = Requesters::AnsweredPath(answer, local->reqType);
    const size_t slash = chosen.find_last_of('/');
    CopyOut(local->fullName, local->bufLen, chosen);
    CopyOut(local->baseName, local->bufLen, slash == std::string::npos ? chosen : chosen.substr(slash + 1));
    CopyOut(local->path, local->bufLen, slash == std::string::npos ? std::string() : chosen.substr(0, slash));
    local->result = 1;
    return AFUNC_OK;
}

int FileRequestOld(const char *hail, char *name, char *path, char *fullName, int bufLen)
{
    Requesters &requesters = Host::Current().requesters;
    requesters.fileLog.push_back({FREQ_LOAD, hail ? hail : "", std::string(), path ? path : ""});
    const FileAnswer answer = requesters.NextFile();
    NoteRequester(FileRequestKind(FREQ_LOAD), hail, !answer.cancel);
    if (answer.cancel)
        return 0;
    const std::string &chosen = Requesters::AnsweredPath(answer, FREQ_LOAD);
    CopyOut(fullName, bufLen, chosen);
    CopyOut(name, bufLen, chosen);
    return 1;
}

int ColorPicker(int, LWColorPickLocal *local)
{
    Requesters &requesters = Host::Current().requesters;
    requesters.colorLog.push_back({local->title ? local->title : "", local->red, local->green, local->blue});
    const ColorAnswer answer = requesters.NextColor();
    NoteRequester("colour picker", local->title, answer.result > 0);
    local->result = answer.result;
    if (answer.result > 0) {
        local->red = answer.red;
        local->green = answer.green;
        local->blue = answer.blue;
    }
    return AFUNC_OK;
}

// ---- raster and view panels (filled in by their layers) ----

LWRasterFuncs g_rasterFuncs{};

// Services the module looks up but never calls: each gets a table of its own.
const char *const kOpaqueServices[] = {
    "AOV Functions", "LW Backdrop Info 3", "LW Bone Info 7", "Buffer List Global 2", "BSDF Functions 2",
    "LW Camera Evaluation Funcs 4", "LW Compositing Info", "Dopetrack Proxy 2", "Fiber Info 2", "LW Fog Info",
    "ItemInstancerFuncs 2", "ItemInstanceInfo", "LW Light Info 6", "LWM: Dynamic Monitor", "LW List Info",
    "Particle Services 3", "LW Timer", "ContextMenuServices 2", "LW Base Funcs 2", "LWColorSpace",
    "Directory Info 2", "Animation Envelopes 4", "File IO 5", "File Type Pattern", "Image Utility 6",
    "LW Image List 9", "Instance Update", "Mesh Functions 2", "Info Messages 4", "NodeInputFuncs 5",
    "NodeOutputFuncs 4", "NodeFuncs 3", "NodeEditorFuncs 7", "LWShelfFuncs 3", "Surface Functions 6",
    "SurfaceEditor Functions 2", "Texture Functions 6", "Texture Editor 3", "LWVParmFuncs 4", "LSUniversalRequester",
};
constexpr size_t kOpaqueCount = sizeof kOpaqueServices / sizeof kOpaqueServices[0];
std::uint64_t g_opaqueTables[kOpaqueCount][4];

} // namespace

void Host::InstallServices()
{
    services.Set(LWCOMMANDFUNC_GLOBAL, reinterpret_cast<void *>(&Host::NarrowCommandLine));
    TrapUnserved(g_commandInterface);
    services.Set(LWCOMMANDINTERFACE_GLOBAL, &g_commandInterface);
    services.Set(LWITEMINFO_GLOBAL, &g_itemInfo);
    services.Set(LWOBJECTINFO_GLOBAL, &g_objectInfo);
    services.Set(LWCAMERAINFO_GLOBAL, &g_cameraInfo);
    services.SetProvider(LWSCENEINFO_GLOBAL, SceneInfoSnapshot);
    services.SetProvider(LWTIMEINFO_GLOBAL, TimeInfoSnapshot);
    services.SetProvider(LWINTERFACEINFO_GLOBAL, InterfaceInfoSnapshot);
    services.SetProvider(LWVIEWPORTINFO_GLOBAL, ViewportInfoSnapshot);
    services.Set(LWCHANNELINFO_GLOBAL, &g_channelInfo);
    services.Set(LWOBJECTFUNCS_GLOBAL, &g_sceneObjects);
    services.Set(LWCOMRING_GLOBAL, &g_comRing);
    services.Set(LWFILEACTIVATEFUNC_GLOBAL, reinterpret_cast<void *>(&FileRequest3));
    services.Set(LWFILEREQFUNC_GLOBAL, reinterpret_cast<void *>(&FileRequestOld));
    services.Set(LWCOLORACTIVATEFUNC_GLOBAL, reinterpret_cast<void *>(&ColorPicker));
    services.Set(PANEL_SERVICES_NAME, panels.Funcs());
    TrapUnserved(g_rasterFuncs); // no panel of the module draws into rasters
    services.Set(LWRASTERFUNCS_GLOBAL, &g_rasterFuncs);
    services.Set(LWXPANELFUNCS_GLOBAL, xpanels.Funcs());
    for (size_t i = 0; i < kOpaqueCount; ++i)
        services.Set(kOpaqueServices[i], g_opaqueTables[i]);
    services.SetLocale(1033);
}

} // namespace zkh
