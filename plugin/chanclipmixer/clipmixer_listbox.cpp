// clipmixer_listbox.cpp: the clip and track lists of the options panel.
#include "clipmixer_listbox.h"

#include "../common/lwcontrol.h"
#include "../common/lwguard.h"
#include "../common/lwtool2.h"
#include "clipmixer_labels.h"

#include <utility>

namespace {

// The host panel's rich-text marker with its built-in check-mark image.
const char kCheckMark[] = "\x03(i:MIMG_CHECKMARK)";

RecordListBox *Box(void *userData) { return static_cast<RecordListBox *>(userData); }

const char *NameCallback(void *userData, int row, int column)
{
    return GuardedOr(static_cast<const char *>(nullptr), [&] { return Box(userData)->CellText(column, row); });
}

int CountCallback(void *userData)
{
    return GuardedOr(0, [&] { return Box(userData)->RowCount(); });
}

int WidthCallback(void *userData, int column)
{
    return GuardedOr(0, [&] { return Box(userData)->ColumnWidth(column); });
}

// The host names no meaning for the answer; 1 says the list took the click.
int SelectCallback(LWControlID, void *userData, int row, int selecting)
{
    Guarded([&] { Box(userData)->Select(row, selecting); });
    return 1;
}

void AddEvent(LWControlID, void *userData)
{
    Guarded([&] { Box(userData)->AddRecord(); });
}

void DeleteEvent(LWControlID, void *userData)
{
    Guarded([&] { Box(userData)->DeleteSelected(); });
}

void UpEvent(LWControlID, void *userData)
{
    Guarded([&] { Box(userData)->MoveUp(); });
}

void DownEvent(LWControlID, void *userData)
{
    Guarded([&] { Box(userData)->MoveDown(); });
}

} // namespace

bool RecordListBox::Create(LWPanelFuncs &funcs, LWPanelID panel, RecordKind kind, int visibleRows, int x, int y,
                           int buttonY, ClipMixer &mixer, OwnerCallback owner, void *ownerData)
{
    kind_ = kind;
    mixer_ = &mixer;
    owner_ = owner;
    ownerData_ = ownerData;

    const int listWidth = kMixerPanelWidth - 40;
    LWPanControlDesc desc{};
    desc.multiList.type = LWT_MLIST;
    desc.multiList.width = listWidth;
    desc.multiList.visItems = visibleRows;
    desc.multiList.nameFn = NameCallback;
    desc.multiList.countFn = CountCallback;
    desc.multiList.colWidth = WidthCallback;
    list_ = funcs.addControl(panel, "MultiListBoxControl", &desc, "");
    if (!list_)
        return false;
    SetControlPointer(list_, CTL_USERDATA, this);
    SetControlPointer(list_, CTL_SELECTEVENT, reinterpret_cast<void *>(SelectCallback));
    SetControlInt(list_, CTL_X, x);
    SetControlInt(list_, CTL_Y, y);

    const ListButtonLabels &labels = CurrentListButtonLabels();
    const char *const names[4] = {labels.add, labels.remove, labels.up, labels.down};
    LWCtlEventFunc const events[4] = {AddEvent, DeleteEvent, UpEvent, DownEvent};
    const int quarter = listWidth / 4;
    for (int i = 0; i < 4; ++i) {
        LWPanControlDesc area{};
        area.area.type = LWT_AREA;
        area.area.width = quarter - 2;
        area.area.height = 0;
        buttons_[i] = funcs.addControl(panel, "ButtonControl", &area, names[i]);
        if (!buttons_[i])
            return false;
        SetControlInt(buttons_[i], CTL_X, i == 0 ? 4 : i * quarter + 4);
        SetControlInt(buttons_[i], CTL_Y, buttonY);
        SetControlPointer(buttons_[i], CTL_USERDATA, this);
        SetControlPointer(buttons_[i], CTL_USEREVENT, reinterpret_cast<void *>(events[i]));
    }
    return true;
}

int RecordListBox::RowCount() const
{
    if (!mixer_)
        return 0;
    return static_cast<int>(kind_ == RecordKind::Clips ? mixer_->clips.size() : mixer_->tracks.size());
}

