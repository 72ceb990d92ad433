// panel_lists.h: the multi-column list control ("MultiListBoxControl") of the classic panel service.
//
// The list holds no rows of its own: it asks the module through its descriptor's callbacks for
// the row count, the text of a cell (the column titles at row -1) and the column widths, and
// tells it of clicks on rows. The callbacks receive the control's CTL_USERDATA.
#ifndef ZKH_PANEL_LISTS_H
#define ZKH_PANEL_LISTS_H

#include "panels.h"

#include <string>
#include <vector>

namespace zkh {

bool IsMultiList(const PanelControl &control);

// The row count the module reports (0 without a count callback).
int ListRowCount(const PanelControl &control);

// Column widths, up to the first column the module answers 0 for.
std::vector<int> ListColumnWidths(const PanelControl &control);

// The cells of one row (row -1: the titles), one per column of ListColumnWidths; a null text is
// the empty text.
std::vector<std::string> ListRow(const PanelControl &control, int row);

// The titles and every row, cells separated by " | " (the check-mark marker shown as "[x]").
std::vector<std::string> ListLines(const PanelControl &control);

// A click on a row as the user makes it: the row with its new selected state.
void ListSelect(PanelControl &control, int row, bool selecting);

// How many times the module asked the list to redraw itself (DR_REFRESH or DR_RENDER).
int ListRedraws(const PanelControl &control);

} // namespace zkh

#endif
