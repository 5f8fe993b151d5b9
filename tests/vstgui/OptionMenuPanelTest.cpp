#include "TestSupport.h"

#include "vstgui/OptionMenuPanel.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

// Default, Large (checked), separator, Off (disabled), Huge.
COptionMenu* makeMenu()
{
    auto* menu = new COptionMenu(CRect(0, 0, 100, 20), nullptr, 1);
    menu->addEntry("Default");
    menu->addEntry("Large");
    menu->addSeparator();
    menu->addEntry("Off", -1, CMenuItem::kDisabled);
    menu->addEntry("Huge");
    menu->checkEntryAlone(1);
    return menu;
}

CPoint middleOf(const CRect& r)
{
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST(OptionMenuPanel, RowsStackWithThinSeparatorsAndOnlyChoosableEntriesAreHit)
{
    SharedPointer<COptionMenu> menu(makeMenu(), false);
    const OptionMenuPanel panel(*menu, 100);
    EXPECT_EQ(panel.getWidth(), 100);
    const int32_t row = OptionMenuPanel::kRowHeight;
    EXPECT_EQ(panel.getHeight(), 2 + 4 * row + OptionMenuPanel::kSeparatorHeight);
    EXPECT_EQ(panel.getEntryRect(4), CRect(1, 1 + 3 * row + OptionMenuPanel::kSeparatorHeight, 99, panel.getHeight() - 1));

    struct Case {
        int32_t x, y, entry;
    };
    const Case cases[] = {
        {50, 1, 0},                            // first pixel row of the first entry
        {50, row, 0},
        {50, row + 1, 1},
        {50, 2 * row + 3, -1},                 // separator
        {50, int32_t(middleOf(panel.getEntryRect(3)).y), -1}, // disabled
        {50, int32_t(middleOf(panel.getEntryRect(4)).y), 4},
        {0, 5, 0},   {99, 5, 0},
        {-1, 5, -1}, {100, 5, -1}, {50, 0, -1}, {50, panel.getHeight() - 1, -1}, {50, -20, -1}, {50, 5000, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(panel.entryAt(c.x, c.y), c.entry) << c.x << "," << c.y;
}

TEST(OptionMenuPanel, WidthFollowsTheLongestTitleWithinBounds)
{
    SharedPointer<COptionMenu> menu(makeMenu(), false);
    EXPECT_GT(OptionMenuPanel(*menu, 0).getWidth(), 18);
    EXPECT_LT(OptionMenuPanel(*menu, 0).getWidth(), 100);
    EXPECT_EQ(OptionMenuPanel(*menu, 1 << 30).getWidth(), 4096);
    menu->addEntry(std::string(400, 'W').c_str());
    EXPECT_EQ(OptionMenuPanel(*menu, 10).getWidth(), 4096);
    SharedPointer<COptionMenu> empty(new COptionMenu(CRect(0, 0, 10, 10), nullptr, 1), false);
    const OptionMenuPanel none(*empty, -50);
    EXPECT_GE(none.getWidth(), 1);
    EXPECT_EQ(none.entryAt(5, 1), -1);
    EXPECT_TRUE(none.paint());
}

TEST(OptionMenuPanel, HighlightGoesOnlyToChoosableEntriesAndShows)
{
    SharedPointer<COptionMenu> menu(makeMenu(), false);
    OptionMenuPanel panel(*menu, 100);
    EXPECT_EQ(panel.getHighlight(), -1);
    EXPECT_TRUE(panel.setHighlight(4));
    EXPECT_FALSE(panel.setHighlight(4));
    EXPECT_TRUE(panel.setHighlight(2)); // separator: none
    EXPECT_EQ(panel.getHighlight(), -1);
    EXPECT_FALSE(panel.setHighlight(3)); // disabled: still none
    EXPECT_FALSE(panel.setHighlight(99));
    ASSERT_TRUE(panel.setHighlight(0));

    auto pixels = panel.paint();
    ASSERT_TRUE(pixels);
    ASSERT_EQ(pixels->getPixelWidth(), panel.getWidth());
    ASSERT_EQ(pixels->getPixelHeight(), panel.getHeight());
    const CPoint highlighted = middleOf(panel.getEntryRect(0));
    const CColor highlight = testsupport::rawPixel(*pixels, int32_t(panel.getWidth() - 3), int32_t(highlighted.y));
    EXPECT_EQ(highlight, CColor(50, 100, 200, 255));
    const CColor plain = testsupport::rawPixel(*pixels, int32_t(panel.getWidth() - 3), int32_t(middleOf(panel.getEntryRect(4)).y));
    EXPECT_EQ(plain, CColor(240, 240, 240, 255));
    // The checked entry carries its mark in the check column; the others do not.
    EXPECT_EQ(testsupport::rawPixel(*pixels, 8, int32_t(middleOf(panel.getEntryRect(1)).y)), CColor(0, 0, 0, 255));
    EXPECT_EQ(testsupport::rawPixel(*pixels, 8, int32_t(middleOf(panel.getEntryRect(4)).y)), CColor(240, 240, 240, 255));
}

} // namespace
