// The simulated host's classic panel service.
#include "host.h"

#include <gtest/gtest.h>

namespace {

struct Events {
    int opens = 0, closes = 0, keys = 0, presses = 0;
    unsigned int lastKey = 0;
    int mouseX = -1;
    void *controlData = nullptr;
};

void OnOpen(LWPanelID, void *data) { ++static_cast<Events *>(data)->opens; }
void OnClose(LWPanelID, void *data) { ++static_cast<Events *>(data)->closes; }
int OnKey(LWPanelID, void *data, unsigned int key)
{
    auto *events = static_cast<Events *>(data);
    ++events->keys;
    events->lastKey = key;
    return 1;
}
void OnMouse(LWPanelID, void *data, int, int x, int) { static_cast<Events *>(data)->mouseX = x; }
void OnPress(LWControlID, void *data) { ++static_cast<Events *>(data)->presses; }

int GetInt(LWControl *control, cTag tag)
{
    LWValue value{};
    value.type = LWT_INTEGER;
    control->get(control, tag, &value);
    return value.intv.value;
}

TEST(HostPanels, ControlsByTypeNameWithValuesAndPlaces)
{
    zkh::Host host;
    LWPanelFuncs *funcs = host.panels.Funcs();
    LWPanelID panel = funcs->create("Title", nullptr);
    LWPanControlDesc desc{};
    desc.string = {LWT_STRING, 20};
    LWControl *edit = funcs->addControl(panel, "EditControl", &desc, "Name");
    desc.area = {LWT_AREA, 48, 0};
    LWControl *button = funcs->addControl(panel, "ButtonControl", &desc, "Color");
    EXPECT_EQ(funcs->addControl(panel, "NoSuchControl", &desc, "x"), nullptr);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(funcs->nextControl(panel, nullptr), edit);
    EXPECT_EQ(funcs->nextControl(panel, edit), button);
    EXPECT_EQ(funcs->nextControl(panel, button), nullptr);

    // Label widths follow the label text; the field starts at the hot x.
    EXPECT_EQ(GetInt(edit, CTL_LABELWIDTH), 4 * 7 + 8);
    EXPECT_EQ(funcs->drawFuncs->textWidth(panel, "名前"), 2 * 14 + 8);
    EXPECT_EQ(GetInt(button, CTL_W), 48);
    LWValue place{};
    place.intv = {LWT_INTEGER, 100, 0};
    edit->set(edit, CTL_X, &place);
    EXPECT_EQ(GetInt(edit, CTL_HOTX), 100 + 36);
    place.intv.value = 60;
    edit->set(edit, CTL_HOTX, &place);
    EXPECT_EQ(GetInt(edit, CTL_X), 24);

    // Text values go through the caller's buffer.
    char text[8] = "abc";
    LWValue value{};
    value.str = {LWT_STRING, text, 8};
    edit->set(edit, CTL_VALUE, &value);
    zkh::PanelControl *control = zkh::PanelService::Find(*host.panels.Panels()[0], "Name");
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->text, "abc");
    control->text = "longer than the buffer";
    edit->get(edit, CTL_VALUE, &value);
    EXPECT_STREQ(text, "longer ");

    edit->draw(edit, DR_GHOST);
    EXPECT_TRUE(control->ghosted);
    edit->draw(edit, DR_ERASE);
    EXPECT_FALSE(control->visible);
    edit->draw(edit, DR_RENDER);
    EXPECT_TRUE(control->visible);
    EXPECT_FALSE(control->ghosted);
    funcs->destroy(panel);
    EXPECT_TRUE(host.panels.Panels().empty());
}

TEST(HostPanels, HooksEventsAndModalScripts)
{
    zkh::Host host;
    LWPanelFuncs *funcs = host.panels.Funcs();
    Events events;
    LWPanelID panel = funcs->create("Modal", nullptr);
    funcs->set(panel, PAN_USERDATA, &events);
    funcs->set(panel, PAN_USEROPEN, reinterpret_cast<void *>(&OnOpen));
    funcs->set(panel, PAN_USERCLOSE, reinterpret_cast<void *>(&OnClose));
    funcs->set(panel, PAN_USERKEYS, reinterpret_cast<void *>(&OnKey));
    funcs->set(panel, PAN_MOUSEBUTTON, reinterpret_cast<void *>(&OnMouse));
    int width = 320;
    funcs->set(panel, PAN_W, &width);
    LWPanControlDesc desc{};
    desc.area = {LWT_AREA, 160, 0};
    LWControl *button = funcs->addControl(panel, "ButtonControl", &desc, "Remove");
    LWValue pointer{};
    pointer.ptr = {LWT_NULL, reinterpret_cast<void *>(&OnPress)};
    button->set(button, CTL_USEREVENT, &pointer);
    pointer.ptr.ptr = &events;
    button->set(button, CTL_USERDATA, &pointer);

    host.panels.modalScripts.push_back([&](zkh::Panel &open) {
        EXPECT_TRUE(open.open);
        EXPECT_EQ(events.opens, 1);
        zkh::PanelService::Fire(*zkh::PanelService::Find(open, "Remove"));
        EXPECT_EQ(zkh::PanelService::Key(open, 0x1061), 1);
        zkh::PanelService::Mouse(open, MOUSE_LEFT | MOUSE_DOWN, 42, 7);
        return 0; // Cancel
    });
    EXPECT_EQ(funcs->open(panel, PANF_BLOCKING | PANF_CANCEL), 0);
    EXPECT_EQ(events.presses, 1);
    EXPECT_EQ(events.lastKey, 0x1061u);
    EXPECT_EQ(events.mouseX, 42);
    EXPECT_EQ(events.closes, 1);
    int read = 0;
    funcs->get(panel, PAN_W, &read);
    EXPECT_EQ(read, 320);

    // Without a script a modal panel is confirmed; a non-modal one stays open.
    EXPECT_EQ(funcs->open(panel, PANF_BLOCKING), 1);
    EXPECT_EQ(funcs->open(panel, PANF_NOBUTT), 1);
    EXPECT_TRUE(host.panels.LastOpened()->open);
    funcs->close(panel);
    EXPECT_EQ(events.closes, 3);
    EXPECT_EQ(host.panels.modalOpens, 2);
}

} // namespace
