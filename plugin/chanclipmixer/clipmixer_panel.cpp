// clipmixer_panel.cpp: the modal options panel of a clip mixer instance.
//
// Every edit is made on the instance's records as it happens; when the panel closes, however it
// was closed, the mixer is compiled with RebuildAll.
#include "clipmixer_panel.h"

#include "../common/lwcontrol.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"
#include "clipmixer.h"
#include "clipmixer_file.h"
#include "clipmixer_labels.h"
#include "clipmixer_listbox.h"
#include "clipmixer_messages.h"

#include <cstring>
#include <memory>

namespace {

constexpr int kFieldX = 72;             // where every labelled field starts
constexpr int kTextBufferLength = 512;  // text fields hold at most 511 bytes

// The last file imported or exported, shared by every instance of the process.
std::string g_lastMixerPath;

struct MixerPanel {
    LWPanelFuncs *funcs = nullptr;
    LWPanelID panel = nullptr;
    LWControlID clipHeader = nullptr, clipName = nullptr, clipStep = nullptr, clipSequence = nullptr;
    LWControlID trackHeader = nullptr, trackEnable = nullptr, trackIn = nullptr, trackOut = nullptr;
    LWControlID trackRepeat = nullptr, trackSequence = nullptr, filePopup = nullptr;
    RecordListBox clipList, trackList;
    ClipMixer *mixer = nullptr;
    int width = kMixerPanelWidth, height = kMixerPanelHeight;
    bool open = false;
};

MixerPanel *PanelOf(void *data) { return static_cast<MixerPanel *>(data); }

// ---- control values ----

void SetTextValue(LWControlID control, const std::string &text)
{
    if (!control)
        return;
    char buffer[kTextBufferLength];
    const size_t length = std::min(text.size(), sizeof buffer - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    LWValue v{};
    v.str.type = LWT_STRING;
    v.str.buf = buffer;
    v.str.bufLen = kTextBufferLength;
    control->set(control, CTL_VALUE, &v);
}

// ---- the field controls ----

void LoadClipFields(void *data, int row)
{
    MixerPanel &p = *PanelOf(data);
    if (row == -1 || !p.mixer || row < 0 || row >= static_cast<int>(p.mixer->clips.size()))
        return;
    const Clip &clip = *p.mixer->clips[row];
    SetTextValue(p.clipName, clip.name);
    SetControlInt(p.clipStep, CTL_VALUE, clip.step);
    SetTextValue(p.clipSequence, clip.sequence);
}

void LoadTrackFields(void *data, int row)
{
    MixerPanel &p = *PanelOf(data);
    if (row == -1 || !p.mixer || row < 0 || row >= static_cast<int>(p.mixer->tracks.size()))
        return;
    const Track &track = *p.mixer->tracks[row];
    SetControlInt(p.trackEnable, CTL_VALUE, track.enable ? 1 : 0);
    SetControlInt(p.trackIn, CTL_VALUE, track.in);
    SetControlInt(p.trackOut, CTL_VALUE, track.out);
    SetControlInt(p.trackRepeat, CTL_VALUE, track.repeat ? 1 : 0);
    SetTextValue(p.trackSequence, track.sequence);
}

void ClipFieldEvent(LWControlID control, void *data)
{
    Guarded([&] {
        MixerPanel &p = *PanelOf(data);
        if (!p.mixer)
            return;
        for (auto &clip : p.mixer->clips) {
            if (!clip->selected)
                continue;
            if (control == p.clipName)
                clip->name = GetControlText(control, kTextBufferLength - 1);
            else if (control == p.clipStep)
                clip->step = GetControlInt(control, CTL_VALUE);
            else if (control == p.clipSequence)
                clip->sequence = GetControlText(control, kTextBufferLength - 1);
        }
        p.clipList.Redraw();
    });
}

void TrackFieldEvent(LWControlID control, void *data)
{
    Guarded([&] {
        MixerPanel &p = *PanelOf(data);
        if (!p.mixer)
            return;
        for (auto &track : p.mixer->tracks) {
            if (!track->selected)
                continue;
            if (control == p.trackEnable)
                track->enable = GetControlInt(control, CTL_VALUE) == 1;
            else if (control == p.trackIn)
                track->in = GetControlInt(control, CTL_VALUE);
            else if (control == p.trackOut)
                track->out = GetControlInt(control, CTL_VALUE);
            else if (control == p.trackRepeat)
                track->repeat = GetControlInt(control, CTL_VALUE) == 1;
            else if (control == p.trackSequence)
                track->sequence = GetControlText(control, kTextBufferLength - 1);
        }
        p.trackList.Redraw();
    });
}

void FileEvent(LWControlID control, void *data)
{
    Guarded([&] {
        MixerPanel &p = *PanelOf(data);
        if (!p.mixer)
            return;
        const int item = GetControlInt(control, CTL_VALUE);
        if (item == 0) {
            const std::string path = RequestLoadFile(g_lastMixerPath, "Import", "xml");
            if (path.empty())
                return;
            ShowMixerOutcome(ReadMixerFile(*p.mixer, path));
            g_lastMixerPath = path;
            if (p.open) {
                p.clipList.Redraw();
                p.trackList.Redraw();
            }
        } else if (item == 1) {
            const std::string path = RequestSaveFile(g_lastMixerPath, "Export", "xml");
            if (path.empty())
                return;
            ShowMixerOutcome(WriteMixerFile(*p.mixer, path));
            g_lastMixerPath = path;
        }
    });
}

// ---- the panel ----

void PanelOpened(LWPanelID panel, void *data)
{
    Guarded([&] {
        MixerPanel &p = *PanelOf(data);
        p.funcs->set(panel, PAN_W, &p.width);
        p.funcs->set(panel, PAN_H, &p.height);
        p.open = true;
    });
}

void PanelClosed(LWPanelID, void *data)
{
    Guarded([&] {
        MixerPanel &p = *PanelOf(data);
        p.clipList.Detach();
        p.trackList.Detach();
        p.mixer = nullptr;
        p.open = false;
    });
}

// A control with a side label, its field starting at kFieldX.
LWControlID AddField(MixerPanel &p, const char *type, LWPanControlDesc &desc, const char *label, int y,
                     LWCtlEventFunc event)
{
    LWControlID control = p.funcs->addControl(p.panel, type, &desc, label);
    if (!control)
        return nullptr;
    SetControlInt(control, CTL_X, kFieldX - GetControlInt(control, CTL_LABELWIDTH));
    SetControlInt(control, CTL_Y, y);
    SetControlPointer(control, CTL_USERDATA, &p);
    SetControlPointer(control, CTL_USEREVENT, reinterpret_cast<void *>(event));
    return control;
}

LWControlID AddHeader(MixerPanel &p, const char *label, int y)
{
    static const char *kNoLines[] = {nullptr};
    LWPanControlDesc desc{};
    desc.text.type = LWT_TEXT;
    desc.text.text = kNoLines;
    LWControlID control = p.funcs->addControl(p.panel, "TextControl", &desc, label);
    SetControlInt(control, CTL_X, 4);
    SetControlInt(control, CTL_Y, y);
    return control;
}

LWPanControlDesc TextDesc(int width)
{
    LWPanControlDesc desc{};
    desc.string.type = LWT_STRING;
    desc.string.width = width;
    return desc;
}

LWPanControlDesc TypeDesc(int type)
{
    LWPanControlDesc desc{};
    desc.type = type;
    return desc;
}

// Adds every control; false when the host refused one.
bool BuildControls(MixerPanel &p, ClipMixer &mixer)
{
    const MixerLabels &labels = CurrentMixerLabels();
    LWPanControlDesc desc{};

    p.clipHeader = AddHeader(p, labels.clipHeader, 0);
    desc = TextDesc(12);
    p.clipName = AddField(p, "EditControl", desc, labels.name, 20, ClipFieldEvent);
    desc = TypeDesc(LWT_INTEGER);
    p.clipStep = AddField(p, "NumControl", desc, labels.step, 40, ClipFieldEvent);
    desc = TextDesc(40);
    p.clipSequence = AddField(p, "EditControl", desc, labels.clipSequence, 60, ClipFieldEvent);
    if (!p.clipList.Create(*p.funcs, p.panel, RecordKind::Clips, 8, 4, 84, 251, mixer, LoadClipFields, &p))
        return false;

    p.trackHeader = AddHeader(p, labels.trackHeader, 272);
    desc = TypeDesc(LWT_BOOLEAN);
    p.trackEnable = AddField(p, "BoolControl", desc, labels.enable, 292, TrackFieldEvent);
    desc = TypeDesc(LWT_INTEGER);
    p.trackIn = AddField(p, "NumControl", desc, labels.in, 312, TrackFieldEvent);
    p.trackOut = AddField(p, "NumControl", desc, labels.out, 332, TrackFieldEvent);
    desc = TypeDesc(LWT_BOOLEAN);
    p.trackRepeat = AddField(p, "BoolControl", desc, labels.repeat, 352, TrackFieldEvent);
    desc = TextDesc(40);
    p.trackSequence = AddField(p, "EditControl", desc, labels.trackSequence, 372, TrackFieldEvent);
    if (!p.trackList.Create(*p.funcs, p.panel, RecordKind::Tracks, 6, 4, 396, 533, mixer, LoadTrackFields, &p))
        return false;

    desc = LWPanControlDesc{};
    desc.choice.type = LWT_CHOICE;
    desc.choice.items = CurrentFileItems();
    desc.choice.vertical = 120;
    // The popup's field starts at x = 4.
    p.filePopup = p.funcs->addControl(p.panel, "PopupControl", &desc, labels.file);
    if (p.filePopup) {
        SetControlInt(p.filePopup, CTL_X, 4 - GetControlInt(p.filePopup, CTL_LABELWIDTH));
        SetControlInt(p.filePopup, CTL_Y, 571);
        SetControlPointer(p.filePopup, CTL_USERDATA, &p);
        SetControlPointer(p.filePopup, CTL_USEREVENT, reinterpret_cast<void *>(FileEvent));
    }
    return p.clipHeader && p.clipName && p.clipStep && p.clipSequence && p.trackHeader && p.trackEnable &&
           p.trackIn && p.trackOut && p.trackRepeat && p.trackSequence && p.filePopup;
}

// Destroys the host panel when the options callback ends, however it ends.
struct PanelRelease {
    LWPanelFuncs *funcs;
    LWPanelID panel;
    ~PanelRelease()
    {
        if (panel && funcs->destroy)
            funcs->destroy(panel);
    }
};

bool HasPanelService(const LWPanelFuncs *funcs)
{
    return funcs && funcs->create && funcs->destroy && funcs->open && funcs->get && funcs->set && funcs->addControl;
}

} // namespace

LWError MixerOptions(LWInstance inst)
{
    return GuardedOr(static_cast<LWError>(nullptr), [&]() -> LWError {
        auto *mixer = MixerOf(inst);
        if (!mixer)
            return nullptr;
        LWError result = nullptr;
        LWPanelFuncs *funcs = g_hostGlobals.panelFuncs;
        if (HasPanelService(funcs)) {
            auto p = std::make_unique<MixerPanel>();
            p->funcs = funcs;
            p->mixer = mixer;
            p->panel = funcs->create(mixer->description.c_str(), nullptr);
            PanelRelease release{funcs, p->panel};
            if (p->panel && BuildControls(*p, *mixer)) {
                funcs->set(p->panel, PAN_USERDATA, p.get());
                funcs->set(p->panel, PAN_USEROPEN, reinterpret_cast<void *>(PanelOpened));
                funcs->set(p->panel, PAN_USERCLOSE, reinterpret_cast<void *>(PanelClosed));
                // The panel edits and moves tracks in place: until the rebuild when it closes, a
                // frame is answered by walking the tracks as they are.
                SetTrackIndexAside(*mixer);
                funcs->open(p->panel, PANF_BLOCKING);
            } else {
                result = MixerPanelError();
            }
            // Whether or not the host reported the close, the lists let go of the mixer here.
            p->clipList.Detach();
            p->trackList.Detach();
            p->mixer = nullptr;
        } else {
            result = MixerPanelError();
        }
        ShowMixerOutcome(RebuildAll(*mixer));
        return result;
    });
}
