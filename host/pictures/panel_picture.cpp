// panel_picture.cpp: panels painted with their values.
#include "panel_picture.h"

#include "panel_lists.h"
#include "picture_calls.h"
#include "picture_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zkh {

namespace {

const Rgba kField{0.75f, 0.75f, 0.78f, 1.0f};
const Rgba kFieldGhosted{0.35f, 0.35f, 0.35f, 1.0f};
const Rgba kLabel{1.0f, 1.0f, 1.0f, 1.0f};
const Rgba kLabelGhosted{0.55f, 0.55f, 0.55f, 1.0f};
const Rgba kValue{0.08f, 0.08f, 0.1f, 1.0f};
const Rgba kValueGhosted{0.2f, 0.2f, 0.2f, 1.0f};
const Rgba kListLine{0.6f, 0.6f, 0.63f, 1.0f};
const std::array<unsigned char, 3> kPanelGround{48, 48, 52};
// Pixels between a label and its field.
constexpr int kLabelGap = 4;

// The host's rich-text markers ("\x03(i:IMAGE)") shown as plain text: a check mark as "x",
// other images left out.
std::string PlainText(const std::string &text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\x03' && i + 1 < text.size() && text[i + 1] == '(') {
            const size_t close = text.find(')', i);
            if (close == std::string::npos)
                break;
            if (text.compare(i + 2, close - i - 2, "i:MIMG_CHECKMARK") == 0)
                plain += 'x';
            i = close;
            continue;
        }
        plain += text[i];
    }
    const size_t start = plain.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : plain.substr(start);
}

std::string Number(double value, const char *format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string PopupEntry(const PanelControl &control)
{
    const int index = control.intValue;
    if (control.type == "CustomPopupControl") {
        const LWPanPopupDesc &popup = control.desc.popup;
        if (!popup.countFn || !popup.nameFn || index < 0 || index >= popup.countFn(control.userData))
            return "";
        const char *name = popup.nameFn(control.userData, index);
        return name ? name : "";
    }
    if (index < 0 || static_cast<size_t>(index) >= control.items.size())
        return "";
    return control.items[static_cast<size_t>(index)];
}

bool IsPopup(const std::string &type)
{
    return type == "PopupControl" || type == "CustomPopupControl" || type == "ChoiceControl" ||
           type == "HChoiceControl" || type == "VChoiceControl" || type == "TabChoiceControl" || type == "PopDownControl";
}

// Choices shown side by side, the chosen one lit.
bool IsRowOfChoices(const std::string &type) { return type == "TabChoiceControl" || type == "HChoiceControl"; }

bool IsCheckBox(const std::string &type) { return type == "BoolControl" || type == "BoolButtonControl"; }

std::string ColourText(int r, int g, int b)
{
    return std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b);
}

// A colour swatch and its numbers from 0 to 255.
void Colour(std::vector<DrawCall> &calls, int x, int y, int w, int h, const int rgb[3], const Rgba &ink)
{
    AddRect(calls, x + 1, y + 1, h - 2, h - 2, ink);
    AddRect(calls, x + 2, y + 2, h - 4, h - 4,
            {std::clamp(rgb[0], 0, 255) / 255.0f, std::clamp(rgb[1], 0, 255) / 255.0f,
             std::clamp(rgb[2], 0, 255) / 255.0f, 1.0f});
    AddText(calls, x + h + 2, TextBaseline(y, h), FitTextToWidth(ColourText(rgb[0], rgb[1], rgb[2]), w - h - 4), ink);
}

void Choices(std::vector<DrawCall> &calls, const PanelControl &control, int x, bool ghosted)
{
    for (size_t i = 0; i < control.items.size(); ++i) {
        const std::string &item = control.items[i];
        const int w = TextWidthInPicture(item) + 24;
        const bool chosen = static_cast<int>(i) == control.intValue;
        AddRect(calls, x, control.y, w - 2, control.h,
                chosen ? (ghosted ? kFieldGhosted : kField) : Rgba{0.28f, 0.28f, 0.3f, 1.0f});
        AddText(calls, x + w / 2 - 1, TextBaseline(control.y, control.h), item,
                chosen ? (ghosted ? kValueGhosted : kValue) : kLabel, LWJUST_CENTER);
        x += w;
    }
}

