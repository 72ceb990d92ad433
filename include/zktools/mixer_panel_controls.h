/* mixer_panel_controls.h: the controls of a ZK:ChanClipMixer options panel by name.
 *
 * In the order the panel makes them: a control's place in the host's panel is its position in this
 * list. The module numbers its controls from it; a script or host driving the panel (zkhost) finds
 * a control by its name here, never by a number of its own. X(Name, "name") for each. */
#ifndef ZKTOOLS_MIXER_PANEL_CONTROLS_H
#define ZKTOOLS_MIXER_PANEL_CONTROLS_H

#define ZK_MIXER_PANEL_CONTROLS(X)          \
    X(ClipHeader, "clip_header")            \
    X(ClipName, "clip_name")                \
    X(ClipStep, "clip_step")                \
    X(ClipSequence, "clip_sequence")        \
    X(ClipList, "clip_list")                \
    X(ClipAdd, "clip_add")                  \
    X(ClipDelete, "clip_delete")            \
    X(ClipUp, "clip_up")                    \
    X(ClipDown, "clip_down")                \
    X(TrackHeader, "track_header")          \
    X(TrackEnable, "track_enable")          \
    X(TrackIn, "track_in")                  \
    X(TrackOut, "track_out")                \
    X(TrackRepeat, "track_repeat")          \
    X(TrackSequence, "track_sequence")      \
    X(TrackList, "track_list")              \
    X(TrackAdd, "track_add")                \
    X(TrackDelete, "track_delete")          \
    X(TrackUp, "track_up")                  \
    X(TrackDown, "track_down")              \
    X(File, "file")

#endif
