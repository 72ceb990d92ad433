// panel_picture.h: pictures of the host's panels as the user sees them: every control's box and
// label with the value it shows (numbers, texts, chosen popup entries, check boxes, colours,
// list rows).
#ifndef ZKH_PANEL_PICTURE_H
#define ZKH_PANEL_PICTURE_H

#include "drawing_raster.h"
#include "panels.h"
#include "xpanels.h"

#include <string>
#include <vector>

namespace zkh {

struct PanelPicture {
    int width = 0, height = 0;
    std::vector<DrawCall> calls;
};

// A classic panel at its own size, its controls where the module placed them.
PanelPicture ClassicPanelPicture(const Panel &panel);

// A view panel: the host lays its controls out one per row, labels on the left, values read
// through the panel's get callback.
PanelPicture ViewPanelPicture(XPanels &service, XPanel &panel);

// Writes a picture as PNG on the panels' grey; false when the file cannot be written.
bool WritePanelPicture(const PanelPicture &picture, const std::string &path);

// The text a control shows as its value ("" for controls without one): numbers as the fields
// show them, the chosen entry of popups, the text of edit fields, "r g b" for colours.
std::string ShownValue(const PanelControl &control);

} // namespace zkh

#endif
