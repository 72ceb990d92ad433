// xpanels.h: the host's view panels ("LWXPanel 3").
//
// A panel is built from a control table, a data description, hints and get and set callbacks.
// The host keeps what it was told; tests and the runner read values through the panel's get
// callback, set them through its set callback (honouring the minimum hints, as the host's fields
// do) and press buttons, as a user at the panel would.
#ifndef ZKH_XPANELS_H
#define ZKH_XPANELS_H

#include "lwhost/lwhost.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace zkh {

struct XPanelControl {
    unsigned int cid = 0;
    std::string label;
    std::string ctrlclass;
    std::string dataName; // from the data description; empty for buttons
    std::string dataType; // "integer", "string", "color", ...
    bool hasMin = false;
    int min = 0;
    bool hasStep = false;
    int step = 0;
    LWXPanelBtnClickFunc *button = nullptr;
    LWXPanelPopCntFunc *popCount = nullptr;
    LWXPanelPopNameFunc *popName = nullptr;
};

struct XPanelGroup {
    unsigned int gid = 0;
    std::vector<unsigned int> members; // as given, controls or not
};

struct XPanel {
    int type = 0;
    std::string title;
    std::vector<XPanelControl> controls;
    std::vector<XPanelGroup> groups;
    LWXPanelGetFunc *get = nullptr;
    LWXPanelSetFunc *set = nullptr;
    LWXPanelDestroyNotifyFunc *destroyNotify = nullptr;
    void *inst = nullptr;     // the view instance handed to get and set
    void *userData = nullptr; // data slot 0
    int refreshCount = 0;
};

// A control's value as the panel shows it; present is false when get gave no value.
struct XPanelValue {
    bool present = false;
    int integer = 0;
    std::string text;
    std::array<double, 3> color{};
};

class XPanels {
public:
    XPanels();
    XPanels(const XPanels &) = delete;
    XPanels &operator=(const XPanels &) = delete;
    ~XPanels();

    // The service table handed to plug-ins.
    LWXPanelFuncs *Funcs() { return &funcs_; }

    LWXPanelID Add(std::unique_ptr<XPanel> panel);
    XPanel *Find(LWXPanelID panel);
    const std::vector<std::unique_ptr<XPanel>> &Panels() const { return panels_; }
    // The first panel whose view instance is inst, or null.
    XPanel *ForInstance(void *inst);

    // A control by identifier, by data name, or by label (the first with that label).
    const XPanelControl *Control(const XPanel &panel, unsigned int cid) const;
    const XPanelControl *ControlByName(const XPanel &panel, const std::string &dataName) const;
    const XPanelControl *ControlByLabel(const XPanel &panel, const std::string &label) const;

    XPanelValue Get(XPanel &panel, unsigned int cid);
    // Each returns the set callback's result, or -1 when the control holds no value of that type.
    int SetInteger(XPanel &panel, unsigned int cid, int value);
    int SetText(XPanel &panel, unsigned int cid, const std::string &text);
    int SetColor(XPanel &panel, unsigned int cid, const std::array<double, 3> &rgb);
    // False when the control is not a button with a notification.
    bool Press(XPanel &panel, unsigned int cid);
    // The popup's entries from its count and name functions (a null name reads as "").
    std::vector<std::string> PopupItems(XPanel &panel, unsigned int cid);

    // Destroys a panel: its destroy notification gets the user data.
    void Destroy(LWXPanelID panel);
    void DestroyFor(void *inst);
    void DestroyAll();

    // Problems the host found in what a plug-in told it (unknown hint tags, unknown controls).
    std::vector<std::string> log;

private:
    LWXPanelFuncs funcs_{};
    std::vector<std::unique_ptr<XPanel>> panels_;
};

LWXPanelID ToPanelID(XPanel *panel);

} // namespace zkh

#endif
