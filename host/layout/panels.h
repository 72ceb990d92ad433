// panels.h: the classic panel service ("LWPanelServices 3") of the simulated host.
//
// Panels hold controls created by type name. Tests and the runner act as the user: they set
// control values and fire the controls' events, send mouse, key and wheel events to an open
// panel, and answer modal panels through a script that runs while the panel is open.
#ifndef ZKH_PANELS_H
#define ZKH_PANELS_H

#include "lwhost/lwhost.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zkh {

struct Panel;

// What a control holds as its value.
enum class ValueKind { None, Int, Float, Text, IntVector, FloatVector };

struct PanelControl {
    LWControl record{}; // handed to the module; priv_data points back here
    Panel *panel = nullptr;
    std::string type;
    std::string label;
    LWPanControlDesc desc{};
    std::vector<std::string> items; // choice entries, copied from the descriptor
    ValueKind kind = ValueKind::None;

    int x = 0, y = 0, w = 0, h = 20;
    int labelWidth = 0;
    bool ghosted = false;
    bool visible = true;
    int flags = 0;
    int rangeMin = 0, rangeMax = 0;

    int intValue = 0;
    double floatValue = 0.0;
    std::string text;
    int ivec[3] = {0, 0, 0};
    double fvec[3] = {0, 0, 0};

    LWCtlEventFunc event = nullptr;
    LWCtlSelectHook select = nullptr; // multi-column lists
    void *userData = nullptr;
    void *userDraw = nullptr;
    std::vector<DrMode> draws; // every draw request, in order

    int HotX() const { return x + labelWidth; }
};

struct Panel {
    std::string title;
    int x = 0, y = 0, w = 200, h = 100;
    bool open = false;
    bool inModalOpen = false; // a blocking open has not returned yet
    bool destroyed = false;
    int openFlags = 0;
    int result = 0; // a modal panel: 1 OK, 0 Cancel
    void *userData = nullptr;
    void *lwInstance = nullptr;
    std::map<int, int> values;   // other numeric tags (25 .. 29, flags, ...)
    std::map<int, void *> hooks; // hook tags
    std::vector<std::unique_ptr<PanelControl>> controls;
    int nextY = 4; // where the next control is placed
};

class PanelService {
public:
    PanelService();

    // The host's function table; its globalFun field is the module's to set.
    LWPanelFuncs *Funcs() { return &funcs_; }

    // Panels that exist, oldest first; the last opened one.
    std::vector<Panel *> Panels();
    Panel *LastOpened() { return lastOpened_; }

    // Finds a control by its label (or by "#n", its position in creation order).
    static PanelControl *Find(Panel &panel, const std::string &label);

    // Acting as the user.
    static void SetInt(PanelControl &control, int value);
    static void SetFloat(PanelControl &control, double value);
    static void SetText(PanelControl &control, const std::string &text);
    static void SetVector(PanelControl &control, int r, int g, int b);
    // Calls the control's event function as the host does after a user change or a press.
    static void Fire(PanelControl &control);
    static void Mouse(Panel &panel, int qualifiers, int x, int y, bool move = false);
    static int Key(Panel &panel, LWDualKey key, bool up = false);
    static void Wheel(Panel &panel, int value, int x, int y);
    static void UserResize(Panel &panel, int width, int height);
    static void Activate(Panel &panel);
    static void Draw(Panel &panel, DrMode mode);
    // Closes an open panel as the user would (its close hook runs).
    static void CloseByUser(Panel &panel, int result = 1);

    // Scripts for blocking opens, used in order; each acts on the open panel and returns the
    // result (1 OK, 0 Cancel). Without a script a modal panel is confirmed at once.
    std::deque<std::function<int(Panel &)>> modalScripts;
    int modalOpens = 0;

    // Control label widths follow the label text: 7 pixels per character, 14 for wide (CJK)
    // characters and for a rich-text image, plus 8 when there is a label.
    static int TextWidth(const std::string &text);
    static constexpr int kIconWidth = 14;
    // A multi-column list shows its title row and each visible row this high.
    static constexpr int kListRowHeight = 18;

private:
    friend struct PanelAccess;
    LWPanelFuncs funcs_{};
    DrawFuncs drawFuncs_{};
    std::vector<std::unique_ptr<Panel>> panels_;
    Panel *lastOpened_ = nullptr;
};

} // namespace zkh

#endif
