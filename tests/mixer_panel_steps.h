// mixer_panel_steps.h: the clip mixer's integration tests: a channel to mix, and acting on the
// mixer's options panel.
#ifndef ZK_TESTS_MIXER_PANEL_STEPS_H
#define ZK_TESTS_MIXER_PANEL_STEPS_H

#include "host.h"
#include "module_fixture.h"
#include "panel_lists.h"
#include "process_support.h"
#include "zktools/mixer_panel_controls.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// The panel's controls by the module's list of them (their creation order).
enum MixerControl {
#define ZK_TEST_MIXER_CONTROL(name, text) k##name,
    ZK_MIXER_PANEL_CONTROLS(ZK_TEST_MIXER_CONTROL)
#undef ZK_TEST_MIXER_CONTROL
    kMixerControlCount
};

inline zkh::PanelControl &Ctl(zkh::Panel &panel, MixerControl which) { return *panel.controls.at(which); }

inline void SetAndFire(zkh::Panel &panel, MixerControl which, int value)
{
    zkh::PanelService::SetInt(Ctl(panel, which), value);
    zkh::PanelService::Fire(Ctl(panel, which));
}

inline void SetAndFire(zkh::Panel &panel, MixerControl which, const std::string &text)
{
    zkh::PanelService::SetText(Ctl(panel, which), text);
    zkh::PanelService::Fire(Ctl(panel, which));
}

inline void Press(zkh::Panel &panel, MixerControl which) { zkh::PanelService::Fire(Ctl(panel, which)); }

// Clicks: clear the selection (row -1), then select each row.
inline void SelectOnly(zkh::Panel &panel, MixerControl list, const std::vector<int> &rows)
{
    zkh::ListSelect(Ctl(panel, list), -1, false);
    for (int row : rows)
        zkh::ListSelect(Ctl(panel, list), row, true);
}

// Opens the options of a modifier with the steps to run while the modal panel is open.
inline bool RunOptions(zkh::Host &host, zkh::ChannelModifier &modifier, std::function<void(zkh::Panel &)> steps)
{
    host.panels.modalScripts.push_back([steps](zkh::Panel &panel) {
        steps(panel);
        return 1;
    });
    std::string error;
    return host.channelHandlers.OpenOptions(modifier, error);
}

// A null object "Controller" whose Position.Y the mixers work on, and a folder for mixer files.
class MixerTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        host.scene.AddNullObject("Controller");
        channel = host.scene.Channels()[1].id;
        dir = TestTempDir("zk-mixer");
        std::filesystem::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
        ModuleTest::TearDown();
    }

    zkh::ChannelModifier *AddMixer()
    {
        zkh::ChannelModifier *mixer = host.channelHandlers.Add("ZK:ChanClipMixer", channel);
        EXPECT_NE(mixer, nullptr) << (host.messages.empty() ? "" : host.messages.back());
        return mixer;
    }

    // Imports a mixer file of this text through the panel's File popup.
    void Import(zkh::ChannelModifier &mixer, const std::string &xml)
    {
        std::ofstream(PathOf("import.xml"), std::ios::binary) << xml;
        host.requesters.AnswerFile(PathOf("import.xml"));
        ASSERT_TRUE(RunOptions(host, mixer, [](zkh::Panel &panel) { SetAndFire(panel, kFile, 0); }));
    }

    std::string PathOf(const std::string &name) const { return (dir / name).string(); }

    zkh::ChannelKey channel = 0;
    std::filesystem::path dir;
};

#endif
