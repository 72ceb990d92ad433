/* frame_panel_controls.h: the controls of the ZK:CameraFrame options panel by name.
 *
 * In the order the panel makes them: a control's id in the host's panel is its position in this
 * list. The module declares its control ids from it; a script or host driving the panel (zkhost)
 * finds a control by its name here, never by a number of its own. X(Name, "name") for each. */
#ifndef ZKTOOLS_FRAME_PANEL_CONTROLS_H
#define ZKTOOLS_FRAME_PANEL_CONTROLS_H

#define ZK_FRAME_PANEL_CONTROLS(X)                        \
    X(Create, "create")                                   \
    X(Delete, "delete")                                   \
    X(EditSeparator, "edit_separator")                    \
    X(EditOn, "edit_on")                                  \
    X(EditOff, "edit_off")                                \
    X(Combined, "combined")                               \
    X(CombinedPick, "combined_pick")                      \
    X(CombinedColor, "combined_color")                    \
    X(CombinedTransparency, "combined_transparency")      \
    X(FrameSeparator, "frame_separator")                  \
    X(Frame, "frame")                                     \
    X(Name, "name")                                       \
    X(Active, "active")                                   \
    X(Camera, "camera")                                   \
    X(PosX, "position_x")                                 \
    X(PosY, "position_y")                                 \
    X(Calc, "calc")                                       \
    X(Width, "width")                                     \
    X(Height, "height")                                   \
    X(Aspect, "aspect")                                   \
    X(Rotate, "rotation")                                 \
    X(MarginWPercent, "margin_w_percent")                 \
    X(MarginHPercent, "margin_h_percent")                 \
    X(MarginWPixels, "margin_w_pixels")                   \
    X(MarginHPixels, "margin_h_pixels")                   \
    X(ColorPick, "color_pick")                            \
    X(Color, "color")                                     \
    X(Transparency, "transparency")                       \
    X(Memo, "memo")                                       \
    X(Focal, "focal_length")                              \
    X(GuideSeparator, "guide_separator")                  \
    X(Preset, "preset")                                   \
    X(Thirds, "thirds")                                   \
    X(Golden, "golden")                                   \
    X(Cross, "cross")                                     \
    X(Diagonals, "diagonals")                             \
    X(GuideOpacity, "guide_opacity")                      \
    X(TitleSafe, "title_safe")                            \
    X(TitleSafePercent, "title_safe_percent")             \
    X(ActionSafe, "action_safe")                          \
    X(ActionSafePercent, "action_safe_percent")           \
    X(BurnGuides, "burn_guides")

#endif