void CheckBox(std::vector<DrawCall> &calls, int x, int y, int h, bool on, const Rgba &ink)
{
    if (on)
        AddRect(calls, x + 5, y + (h - 10) / 2, 10, 10, ink);
}

// The title row and the rows that fit, columns at their widths.
void ListRows(std::vector<DrawCall> &calls, const PanelControl &control, int x, int w, const Rgba &ink)
{
    const std::vector<int> widths = ListColumnWidths(control);
    const int rowH = PanelService::kListRowHeight;
    const int rows = std::max(0, control.h / rowH - 1);
    const int count = ListRowCount(control);
    for (int row = -1; row < std::min(rows, count); ++row) {
        const int y = control.y + rowH * (row + 1);
        const std::vector<std::string> cells = ListRow(control, row);
        int cx = x;
        for (size_t column = 0; column < cells.size() && column < widths.size(); ++column) {
            const int cw = std::min(widths[column], x + w - cx);
            if (cw <= 4)
                break;
            AddText(calls, cx + 3, TextBaseline(y, rowH), FitTextToWidth(PlainText(cells[column]), cw - 6), ink);
            cx += widths[column];
        }
        if (row == -1)
            AddLine(calls, x, y + rowH - 1, x + w - 1, y + rowH - 1, kListLine);
    }
}

} // namespace

std::string ShownValue(const PanelControl &control)
{
    if (IsPopup(control.type))
        return PopupEntry(control);
    switch (control.kind) {
    case ValueKind::Int: return IsCheckBox(control.type) ? (control.intValue ? "on" : "off") : std::to_string(control.intValue);
    case ValueKind::Float:
        if (control.type == "PercentControl" || control.type == "MiniPercentControl")
            return Number(control.floatValue, "%g %%");
        if (control.type == "AngleControl" || control.type == "MiniAngleControl") // held in radians
            return Number(control.floatValue * 180.0 / 3.14159265358979323846, "%.4g\xC2\xB0");
        return Number(control.floatValue, "%g");
    case ValueKind::Text: return control.text;
    case ValueKind::IntVector: return ColourText(control.ivec[0], control.ivec[1], control.ivec[2]);
    case ValueKind::FloatVector:
        return Number(control.fvec[0], "%g") + " " + Number(control.fvec[1], "%g") + " " + Number(control.fvec[2], "%g");
    case ValueKind::None: break;
    }
    return "";
}

PanelPicture ClassicPanelPicture(const Panel &panel)
{
    PanelPicture picture;
    picture.width = panel.w;
    picture.height = panel.h;
    for (const auto &control : panel.controls) {
        if (!control->visible)
            continue;
        const bool ghosted = control->ghosted;
        const Rgba &ink = ghosted ? kValueGhosted : kValue;
        const std::string label = PlainText(control->label);
        if (control->type == "TextControl" || control->type == "BorderControl") {
            if (!label.empty())
                AddText(picture.calls, control->x, TextBaseline(control->y, control->h), label,
                        ghosted ? kLabelGhosted : kLabel);
            else if (control->type == "BorderControl")
                AddRect(picture.calls, control->x, control->y, control->w, std::max(1, control->h / 2), kListLine);
            continue;
        }
        if (IsRowOfChoices(control->type)) {
            Choices(picture.calls, *control, control->HotX(), ghosted);
            continue;
        }
        const bool button = control->type == "ButtonControl";
        const int fieldX = button ? control->x : control->HotX();
        const int fieldW = std::max(4, control->w - (button ? 0 : control->labelWidth));
        AddRect(picture.calls, fieldX, control->y, fieldW, control->h, ghosted ? kFieldGhosted : kField);
        if (button) {
            AddText(picture.calls, fieldX + fieldW / 2, TextBaseline(control->y, control->h), FitTextToWidth(label, fieldW - 4), ink,
                    LWJUST_CENTER);
            continue;
        }
        // Labels stand right-justified against their field, as Layout's panels draw them.
        if (!label.empty())
            AddText(picture.calls, fieldX - kLabelGap, TextBaseline(control->y, std::min(control->h, 20)), label,
                    ghosted ? kLabelGhosted : kLabel, LWJUST_RIGHT);
        if (IsMultiList(*control))
            ListRows(picture.calls, *control, fieldX, fieldW, ink);
        else if (IsCheckBox(control->type))
            CheckBox(picture.calls, fieldX, control->y, control->h, control->intValue != 0, ink);
        else if (control->kind == ValueKind::IntVector)
            Colour(picture.calls, fieldX, control->y, fieldW, control->h, control->ivec, ink);
        else
            AddText(picture.calls, fieldX + 4, TextBaseline(control->y, control->h), FitTextToWidth(ShownValue(*control), fieldW - 8),
                    ink);
    }
    return picture;
}

