// The simulated host reads and fills the interface records as Layout does, and serves classic
// panels.
#include "host.h"
#include "panel_lists.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool Logged(const zkh::Host &host, const std::string &text)
{
    return std::find(host.messages.begin(), host.messages.end(), text) != host.messages.end();
}

// Every member the simulated host does not serve still answers, with zero, and says so in host.log.
TEST(HostInterface, UnservedMembersAnswerZeroAndAreLogged)
{
    zkh::Host host;
    const auto *items = static_cast<const LWItemInfo *>(zkh::Host::GlobalLookup(LWITEMINFO_GLOBAL, GFUSE_TRANSIENT));
    ASSERT_NE(items, nullptr);
    ASSERT_NE(items->goal, nullptr);
    EXPECT_EQ(items->goal(nullptr), nullptr);
    EXPECT_TRUE(Logged(host, "unserved call: LWItemInfo.goal (the simulated host does not offer this member)"));

    const auto *cameras = static_cast<const LWCameraInfo *>(zkh::Host::GlobalLookup(LWCAMERAINFO_GLOBAL, GFUSE_TRANSIENT));
    ASSERT_NE(cameras, nullptr);
    EXPECT_EQ(cameras->fStop(nullptr, 0.0), 0.0);
    EXPECT_TRUE(Logged(host, "unserved call: LWCameraInfo.fStop (the simulated host does not offer this member)"));

    // Served members log nothing; the scene snapshot carries its data members at their places.
    const size_t before = host.messages.size();
    const auto *scene = static_cast<const LWSceneInfo *>(zkh::Host::GlobalLookup(LWSCENEINFO_GLOBAL, GFUSE_TRANSIENT));
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->framesPerSecond, host.scene.fps);
    EXPECT_EQ(scene->frameStart, host.scene.frameStart);
    EXPECT_NE(scene->renderCamera, nullptr);
    EXPECT_EQ(host.messages.size(), before);
}

LWXPanelHint Word(unsigned int value) { return XpH(value); }

// A hint array is read by each tag's length: tags the host does not act on are skipped, not fatal.
TEST(HostInterface, XPanelHintsAreReadByEachTagsLength)
{
    zkh::Host host;
    LWXPanelFuncs *xp = host.xpanels.Funcs();
    LWXPanelControl controls[] = {{1, "Count", "integer"}, {2, "Go", "vButton"}, {0, nullptr, nullptr}};
    LWXPanelID panel = xp->create(LWXP_VIEW, controls);
    ASSERT_NE(panel, nullptr);
    char title[] = "Title";
    char label[] = "Number";
    LWXPanelHint hints[] = {Word(XPTAG_LABEL), Word(0), title, Word(0),
                            Word(XPTAG_RANGE), Word(1), Word(0), Word(10), Word(1), // not acted on: 4 words
                            Word(XPTAG_LABEL), Word(1), label, Word(0),
                            Word(XPTAG_MIN), Word(1), Word(3),
                            Word(XPTAG_GROUP), Word(0x8001), Word(1), Word(2), Word(0),
                            Word(XPTAG_END)};
    xp->hint(panel, 0, hints);
    zkh::XPanel *found = host.xpanels.Find(panel);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->title, "Title");
    EXPECT_EQ(host.xpanels.Control(*found, 1)->label, "Number");
    EXPECT_TRUE(host.xpanels.Control(*found, 1)->hasMin);
    EXPECT_EQ(host.xpanels.Control(*found, 1)->min, 3);
    ASSERT_EQ(found->groups.size(), 1u);
    EXPECT_EQ(found->groups[0].members, (std::vector<unsigned int>{1, 2}));
    EXPECT_EQ(host.xpanels.log, (std::vector<std::string>{"hint tag 0x3d014304 is not served by the simulated host: skipped"}));
}

struct Selections {
    std::vector<std::pair<int, int>> calls;
};

const char *Cell(void *, int row, int column)
{
    static std::string text;
    text = std::to_string(row) + ":" + std::to_string(column);
    return text.c_str();
}
int Rows(void *) { return 2; }
int Width(void *, int column) { return column < 2 ? 30 : 0; }
void Select(LWControlID, void *data, int row, int selecting)
{
    static_cast<Selections *>(data)->calls.emplace_back(row, selecting);
}

// The multi-column list: rows by (row, column), selection through CTL_SELECTEVENT.
TEST(HostInterface, MultiListBoxRowsAndSelectEvent)
{
    zkh::Host host;
    LWPanelFuncs *funcs = host.panels.Funcs();
    LWPanelID panel = funcs->create("Lists", nullptr);
    LWPanControlDesc desc{};
    desc.multiList.type = LWT_MLIST;
    desc.multiList.width = 60;
    desc.multiList.visItems = 3;
    desc.multiList.countFn = Rows;
    desc.multiList.nameFn = Cell;
    desc.multiList.colWidth = Width;
    LWControl *list = funcs->addControl(panel, "MultiListBoxControl", &desc, "");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(funcs->addControl(panel, "MultiListControl", &desc, ""), nullptr); // not a host control type
    Selections selections;
    LWValue value{};
    value.ptr = {LWT_POINTER, &selections};
    list->set(list, CTL_USERDATA, &value);
    value.ptr.ptr = reinterpret_cast<void *>(Select);
    list->set(list, CTL_SELECTEVENT, &value);
    zkh::PanelControl &control = *host.panels.Panels().back()->controls.back();
    EXPECT_EQ(zkh::ListLines(control), (std::vector<std::string>{"-1:0 | -1:1", "0:0 | 0:1", "1:0 | 1:1"}));
    zkh::ListSelect(control, 1, true);
    zkh::ListSelect(control, -1, false);
    EXPECT_EQ(selections.calls, (std::vector<std::pair<int, int>>{{1, 1}, {-1, 0}}));
}

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
