/* morph_panel_controls.h: the controls of the ZK:MorphConsolidate command panel by name.
 *
 * In the order the panel makes them: a control's place in the host's panel is its position in this
 * list. The module numbers its controls from it; a script or host driving the panel (zkhost) finds
 * a control by its name here, never by a number or a label of its own. X(Name, "name") for each. */
#ifndef ZKTOOLS_MORPH_PANEL_CONTROLS_H
#define ZKTOOLS_MORPH_PANEL_CONTROLS_H

#define ZK_MORPH_PANEL_CONTROLS(X)       \
    X(Tab, "tab")                        \
    X(Border, "border")                  \
    X(Controller, "controller")          \
    X(Prefix, "prefix")                  \
    X(RemoveExpressions, "remove_expressions")

#endif