PanelPicture ViewPanelPicture(XPanels &service, XPanel &panel)
{
    constexpr int kRow = 24, kFieldW = 220, kMargin = 8;
    // The labels' column is as wide as the widest label (and at least 108 pixels).
    int labelsWidth = 108;
    for (const XPanelControl &control : panel.controls)
        if (control.ctrlclass != "vButton")
            labelsWidth = std::max(labelsWidth, TextWidthInPicture(control.label));
    const int labelRight = kMargin + labelsWidth, fieldX = labelRight + 2 * kLabelGap;
    PanelPicture picture;
    picture.width = fieldX + kFieldW + kMargin;
    int y = kMargin;
    if (!panel.title.empty()) {
        AddText(picture.calls, kMargin, TextBaseline(y, kRow), FitTextToWidth(panel.title, picture.width - 2 * kMargin), kLabel);
        y += kRow;
    }
    int buttonX = -1; // where the next button goes on the row of buttons being filled, or -1
    for (const XPanelControl &control : panel.controls) {
        const int h = kRow - 4;
        if (control.ctrlclass == "vButton") {
            // Buttons that follow one another share a row while they fit.
            const int w = std::max(60, TextWidthInPicture(control.label) + 16);
            if (buttonX >= 0 && buttonX + w > fieldX + kFieldW) {
                y += kRow;
                buttonX = -1;
            }
            const int x = buttonX >= 0 ? buttonX : fieldX;
            AddRect(picture.calls, x, y, w, h, kField);
            AddText(picture.calls, x + w / 2, TextBaseline(y, h), control.label, kValue, LWJUST_CENTER);
            buttonX = x + w + 4;
            continue;
        }
        if (buttonX >= 0) {
            y += kRow;
            buttonX = -1;
        }
        AddText(picture.calls, labelRight, TextBaseline(y, h), control.label, kLabel, LWJUST_RIGHT);
        const XPanelValue value = service.Get(panel, control.cid);
        const bool check = control.ctrlclass == "iBoolean";
        AddRect(picture.calls, fieldX, y, check ? 20 : kFieldW, h, kField);
        if (value.present) {
            if (check) {
                CheckBox(picture.calls, fieldX, y, h, value.integer != 0, kValue);
            } else if (control.dataType == "color") {
                int rgb[3];
                for (int i = 0; i < 3; ++i) // as the panel shows it: 0..255, NaN as 0
                    rgb[i] = std::isnan(value.color[i]) ? 0 : static_cast<int>(std::clamp(value.color[i], 0.0, 1.0) * 255);
                Colour(picture.calls, fieldX, y, kFieldW, h, rgb, kValue);
            } else {
                std::string text = control.dataType == "string" ? value.text : std::to_string(value.integer);
                if (control.popCount) {
                    const std::vector<std::string> items = service.PopupItems(panel, control.cid);
                    text = value.integer >= 0 && static_cast<size_t>(value.integer) < items.size()
                               ? items[static_cast<size_t>(value.integer)]
                               : "";
                }
                AddText(picture.calls, fieldX + 4, TextBaseline(y, h), FitTextToWidth(text, kFieldW - 8), kValue);
            }
        }
        y += kRow;
    }
    if (buttonX >= 0)
        y += kRow;
    picture.height = y + kMargin;
    return picture;
}

bool WritePanelPicture(const PanelPicture &picture, const std::string &path)
{
    return RasterizeToPng(picture.calls, picture.width, picture.height, path, kPanelGround);
}

} // namespace zkh
