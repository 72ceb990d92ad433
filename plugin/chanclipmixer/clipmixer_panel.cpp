// clipmixer_panel.cpp: the modal options panel of a clip mixer instance.
//
// Every edit is made on the instance's records as it happens; when the panel closes, however it
// was closed, the mixer is compiled with RebuildAll.
#include "clipmixer_panel.h"

#include "../common/lwcontrol.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"
#include "clipmixer.h"
#include "chanclipmixer_servers.h"
#include "clipmixer_file.h"
#include "clipmixer_labels.h"
#include "clipmixer_listbox.h"
#include "clipmixer_messages.h"
#include "zktools/mixer_panel_controls.h"

#include <cstring>
#include <iterator>
#include <memory>

namespace {

constexpr int kFieldX = 72;             // where every labelled field starts
constexpr int kTextBufferLength = 512;  // text fields hold at most 511 bytes

// The last file imported or exported, shared by every instance of the process.
std::string g_lastMixerPath;

// The panel's controls, numbered by their place in the shared list: the host numbers them in the
// order they are made, and a script finds them by the list's names.
enum MixerControlId {
#define ZK_MIXER_CONTROL_ID(name, text) kMixer##name,
    ZK_MIXER_PANEL_CONTROLS(ZK_MIXER_CONTROL_ID)
#undef ZK_MIXER_CONTROL_ID
    kMixerControlCount
};
// A record list makes its list control, then its add, delete, up and down buttons.
static_assert(kMixerClipDown == kMixerClipList + 4 && kMixerTrackDown == kMixerTrackList + 4,
              "a list's four buttons follow it");

// A field under a list: it shows and edits one member of the selected clip or track. A row says
// its control, its labels, its place and the member.
enum class FieldKind { Text, Number, Flag };

template <typename Record> struct FieldRow {
    MixerControlId id;
    FieldKind kind;
    int width; // text fields: characters
    const char *english, *japanese;
    int y;
    std::string Record::*text;
    std::int32_t Record::*number;
    bool Record::*flag;
};

constexpr FieldRow<Clip> kClipFields[] = {
    {kMixerClipName, FieldKind::Text, 12, "Name", "名前", 20, &Clip::name, nullptr, nullptr},
    {kMixerClipStep, FieldKind::Number, 0, "Step", "ステップ", 40, nullptr, &Clip::step, nullptr},
    {kMixerClipSequence, FieldKind::Text, 40, "Sequence", "シーケンス", 60, &Clip::sequence, nullptr, nullptr},
};
constexpr FieldRow<Track> kTrackFields[] = {
    {kMixerTrackEnable, FieldKind::Flag, 0, "Enable", "有効", 292, nullptr, nullptr, &Track::enable},
    {kMixerTrackIn, FieldKind::Number, 0, "In", "イン", 312, nullptr, &Track::in, nullptr},
    {kMixerTrackOut, FieldKind::Number, 0, "Out", "アウト", 332, nullptr, &Track::out, nullptr},
    {kMixerTrackRepeat, FieldKind::Flag, 0, "Repeat", "リピート", 352, nullptr, nullptr, &Track::repeat},
    {kMixerTrackSequence, FieldKind::Text, 40, "Sequence", "シーケンス", 372, &Track::sequence, nullptr, nullptr},
};
constexpr int kClipFieldCount = static_cast<int>(std::size(kClipFields));
constexpr int kTrackFieldCount = static_cast<int>(std::size(kTrackFields));

struct MixerPanel {
    LWPanelFuncs *funcs = nullptr;
    LWPanelID panel = nullptr;
    LWControlID clipHeader = nullptr, trackHeader = nullptr, filePopup = nullptr;
    LWControlID clipFields[kClipFieldCount] = {};
    LWControlID trackFields[kTrackFieldCount] = {};
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

template <typename Record> void ShowField(LWControlID control, const FieldRow<Record> &row, const Record &record)
{
    switch (row.kind) {
    case FieldKind::Text: SetTextValue(control, record.*row.text); break;
    case FieldKind::Number: SetControlInt(control, CTL_VALUE, record.*row.number); break;
    case FieldKind::Flag: SetControlInt(control, CTL_VALUE, record.*row.flag ? 1 : 0); break;
    }
}

template <typename Record> void TakeField(LWControlID control, const FieldRow<Record> &row, Record &record)
{
    switch (row.kind) {
    case FieldKind::Text: record.*row.text = GetControlText(control, kTextBufferLength - 1); break;
    case FieldKind::Number: record.*row.number = GetControlInt(control, CTL_VALUE); break;
    case FieldKind::Flag: record.*row.flag = GetControlInt(control, CTL_VALUE) == 1; break;
    }
}

// Shows the record of a list's row in the fields under the list.
template <typename Record, size_t N>
void ShowFields(const std::vector<std::unique_ptr<Record>> &records, int row, const FieldRow<Record> (&rows)[N],
                LWControlID (&controls)[N])
{
    if (row < 0 || row >= static_cast<int>(records.size()))
        return;
    for (size_t i = 0; i < N; ++i)
        ShowField(controls[i], rows[i], *records[static_cast<size_t>(row)]);
}

// An edit of one field, taken into every selected record of its list.
template <typename Record, size_t N>
void TakeFields(std::vector<std::unique_ptr<Record>> &records, LWControlID control, const FieldRow<Record> (&rows)[N],
                LWControlID (&controls)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (controls[i] == control)
            for (auto &record : records)
                if (record->selected)
                    TakeField(control, rows[i], *record);
}

void LoadClipFields(void *data, int row)
{
    MixerPanel &p = *PanelOf(data);
    if (p.mixer)
        ShowFields(p.mixer->clips, row, kClipFields, p.clipFields);
}

void LoadTrackFields(void *data, int row)
{
    MixerPanel &p = *PanelOf(data);
    if (p.mixer)
        ShowFields(p.mixer->tracks, row, kTrackFields, p.trackFields);
}

void ClipFieldEvent(LWControlID control, void *data)
{
    Guarded([&] {
        MixerPanel &p = *PanelOf(data);
        if (!p.mixer)
            return;
        TakeFields(p.mixer->clips, control, kClipFields, p.clipFields);
        p.clipList.Redraw();
    });
}

void TrackFieldEvent(LWControlID control, void *data)
{
    Guarded([&] {
        MixerPanel &p = *PanelOf(data);
        if (!p.mixer)
            return;
        TakeFields(p.mixer->tracks, control, kTrackFields, p.trackFields);
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

// The control of a field row: a text field, a number or a check box, with its side label.
template <typename Record>
LWControlID AddFieldRow(MixerPanel &p, const FieldRow<Record> &row, bool japanese, LWCtlEventFunc event)
{
    LWPanControlDesc desc{};
    const char *type = "EditControl";
    switch (row.kind) {
    case FieldKind::Text:
        desc.string.type = LWT_STRING;
        desc.string.width = row.width;
        break;
    case FieldKind::Number:
        desc.type = LWT_INTEGER;
        type = "NumControl";
        break;
    case FieldKind::Flag:
        desc.type = LWT_BOOLEAN;
        type = "BoolControl";
        break;
    }
    return AddField(p, type, desc, japanese ? row.japanese : row.english, row.y, event);
}

// Counts the controls as the host numbers them: each one made must be the one the shared list
// has at that place.
struct ControlCount {
    int made = 0;
    bool inOrder = true;
    void Made(MixerControlId id, int controls = 1)
    {
        inOrder = inOrder && id == made;
        made += controls;
    }
};

// Adds every control, in the order of the shared list; false when the host refused one.
bool BuildControls(MixerPanel &p, ClipMixer &mixer)
{
    const MixerLabels &labels = CurrentMixerLabels();
    const bool japanese = g_clipMixerLanguage == UiLanguage::Japanese;
    bool made = true;
    ControlCount count;

    p.clipHeader = AddHeader(p, labels.clipHeader, 0);
    count.Made(kMixerClipHeader);
    for (int i = 0; i < kClipFieldCount; ++i) {
        made = (p.clipFields[i] = AddFieldRow(p, kClipFields[i], japanese, ClipFieldEvent)) && made;
        count.Made(kClipFields[i].id);
    }
    if (!p.clipList.Create(*p.funcs, p.panel, RecordKind::Clips, 8, 4, 84, 251, mixer, LoadClipFields, &p))
        return false;
    count.Made(kMixerClipList, 5);

    p.trackHeader = AddHeader(p, labels.trackHeader, 272);
    count.Made(kMixerTrackHeader);
    for (int i = 0; i < kTrackFieldCount; ++i) {
        made = (p.trackFields[i] = AddFieldRow(p, kTrackFields[i], japanese, TrackFieldEvent)) && made;
        count.Made(kTrackFields[i].id);
    }
    if (!p.trackList.Create(*p.funcs, p.panel, RecordKind::Tracks, 6, 4, 396, 533, mixer, LoadTrackFields, &p))
        return false;
    count.Made(kMixerTrackList, 5);

    LWPanControlDesc desc{};
    desc.choice.type = LWT_CHOICE;
    desc.choice.items = CurrentFileItems();
    desc.choice.vertical = 120;
    // The popup's field starts at x = 4.
    p.filePopup = p.funcs->addControl(p.panel, "PopupControl", &desc, labels.file);
    count.Made(kMixerFile);
    if (p.filePopup) {
        SetControlInt(p.filePopup, CTL_X, 4 - GetControlInt(p.filePopup, CTL_LABELWIDTH));
        SetControlInt(p.filePopup, CTL_Y, 571);
        SetControlPointer(p.filePopup, CTL_USERDATA, &p);
        SetControlPointer(p.filePopup, CTL_USEREVENT, reinterpret_cast<void *>(FileEvent));
    }
    return made && p.clipHeader && p.trackHeader && p.filePopup && count.inOrder && count.made == kMixerControlCount;
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
