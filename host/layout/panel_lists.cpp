// panel_lists.cpp: the multi-column list control of the simulated classic panel service.
#include "panel_lists.h"

namespace zkh {

namespace {

// Column count the host asks for at most: a module that never answers 0 still ends.
constexpr int kMaxColumns = 64;

const char kCheckMark[] = "\x03(i:MIMG_CHECKMARK)";

} // namespace

bool IsMultiList(const PanelControl &control) { return control.type == "MultiListBoxControl"; }

int ListRowCount(const PanelControl &control)
{
    if (!IsMultiList(control) || !control.desc.multiList.countFn)
        return 0;
    return control.desc.multiList.countFn(control.userData);
}

std::vector<int> ListColumnWidths(const PanelControl &control)
{
    std::vector<int> widths;
    if (!IsMultiList(control) || !control.desc.multiList.colWidth)
        return widths;
    for (int column = 0; column < kMaxColumns; ++column) {
        const int width = control.desc.multiList.colWidth(control.userData, column);
        if (width <= 0)
            break;
        widths.push_back(width);
    }
    return widths;
}

std::vector<std::string> ListRow(const PanelControl &control, int row)
{
    std::vector<std::string> cells;
    if (!IsMultiList(control))
        return cells;
    const size_t columns = ListColumnWidths(control).size();
    for (size_t column = 0; column < columns; ++column) {
        const char *text = control.desc.multiList.nameFn
                               ? control.desc.multiList.nameFn(control.userData, row, static_cast<int>(column))
                               : nullptr;
        cells.emplace_back(text ? text : "");
    }
    return cells;
}

std::vector<std::string> ListLines(const PanelControl &control)
{
    std::vector<std::string> lines;
    const int rows = ListRowCount(control);
    for (int row = -1; row < rows; ++row) {
        std::string line;
        const std::vector<std::string> cells = ListRow(control, row);
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                line += " | ";
            line += cells[i] == kCheckMark ? std::string("[x]") : cells[i];
        }
        lines.push_back(line);
    }
    return lines;
}

void ListSelect(PanelControl &control, int row, bool selecting)
{
    if (IsMultiList(control) && control.select)
        control.select(&control.record, control.userData, row, selecting ? 1 : 0);
}

int ListRedraws(const PanelControl &control)
{
    int count = 0;
    for (DrMode mode : control.draws)
        if (mode == DR_REFRESH || mode == DR_RENDER)
            ++count;
    return count;
}

} // namespace zkh