bool RecordListBox::IsSelected(int row) const
{
    if (row < 0 || row >= RowCount())
        return false;
    return kind_ == RecordKind::Clips ? mixer_->clips[row]->selected : mixer_->tracks[row]->selected;
}

void RecordListBox::SetSelected(int row, bool selected)
{
    if (row < 0 || row >= RowCount())
        return;
    if (kind_ == RecordKind::Clips)
        mixer_->clips[row]->selected = selected;
    else
        mixer_->tracks[row]->selected = selected;
}

bool RecordListBox::AnySelected() const
{
    for (int row = 0; row < RowCount(); ++row)
        if (IsSelected(row))
            return true;
    return false;
}

void RecordListBox::Swap(int a, int b)
{
    if (kind_ == RecordKind::Clips)
        std::swap(mixer_->clips[a], mixer_->clips[b]);
    else
        std::swap(mixer_->tracks[a], mixer_->tracks[b]);
}

void RecordListBox::Select(int row, int flag)
{
    const int count = RowCount();
    if (row < 0) {
        for (int i = 0; i < count; ++i)
            SetSelected(i, false);
        if (row < -1)
            return;
    } else if (row < count) {
        SetSelected(row, flag != 0);
    }
    if (row < count && owner_)
        owner_(ownerData_, row);
}

void RecordListBox::Redraw()
{
    if (list_ && list_->draw)
        list_->draw(list_, DR_REFRESH);
}

void RecordListBox::AddRecord()
{
    if (!mixer_)
        return;
    if (kind_ == RecordKind::Clips)
        AddClip(*mixer_);
    else
        AddTrack(*mixer_);
    Select(-1, 0);
    Select(RowCount() - 1, 1);
    Redraw();
}

void RecordListBox::DeleteSelected()
{
    if (!mixer_)
        return;
    for (int row = RowCount() - 1; row >= 0; --row) {
        if (!IsSelected(row))
            continue;
        if (kind_ == RecordKind::Clips)
            RemoveClip(*mixer_, static_cast<size_t>(row));
        else
            RemoveTrack(*mixer_, static_cast<size_t>(row));
    }
    Redraw();
}

void RecordListBox::MoveUp()
{
    const int count = RowCount();
    if (!AnySelected())
        return;
    for (int i = 1; i < count; ++i)
        if (IsSelected(i) && !IsSelected(i - 1))
            Swap(i, i - 1);
    Redraw();
}

void RecordListBox::MoveDown()
{
    const int count = RowCount();
    if (!AnySelected())
        return;
    for (int i = count - 2; i >= 0; --i)
        if (IsSelected(i) && !IsSelected(i + 1))
            Swap(i, i + 1);
    Redraw();
}

const char *RecordListBox::CellText(int column, int row)
{
    int columns = 0;
    const ListColumn *titles = kind_ == RecordKind::Clips ? CurrentClipColumns(columns) : CurrentTrackColumns(columns);
    if (column < 0 || column >= columns || row < -1 || row >= RowCount())
        return nullptr;
    if (row == -1)
        return titles[column].title;
    if (kind_ == RecordKind::Clips) {
        const Clip &clip = *mixer_->clips[row];
        switch (column) {
        case 0: cell_ = clip.name; break;
        case 1: cell_ = FormatString("%d", static_cast<int>(clip.step)); break;
        default: cell_ = clip.sequence; break;
        }
    } else {
        const Track &track = *mixer_->tracks[row];
        switch (column) {
        case 0: cell_ = track.enable ? kCheckMark : ""; break;
        case 1: cell_ = FormatString("%d", static_cast<int>(track.in)); break;
        case 2: cell_ = FormatString("%d", static_cast<int>(track.out)); break;
        case 3: cell_ = track.repeat ? kCheckMark : ""; break;
        default: cell_ = track.sequence; break;
        }
    }
    return cell_.c_str();
}

int RecordListBox::ColumnWidth(int column) const
{
    int columns = 0;
    const ListColumn *titles = kind_ == RecordKind::Clips ? CurrentClipColumns(columns) : CurrentTrackColumns(columns);
    return column >= 0 && column < columns ? titles[column].width : 0;
}
