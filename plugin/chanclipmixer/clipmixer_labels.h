// clipmixer_labels.h: the options panel's list headers, list buttons, File items and column titles.
#ifndef ZK_CLIPMIXER_LABELS_H
#define ZK_CLIPMIXER_LABELS_H

// The list headers and the File popup's label (the fields' labels are in the panel's field rows).
struct MixerLabels {
    const char *clipHeader;
    const char *trackHeader;
    const char *file;
};

struct ListButtonLabels {
    const char *add;
    const char *remove;
    const char *up;
    const char *down;
};

struct ListColumn {
    const char *title;
    int width;
};

// The tables of the language chosen at the last activation.
const MixerLabels &CurrentMixerLabels();
const ListButtonLabels &CurrentListButtonLabels();
// Null-terminated: Import, Export.
const char **CurrentFileItems();
// Column tables with their counts.
const ListColumn *CurrentClipColumns(int &count);
const ListColumn *CurrentTrackColumns(int &count);

#endif
