// The panel toolkit over the simulated host's classic panels (the place modes the plug-in panels use
// are pinned by their layout tables, through the module).
#include "common/lwpanel.h"
#include "host.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using lwp::lwpanel::CLWctl;
using lwp::lwpanel::CLWwindow;
using lwp::lwpanel::CLWwindowSetup;
using lwp::lwpanel::IControl;

int g_notified = 0;
int CountEvents(CLWwindow *) { return ++g_notified; }

// A control that takes the mouse (or not), to see the window's routing; it has no place of its own,
// so its stubs are kept a few to a line.
class Grabber final : public IControl {
public:
    explicit Grabber(bool takes) : takes_(takes) {}
    bool OnMouse(CLWwindow *, int phase, int) override
    {
        phases.push_back(phase);
        return takes_;
    }
    std::vector<int> phases;

    // clang-format off
    std::int32_t GetState() override { return 0; }
    IControl *GetParent() override { return nullptr; }
    LWRasterID Draw(DrMode) override { return nullptr; }
    bool QueryFlag() override { return false; }
    std::int32_t GetValueKind() override { return 0; }
    void GetRasterOffset(int &x, int &y) override { x = y = 0; }
    void GetPlaceMode(int &x, int &y) override { x = y = -1; }
    void GetSizeMode(int &w, int &h) override { w = h = 0; }
    void GetMargins(int &t, int &b, int &l, int &r) override { t = b = l = r = 0; }
    void GetSizeMargins(int &w, int &h) override { w = h = 0; }
    void SetParent(IControl *) override {} void SetPlaceMode(int, int) override {} void SetSizeMode(int, int) override {}
    void SetMargins(int, int, int, int) override {} void SetSizeMargins(int, int) override {}
    void SetX(int) override {} void SetY(int) override {} void SetFieldX(int) override {} void SetHotY(int) override {}
    void SetW(int) override {} void SetH(int) override {} void SetHotW(int) override {} void SetHotH(int) override {}
    int GetX() override { return 0; } int GetY() override { return 0; } int GetHotX() override { return 0; }
    int GetHotY() override { return 0; } int GetW() override { return 0; } int GetH() override { return 0; }
    int GetHotW() override { return 0; } int GetHotH() override { return 0; }
    // clang-format on

private:
    bool takes_;
};

class PanelToolkit : public ::testing::Test {
protected:
    CLWwindowSetup WindowSetup()
    {
        CLWwindowSetup setup;
        setup.global = zkh::Host::GlobalLookup;
        setup.title = "ZK:CameraFrame(1.60) build 250619";
        setup.width = 340;
        setup.height = 608;
        setup.callback = CountEvents;
        setup.openFlags = PANF_NOBUTT;
        return setup;
    }
    zkh::Panel &HostPanel() { return *host.panels.Panels().back(); }
    zkh::PanelControl &HostControl(CLWctl &control) { return *static_cast<zkh::PanelControl *>(control.Control()->priv_data); }

    zkh::Host host;
};

TEST_F(PanelToolkit, ControlsOfTheTypeTable)
{
    CLWwindow window(WindowSetup());
    auto *edit = new CLWctl(&window, 11, lwp::lwpanel::kEditControl, "Name", 20);
    auto *none = new CLWctl(&window, 99, 15, "Nothing", 20);
    auto *button = new CLWctl(&window, 6, lwp::lwpanel::kButtonControl, "Color", 48);
    CLWctl *boolean = CLWctl::Bool(&window, 5, "Combined Frame");
    for (IControl *control : std::initializer_list<IControl *>{edit, none, button, boolean})
        window.Add(control);

    EXPECT_EQ(edit->GetValueKind(), lwp::lwpanel::kValueString);
    EXPECT_EQ(none->Control(), nullptr);
    EXPECT_EQ(none->GetValueKind(), 0);
    EXPECT_EQ(none->GetX(), 0); // a missing control answers 0 and ignores changes
    // The shared descriptor: the boolean keeps the 48 the button left in the area width.
    EXPECT_EQ(HostControl(*boolean).desc.type, LWT_BOOLEAN);
    EXPECT_EQ(HostControl(*boolean).desc.area.width, 48);

    // The field of SetFieldX starts at the given x.
    HostControl(*edit).labelWidth = 40;
    edit->SetFieldX(100);
    EXPECT_EQ(edit->GetX(), 60);
    EXPECT_EQ(edit->GetHotX(), 100);

    std::string text = "Hero";
    edit->SetText(text);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(edit->GetText(), "Hero");
    std::string longText(400, 'x');
    edit->SetText(longText);
    EXPECT_EQ(edit->GetText().size(), 259u);
}

