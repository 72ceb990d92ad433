// scene_file.cpp: the host's scene files: loading a scene file into the scene and its plug-in
// instances, and saving them back.
#include "host.h"

#include "lwsc/plugin_data.h"
#include "lwsc/scene_writer.h"
#include "printable_text.h"

#include <fstream>
#include <sstream>

namespace zkh {

namespace {

// A plug-in instance's data as its save callback writes it.
std::vector<std::string> SavedData(const LWInstanceFuncs &funcs, LWInstance instance, const std::string &server,
                                   Host &host)
{
    lwsc::PluginDataWriter writer;
    if (funcs.save)
        if (LWError error = funcs.save(instance, writer.State()))
            host.Message(server + ": save failed: " + error);
    return writer.Finish();
}

// Loads an instance from its block's lines; a refusal is reported.
void LoadData(const std::vector<std::string_view> &data, const std::string &server, const LWInstanceFuncs &funcs,
              LWInstance instance, Host &host)
{
    if (!funcs.load)
        return;
    lwsc::PluginDataReader reader(data);
    if (LWError error = funcs.load(instance, reader.State()))
        host.Message(server + ": " + error);
}

} // namespace

std::string Host::SceneText()
{
    lwsc::SceneToSave save;
    save.scene = &scene;
    save.expressions = &expressions;
    for (const auto &master : masters.All()) {
        lwsc::PluginToSave plugin;
        plugin.kind = lwsc::PluginToLoad::Kind::Master;
        plugin.server = master->server;
        plugin.plugin = master->source;
        plugin.data = SavedData(master->instFuncs, master->instance, master->server, *this);
        save.plugins.push_back(std::move(plugin));
    }
    for (const auto &filter : imageFilters.All()) {
        lwsc::PluginToSave plugin;
        plugin.kind = lwsc::PluginToLoad::Kind::ImageFilter;
        plugin.server = filter->server;
        plugin.plugin = filter->source;
        plugin.data = SavedData(filter->instFuncs, filter->instance, filter->server, *this);
        save.plugins.push_back(std::move(plugin));
    }
    for (const auto &modifier : channelHandlers.All()) {
        lwsc::PluginToSave plugin;
        plugin.kind = lwsc::PluginToLoad::Kind::ChannelHandler;
        plugin.server = modifier->server;
        plugin.place = modifier->source;
        plugin.channel = modifier->channel;
        plugin.data = SavedData(modifier->instFuncs, modifier->instance, modifier->server, *this);
        save.plugins.push_back(std::move(plugin));
    }
    save.removedPlugins = removedPlugins_;
    save.removedHandlers = removedHandlers_;
    std::vector<std::string> problems;
    std::string text = lwsc::WriteSceneFile(sceneFile_.get(), save, problems);
    for (const std::string &problem : problems)
        Message("scene file: " + problem);
    return text;
}

bool Host::SaveScene(const std::string &path)
{
    const std::string text = SceneText();
    std::ofstream file(path, std::ios::binary);
    if (!file) {
        Message("cannot write scene file " + path);
        return false;
    }
    file << text;
    file.close();
    if (!file) {
        Message("cannot write scene file " + path);
        return false;
    }
    return true;
}

bool Host::LoadScene(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        Message("cannot read scene file " + path);
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return LoadSceneText(text.str(), path);
}

namespace {

// A reader's warning as a message naming the file and line as errors do ("shot.lws:12: ...").
std::string Located(const std::string &sourceName, const lwsc::Warning &warning)
{
    return sourceName + ":" + std::to_string(warning.line + 1) + ": " + PrintableText(warning.text);
}

} // namespace

bool Host::LoadSceneText(const std::string &text, const std::string &sourceName)
{
    auto document = std::make_shared<lwsc::Document>();
    lwsc::ParseError error;
    if (!lwsc::ParseDocument(text, *document, error)) {
        Message(sourceName + ":" + std::to_string(error.line) + ": " + PrintableText(error.reason));
        return false;
    }
    lwsc::SceneFromFile loaded;
    lwsc::Warnings warnings;
    lwsc::ReadSceneFile(*document, loaded, warnings);
    for (const lwsc::Warning &warning : document->warnings)
        Message(Located(sourceName, warning));
    for (const lwsc::Warning &warning : warnings)
        Message(Located(sourceName, warning));

    // The new scene replaces the old one: its instances go, the stored ones are created and loaded.
    // The viewports are Layout's windows, not the scene's: they stay.
    channelHandlers.DestroyAll();
    masters.DestroyAll();
    imageFilters.DestroyAll();
    std::vector<Viewport> views = std::move(scene.viewports);
    scene = std::move(loaded.scene);
    for (Viewport &view : views)
        if (view.item != 0 && !scene.Find(view.item))
            view.item = 0;
    scene.viewports = std::move(views);
    expressions = std::move(loaded.expressions);
    sceneFile_ = std::move(document);
    removedPlugins_.clear();
    removedHandlers_.clear();
    LoadScenePlugins(loaded.plugins, sourceName);
    return true;
}

void Host::LoadScenePlugins(const std::vector<lwsc::PluginToLoad> &plugins, const std::string &sourceName)
{
    // A block whose server the module does not have, or which refuses the instance, stays in the
    // file as it is.
    for (const lwsc::PluginToLoad &plugin : plugins) {
        const char *className = plugin.kind == lwsc::PluginToLoad::Kind::Master        ? LWMASTER_HCLASS
                                : plugin.kind == lwsc::PluginToLoad::Kind::ImageFilter ? LWIMAGEFILTER_HCLASS
                                                                                       : LWCHANNEL_HCLASS;
        if (!module_ || !module_->Find(className, plugin.server)) {
            Message(sourceName + ":" + std::to_string(plugin.line + 1) + ": no " + className + " " + plugin.server +
                    " in the loaded module: its block is kept as it is");
            continue;
        }
        switch (plugin.kind) {
        case lwsc::PluginToLoad::Kind::Master:
            if (MasterInstance *master = masters.Add(plugin.server)) {
                master->source = plugin.plugin;
                LoadData(plugin.data, plugin.server, master->instFuncs, master->instance, *this);
            }
            break;
        case lwsc::PluginToLoad::Kind::ImageFilter:
            if (ImageFilterInstance *filter = imageFilters.Add(plugin.server)) {
                filter->source = plugin.plugin;
                LoadData(plugin.data, plugin.server, filter->instFuncs, filter->instance, *this);
            }
            break;
        case lwsc::PluginToLoad::Kind::ChannelHandler:
            if (ChannelModifier *modifier = channelHandlers.Add(plugin.server, plugin.channel)) {
                modifier->source = plugin.place;
                LoadData(plugin.data, plugin.server, modifier->instFuncs, modifier->instance, *this);
            }
            break;
        }
    }
}

} // namespace zkh
