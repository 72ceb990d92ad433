// The simulated host's classic panel service.
#include "host.h"

#include <gtest/gtest.h>

namespace {

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

} // namespace
