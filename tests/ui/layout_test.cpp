// The layout's facts that the real window relies on: the usage text's bytes, the order and nesting
// of the controls (parents are created first, children lie inside them), the one overlap of the
// page (the progress label on its bar), the narrow layout cutting the usage panel off, and the
// control IDs. And the characters the number-only boxes accept.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <set>

#include "core/text.h"
#include "ui/number_box.h"

namespace {

Ctl At(int index) {
    return static_cast<Ctl>(index);
}

bool Overlap(const ControlLayout& a, const ControlLayout& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(Layout, UsageTextIsFiveLinesOf713Bytes) {
    const std::string text = LayoutOf(Ctl::透明标签1).text;
    EXPECT_EQ(TextLength(text), 713);
    const std::vector<std::string> lines = SplitText(text, "\r\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(TextRight(text, 2), "\r\n");
    const char* const starts[] = {"1、", "2、", "3、", "4、", "5、"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(FindText(lines[i], starts[i]), 1);
    }
}

TEST(Layout, ParentsComeFirstAndHoldTheirChildren) {
    EXPECT_EQ(LayoutOf(Ctl::主窗口).parent, Ctl::主窗口);
    for (int i = 1; i < kControlCount; ++i) {
        const ControlLayout& child = LayoutOf(At(i));
        SCOPED_TRACE(i);
        ASSERT_LT(static_cast<int>(child.parent), i) << "created after its parent";
        const ControlLayout& parent = LayoutOf(child.parent);
        if (child.parent == Ctl::主窗口) {
            continue;  // the tab control: 630 - 6 wide, the frame's allowance
        }
        EXPECT_GE(child.x, 0);
        EXPECT_GE(child.y, 0);
        EXPECT_LE(child.x + child.width, parent.width);
        EXPECT_LE(child.y + child.height, parent.height);
        if (parent.page >= 0) {
            EXPECT_EQ(child.page, parent.page) << "on its parent's page";
        }
    }
}

TEST(Layout, OnlyTheProgressLabelLiesOnAnotherControlOfThePage) {
    const ControlLayout& label = LayoutOf(Ctl::标签_进度条);
    const ControlLayout& bar = LayoutOf(Ctl::进度条1);
    EXPECT_TRUE(label.x >= bar.x && label.y >= bar.y && label.x + label.width <= bar.x + bar.width &&
                label.y + label.height <= bar.y + bar.height);
    for (int i = 0; i < kControlCount; ++i) {
        for (int j = i + 1; j < kControlCount; ++j) {
            const ControlLayout& a = LayoutOf(At(i));
            const ControlLayout& b = LayoutOf(At(j));
            const bool pair = (a.control == Ctl::进度条1 && b.control == Ctl::标签_进度条);
            if (a.parent == Ctl::选择夹1 && b.parent == Ctl::选择夹1 && a.page == 1 && b.page == 1 && !pair) {
                SCOPED_TRACE(std::to_string(i) + " and " + std::to_string(j));
                EXPECT_FALSE(Overlap(a, b));
            }
        }
    }
}

TEST(Layout, NarrowLayoutCutsTheUsagePanelOff) {
    EXPECT_GE(LayoutOf(Ctl::分组框1).x, kNarrowPanelWidth);
    EXPECT_EQ(kNarrowPanelWidth + kFrameAllowance, 302);
    EXPECT_EQ(LayoutOf(Ctl::分组框).width + kFrameAllowance, 622);
    EXPECT_EQ(LayoutOf(Ctl::选择夹1).width + kFrameAllowance, LayoutOf(Ctl::主窗口).width);
}

TEST(Layout, ControlIdsAreDistinctAndClearOfTheSystemsOwn) {
    std::set<int> ids;
    for (int i = 1; i < kControlCount; ++i) {
        const int id = ControlId(At(i));
        SCOPED_TRACE(i);
        EXPECT_TRUE(ids.insert(id).second);
        EXPECT_GT(id, 2);  // IDOK, IDCANCEL
        EXPECT_LT(id, 0xFFFF);
    }
}

TEST(NumberBox, AcceptsDigitsMinusAndControlKeysOnly) {
    struct Case {
        unsigned int character;
        bool accepted;
    } cases[] = {
        {'0', true},     {'5', true},  {'9', true},     {'-', true},  {0x08, true},  // Backspace
        {0x03, true},                                                                // Ctrl+C
        {0x16, true},                                                                // Ctrl+V
        {0x7F, true},                                                                // Ctrl+Backspace
        {'a', false},    {'Z', false}, {'.', false},    {' ', false}, {'+', false},
        {'/', false},    {':', false}, {0xFF10, false},  // full-width digit zero
        {0x4E00, false},                                 // a Chinese character
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.character);
        EXPECT_EQ(IsAcceptedInNumberBox(c.character), c.accepted);
    }
}

}  // namespace
