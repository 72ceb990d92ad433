// clipmixer_listbox.h: RecordListBox, a multi-column list of the clips or tracks of a mixer
// with its Add, Delete, Up and Down buttons.
#ifndef ZK_CLIPMIXER_LISTBOX_H
#define ZK_CLIPMIXER_LISTBOX_H

#include "lwhost/lwhost.h"
#include "clipmixer.h"

#include <string>

// The options panel's size; the lists are 40 narrower than the panel.
constexpr int kMixerPanelWidth = 380;
constexpr int kMixerPanelHeight = 630;

enum class RecordKind { Clips, Tracks };

class RecordListBox {
public:
    // Called with the row whenever a click on the list was handled (row -1: the titles).
    using OwnerCallback = void (*)(void *ownerData, int row);

    // Adds the list at (x, y) and the four buttons at buttonY; false when the host refused one.
    bool Create(LWPanelFuncs &funcs, LWPanelID panel, RecordKind kind, int visibleRows, int x, int y, int buttonY,
                ClipMixer &mixer, OwnerCallback owner, void *ownerData);
    // After the panel closed: the list shows no rows and changes nothing.
    void Detach() { mixer_ = nullptr; }

    int RowCount() const;
    bool IsSelected(int row) const;
    bool AnySelected() const;
    // The click on row r with flag f, as the host reports it.
    void Select(int row, int flag);
    void Redraw();

    void AddRecord();
    void DeleteSelected();
    void MoveUp();
    void MoveDown();

    // Cell text: column titles at row -1, null beyond the last column or row.
    const char *CellText(int column, int row);
    int ColumnWidth(int column) const;

    ClipMixer *Mixer() const { return mixer_; }
    LWControlID Control() const { return list_; }

private:
    void SetSelected(int row, bool selected);
    void Swap(int a, int b);

    LWControlID list_ = nullptr;
    LWControlID buttons_[4] = {};
    ClipMixer *mixer_ = nullptr;
    RecordKind kind_ = RecordKind::Clips;
    OwnerCallback owner_ = nullptr;
    void *ownerData_ = nullptr;
    std::string cell_; // the text handed out last
};

#endif
