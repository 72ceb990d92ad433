// Loading the module file as Layout does: descriptor, server table, activation results.
#include "module_fixture.h"

#include <cstring>
#include <vector>

namespace {

struct ExpectedServer {
    const char *className;
    const char *name;
    bool tagged;
    int version;
};

const ExpectedServer kServers[] = {
    {"LayoutGeneric", "ZK:MorphConsolidate", false, 7},   {"ChannelHandler", "ZK:ChanClipMixer", true, 5},
    {"ChannelInterface", "ZK:ChanClipMixer", false, 5},   {"MasterHandler", "ZK:TimeLineMemo", true, 5},
    {"MasterInterface", "ZK:TimeLineMemo", false, 5},     {"MasterGizmo", "ZK:TimeLineMemo", false, 5},
    {"MasterHandler", "ZK:CameraFrame", true, 5},         {"MasterInterface", "ZK:CameraFrame", false, 5},
    {"MasterGizmo", "ZK:CameraFrame", false, 5},          {"ImageFilterHandler", "ZK:CameraFrame", true, 7},
    {"LayoutTool", "ZK:CameraFrame", true, 4},
};

const char *const kHostGlobalNames[] = {
    "LW Command Interface", "LW Command Interface 2", "AOV Functions", "LW Backdrop Info 3", "LW Bone Info 7", "Buffer List Global 2",
    "BSDF Functions 2", "LW Camera Evaluation Funcs 4", "LW Camera Info 10", "LW Compositing Info",
    "Dopetrack Proxy 2", "Fiber Info 2", "LW Fog Info", "LW Interface Info 8", "LW Item Info 9",
    "ItemInstancerFuncs 2", "ItemInstanceInfo", "LW Light Info 6", "LWM: Dynamic Monitor", "LW List Info",
    "LW Object Info 14", "Particle Services 3", "LW Scene Info 12", "LW Time Info", "LW Timer",
    "LW Viewport Info 9", "ContextMenuServices 2", "LW Base Funcs 2", "Channel Info 3", "Color Picker",
    "LWColorSpace", "LW Communication Ring", "Directory Info 2", "Animation Envelopes 4", "File Request 3",
    "File IO 5", "File Type Pattern", "Image Utility 6", "LW Image List 9", "Instance Update", "Mesh Functions 2",
    "Info Messages 4", "NodeInputFuncs 5", "NodeOutputFuncs 4", "NodeFuncs 3", "NodeEditorFuncs 7",
    "Scene Objects 9", "LWPanelServices 3", "RasterServices 4", "LWShelfFuncs 3", "Surface Functions 6",
    "SurfaceEditor Functions 2", "Texture Functions 6", "Texture Editor 3", "LWVParmFuncs 4", "LWXPanel 3",
};

const char *const kToolGlobalNames[] = {
    "LW Bone Info 7", "LW Fog Info", "LW Camera Info 10", "LW Interface Info 8", "LW Item Info 9",
    "LW Object Info 14", "LW Scene Info 12", "LW Time Info", "Dopetrack Proxy 2", "LW Command Interface",
    "LW Command Interface 2", "Animation Envelopes 4", "Channel Info 3", "Color Picker", "ContextMenuServices 2", "Directory Info 2",
    "File Request", "File Request 3", "Image Utility 6", "LW Image List 9", "Info Messages 4", "Instance Update",
    "Locale Info", "LWPanelServices 3", "RasterServices 4", "Scene Objects 9", "LWShelfFuncs 3",
    "Surface Functions 6", "LWXPanel 3", "LSUniversalRequester", "LW Communication Ring", "NodeInputFuncs 5",
    "NodeOutputFuncs 4", "NodeFuncs 3", "Instance Update", "LW Light Info 6", "AOV Functions",
};

// A handler record large enough for every class, filled with a pattern to see what changes.
struct RecordBuffer {
    unsigned char bytes[256];
    RecordBuffer() { std::memset(bytes, 0xAB, sizeof bytes); }
};

// A handler record with its instance part, ready for an activation.
template <typename Handler> struct WithInstance {
    LWInstanceFuncs inst{};
    Handler handler{};
    WithInstance() { handler.inst = &inst; }
};

class ModuleEntry : public ModuleTest {};

TEST_F(ModuleEntry, DescriptorAndServerTable)
{
    const ModuleDescriptor *descriptor = host.LoadedModule()->Descriptor();
    EXPECT_EQ(descriptor->sysSync, 0x04121994u);
    EXPECT_EQ(descriptor->sysVersion, 3u);
#if defined(_WIN64)
    EXPECT_EQ(descriptor->sysMachine, 0x300u); // 64-bit Windows
#else
    EXPECT_EQ(descriptor->sysMachine, 0x500u); // 64-bit Linux
#endif
    EXPECT_EQ(host.LoadedModule()->ServerData(), reinterpret_cast<void *>(4));

    const auto &servers = host.LoadedModule()->Servers();
    ASSERT_EQ(servers.size(), 11u);
    for (size_t i = 0; i < servers.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(servers[i].className, kServers[i].className);
        EXPECT_EQ(servers[i].name, kServers[i].name);
        EXPECT_EQ(servers[i].hasTags, kServers[i].tagged);
        if (kServers[i].tagged) {
            ASSERT_EQ(servers[i].tags.size(), 1u);
            EXPECT_EQ(servers[i].tags[0].first, kServers[i].name);
            EXPECT_EQ(servers[i].tags[0].second, 0u);
        }
    }
    // The table ends with a record whose every field is null.
    const ServerRecord end{};
    EXPECT_EQ(std::memcmp(&descriptor->serverDefs[11], &end, sizeof end), 0);
}

// Every server of every class refuses another version than its own before it looks at anything:
// no service is looked up, no command or status line sent and not one byte of the record written.
TEST_F(ModuleEntry, WrongVersionReturnsOneAndTouchesNothing)
{
    host.services.ClearLookupLog();
    for (const ExpectedServer &server : kServers) {
        for (int version : {server.version - 1, server.version + 1, 0}) {
            SCOPED_TRACE(std::string(server.className) + " " + std::to_string(version));
            RecordBuffer record;
            EXPECT_EQ(host.Activate(server.className, server.name, record.bytes, version), AFUNC_BADVERSION);
            for (unsigned char byte : record.bytes)
                ASSERT_EQ(byte, 0xAB);
        }
    }
    EXPECT_TRUE(host.services.LookupLog().empty());
    EXPECT_TRUE(host.commands.log.empty());
    // Nor were the shared globals filled: the first good activation fetches them all.
    WithInstance<LWMasterHandler> memo;
    ASSERT_EQ(host.Activate("MasterHandler", "ZK:TimeLineMemo", &memo.handler), AFUNC_OK);
    EXPECT_EQ(host.services.LookupLog().size(), std::size(kHostGlobalNames) + 1);
}

TEST_F(ModuleEntry, SharedGlobalsAreFetchedOnceInOrder)
{
    host.services.ClearLookupLog();
    WithInstance<LWMasterHandler> master;
    LWItemFuncs items{};
    master.handler.item = &items;
    ASSERT_EQ(host.Activate("MasterHandler", "ZK:CameraFrame", &master.handler), AFUNC_OK);

    std::vector<std::string> expected(std::begin(kHostGlobalNames), std::end(kHostGlobalNames));
    expected.push_back("Locale Info");
    EXPECT_EQ(host.services.LookupLog(), expected);

    // Later activations, of the same or another plug-in, only read the locale again.
    host.services.ClearLookupLog();
    WithInstance<LWMasterHandler> memo;
    ASSERT_EQ(host.Activate("MasterHandler", "ZK:TimeLineMemo", &memo.handler), AFUNC_OK);
    WithInstance<LWChannelHandler> channel;
    ASSERT_EQ(host.Activate("ChannelHandler", "ZK:ChanClipMixer", &channel.handler), AFUNC_OK);
    EXPECT_EQ(host.services.LookupLog(), (std::vector<std::string>{"Locale Info", "Locale Info"}));
}

// A host may offer no item part (Modeler does not): every handler then leaves it null and fills
// only what it was offered.
TEST_F(ModuleEntry, HandlerRecordsAreFilled)
{
    WithInstance<LWMasterHandler> master;
    master.handler.type = 99;
    ASSERT_EQ(host.Activate("MasterHandler", "ZK:CameraFrame", &master.handler), AFUNC_OK);
    EXPECT_EQ(master.handler.type, LWMAST_SCENE);
    EXPECT_EQ(master.handler.item, nullptr);
    for (const char *server : {"ZK:CameraFrame", "ZK:TimeLineMemo"}) {
        LWItemFuncs items{};
        master.handler.item = &items;
        ASSERT_EQ(host.Activate("MasterHandler", server, &master.handler), AFUNC_OK);
        EXPECT_EQ(master.handler.item, &items);
        EXPECT_EQ(items.useItems(nullptr), nullptr) << server;
    }
    WithInstance<LWImageFilterHandler> filter;
    ASSERT_EQ(host.Activate("ImageFilterHandler", "ZK:CameraFrame", &filter.handler), AFUNC_OK);
    EXPECT_EQ(filter.handler.item, nullptr);
    ASSERT_NE(master.handler.flags, nullptr);
    EXPECT_EQ(master.handler.flags(nullptr), 0u);
    ASSERT_NE(master.inst.copy, nullptr);
    EXPECT_EQ(master.inst.copy(nullptr, nullptr), nullptr);

    // The channel handler fills its item part only when the host offers one.
    WithInstance<LWChannelHandler> channel;
    ASSERT_EQ(host.Activate("ChannelHandler", "ZK:ChanClipMixer", &channel.handler), AFUNC_OK);
    EXPECT_EQ(channel.handler.item, nullptr);
    LWItemFuncs offered{};
    channel.handler.item = &offered;
    ASSERT_EQ(host.Activate("ChannelHandler", "ZK:ChanClipMixer", &channel.handler), AFUNC_OK);
    EXPECT_NE(offered.changeID, nullptr);
}

TEST_F(ModuleEntry, HandlersActivateWithoutOptionalServices)
{
    host.services.Remove("NodeEditorFuncs 7");
    host.services.Remove("LW Timer");
    for (const ExpectedServer &server : kServers) {
        SCOPED_TRACE(server.className);
        RecordBuffer record;
        std::memset(record.bytes, 0, sizeof record.bytes);
        EXPECT_EQ(host.Activate(server.className, server.name, record.bytes), AFUNC_OK);
    }
}

TEST_F(ModuleEntry, GenericCommandNeedsEveryToolService)
{
    EXPECT_EQ(host.RunGeneric("ZK:MorphConsolidate"), AFUNC_OK);
    for (const char *name : kToolGlobalNames) {
        SCOPED_TRACE(name);
        void *original = host.services.Lookup(name);
        host.services.Remove(name);
        // The newer command interface alone may be missing: the legacy one serves then.
        const bool optional = std::strcmp(name, "LW Command Interface 2") == 0;
        EXPECT_EQ(host.RunGeneric("ZK:MorphConsolidate"), optional ? AFUNC_OK : AFUNC_BADGLOBAL);
        host.services.Set(name, original);
    }
    // A locale of 0 counts as missing.
    host.services.SetLocale(0);
    EXPECT_EQ(host.RunGeneric("ZK:MorphConsolidate"), AFUNC_BADGLOBAL);
}

TEST_F(ModuleEntry, GenericCommandLeavesSharedGlobalsAlone)
{
    host.services.ClearLookupLog();
    ASSERT_EQ(host.RunGeneric("ZK:MorphConsolidate"), AFUNC_OK);
    const auto log = host.services.LookupLog();
    std::vector<std::string> expected(std::begin(kToolGlobalNames), std::end(kToolGlobalNames));
    // The run after OK looks the interface info up again before and after linking.
    expected.push_back("LW Interface Info 8");
    expected.push_back("LW Interface Info 8");
    EXPECT_EQ(log, expected);
    // Its activations fetch their set every time.
    ASSERT_EQ(host.RunGeneric("ZK:MorphConsolidate"), AFUNC_OK);
    EXPECT_EQ(host.services.LookupCount("LW Item Info 9"), 2);
    EXPECT_EQ(host.services.LookupCount("AOV Functions"), 2);
}

TEST_F(ModuleEntry, FreshCopiesKeepTheirOwnState)
{
    // Fill the shared globals in this copy, then load another: it fetches them again.
    WithInstance<LWMasterHandler> master;
    ASSERT_EQ(host.Activate("MasterHandler", "ZK:CameraFrame", &master.handler), AFUNC_OK);
    const std::string second = FreshModuleCopy();
    ASSERT_TRUE(host.LoadModule(second));
    host.services.ClearLookupLog();
    ASSERT_EQ(host.Activate("MasterHandler", "ZK:CameraFrame", &master.handler), AFUNC_OK);
    EXPECT_EQ(host.services.LookupCount("LW Item Info 9"), 1);
    std::remove(second.c_str());
}

} // namespace
