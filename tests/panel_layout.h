// panel_layout.h: what every classic panel's layout must hold, whatever its texts.
#ifndef ZK_TESTS_PANEL_LAYOUT_H
#define ZK_TESTS_PANEL_LAYOUT_H

#include "panels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A copy of an open panel's size and controls, to look at after it has closed. Only what the
// controls hold is copied: their callbacks' user data belongs to the panel that is gone.
inline zkh::Panel Snapshot(const zkh::Panel &panel)
{
    zkh::Panel copy;
    copy.w = panel.w;
    copy.h = panel.h;
    for (const auto &control : panel.controls)
        copy.controls.push_back(std::make_unique<zkh::PanelControl>(*control));
    return copy;
}

// Every visible control with an area has its field inside the panel (a label may hang out to the
// left, as one whose field is placed at the panel's edge does), and no two controls overlap.
inline void ExpectControlsInsideAndApart(const zkh::Panel &panel)
{
    auto name = [](const zkh::PanelControl &c) { return c.type + " \"" + c.label + "\""; };
    for (size_t i = 0; i < panel.controls.size(); ++i) {
        const zkh::PanelControl &a = *panel.controls[i];
        if (!a.visible || a.w <= 0 || a.h <= 0)
            continue;
        EXPECT_TRUE(a.HotX() >= 0 && a.y >= 0 && a.x + a.w <= panel.w && a.y + a.h <= panel.h)
            << name(a) << " at " << a.x << "," << a.y << " " << a.w << "x" << a.h << " leaves the " << panel.w
            << "x" << panel.h << " panel";
        for (size_t j = i + 1; j < panel.controls.size(); ++j) {
            const zkh::PanelControl &b = *panel.controls[j];
            if (!b.visible || b.w <= 0 || b.h <= 0)
                continue;
            const bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
            EXPECT_TRUE(apart) << name(a) << " (#" << i << ") overlaps " << name(b) << " (#" << j << ")";
        }
    }
}

// The same panel opened in two languages: the same controls, of the same types, in the same order.
inline void ExpectSameControls(const zkh::Panel &english, const zkh::Panel &japanese)
{
    ASSERT_EQ(english.controls.size(), japanese.controls.size());
    for (size_t i = 0; i < english.controls.size(); ++i) {
        EXPECT_EQ(english.controls[i]->type, japanese.controls[i]->type) << "#" << i;
        EXPECT_EQ(english.controls[i]->label.empty(), japanese.controls[i]->label.empty()) << "#" << i;
    }
}

#endif
