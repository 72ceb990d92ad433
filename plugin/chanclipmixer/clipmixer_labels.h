// clipmixer_labels.h: the options panel's labels, list buttons, File items and column titles.
#ifndef ZK_CLIPMIXER_LABELS_H
#define ZK_CLIPMIXER_LABELS_H

struct MixerLabels {
    const char *clipHeader;
    const char *name;
    const char *step;
    const char *clipSequence;
    const char *trackHeader;
    const char *enable;
    const char *in;
    const char *out;
    const char *repeat;
    const char *trackSequence;
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
