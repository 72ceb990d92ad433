// mixer_panel_steps.h: acting on the clip mixer's options panel from integration tests.
#ifndef ZK_TESTS_MIXER_PANEL_STEPS_H
#define ZK_TESTS_MIXER_PANEL_STEPS_H

#include "host.h"
#include "panel_lists.h"

#include <functional>
#include <string>

// The panel's controls in creation order.
enum MixerControl {
    kClipHeader = 0, kClipName, kClipStep, kClipSequence, kClipList, kClipAdd, kClipDelete, kClipUp, kClipDown,
    kTrackHeader, kTrackEnable, kTrackIn, kTrackOut, kTrackRepeat, kTrackSequence, kTrackList,
    kTrackAdd, kTrackDelete, kTrackUp, kTrackDown, kFilePopup, kMixerControlCount
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
inline void SelectOnly(zkh::Panel &panel, MixerControl list, std::initializer_list<int> rows)
{
    zkh::ListSelect(Ctl(panel, list), -1, false);
    for (int row : rows)
        zkh::ListSelect(Ctl(panel, list), row, true);
}

// Opens the options of a modifier with the steps to run while the modal panel is open.
inline bool RunOptions(zkh::Host &host, zkh::ChannelModifier &modifier, std::function<void(zkh::Panel &)> steps,
                       std::string *error = nullptr)
{
    host.panels.modalScripts.push_back([steps](zkh::Panel &panel) {
        steps(panel);
        return 1;
    });
    std::string text;
    const bool ok = host.OpenChannelOptions(modifier, text);
    if (error)
        *error = text;
    return ok;
}

#endif