TEST_F(PanelToolkit, FirstOpenCentresLaterOpensMoveNothing)
{
    CLWwindow window(WindowSetup());
    window.Open(nullptr);
    zkh::Panel &panel = HostPanel();
    EXPECT_TRUE(panel.open);
    EXPECT_EQ(std::make_tuple(panel.x, panel.y, panel.w, panel.h), std::make_tuple(790, 236, 340, 608));
    EXPECT_EQ(window.Event().kind, lwp::lwpanel::kEventOpen);
    panel.x = 5;
    panel.y = 6;
    zkh::PanelService::CloseByUser(panel);
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(window.Event().kind, lwp::lwpanel::kEventClose);
    window.Open(nullptr);
    EXPECT_EQ(panel.x, 5);
    EXPECT_EQ(panel.y, 6);
    // Open while open raises the panel.
    window.Open(nullptr);
    EXPECT_EQ(panel.values[PAN_TO_FRONT], 0);
    EXPECT_EQ(panel.values.count(PAN_TO_FRONT), 1u);
}

TEST_F(PanelToolkit, MouseKeysAndWheel)
{
    CLWwindow window(WindowSetup());
    auto *active = new Grabber(true);
    window.Add(new Grabber(false));
    window.Add(active);
    window.Open(nullptr);
    zkh::Panel &panel = HostPanel();

    // A press on no control captures nothing; here the second control takes it.
    zkh::PanelService::Mouse(panel, MOUSE_LEFT | MOUSE_DOWN, 30, 40);
    EXPECT_EQ(window.Captured(), active);
    EXPECT_EQ(window.Event().kind, lwp::lwpanel::kEventMouse);
    EXPECT_EQ(window.Event().clicks, 1);
    zkh::PanelService::Mouse(panel, MOUSE_LEFT | MOUSE_DOWN | IQ_SHIFT, 35, 41, true);
    EXPECT_EQ(active->phases.back(), ((MOUSE_LEFT | MOUSE_DOWN) & ~0xFF) + 1);
    EXPECT_EQ(window.Event().prevX, 30);
    EXPECT_EQ(window.Event().clicks, 2);
    zkh::PanelService::Mouse(panel, 0, 36, 41);
    EXPECT_EQ(window.Captured(), nullptr);
    EXPECT_EQ(window.Event().clicks, 0);

    // Nothing takes the mouse: nothing is captured.
    auto *lonely = new CLWwindow(WindowSetup());
    lonely->Add(new Grabber(false));
    lonely->Open(nullptr);
    zkh::PanelService::Mouse(*host.panels.Panels().back(), MOUSE_LEFT | MOUSE_DOWN, 1, 1);
    EXPECT_EQ(lonely->Captured(), nullptr);
    delete lonely;

    EXPECT_EQ(zkh::PanelService::Key(panel, 0x1061), g_notified);
    EXPECT_TRUE(window.KeyFlag(0));
    zkh::PanelService::Key(panel, 0x1060);
    EXPECT_TRUE(window.KeyFlag(2));
    zkh::PanelService::Key(panel, 0x1061, true);
    EXPECT_FALSE(window.KeyFlag(0));
    EXPECT_EQ(window.Event().kind, lwp::lwpanel::kEventKeyUp);
    zkh::PanelService::Activate(panel);
    EXPECT_FALSE(window.KeyFlag(2));

    zkh::PanelService::Wheel(panel, -3, 7, 8);
    EXPECT_EQ(window.Event().kind, lwp::lwpanel::kEventWheel);
    EXPECT_EQ(window.Event().wheel, -3);
    EXPECT_EQ(window.Event().prevX, 36);
    zkh::PanelService::UserResize(panel, 4, 5);
    EXPECT_EQ(window.Event().kind, lwp::lwpanel::kEventConfig);
    EXPECT_EQ(window.Event().a, 4);
    EXPECT_EQ(window.Event().b, 5);
    zkh::PanelService::Draw(panel, DR_RENDER);
    EXPECT_EQ(window.Event().kind, lwp::lwpanel::kEventDraw);
    EXPECT_EQ(window.Event().drawMode, DR_RENDER);
}

} // namespace
