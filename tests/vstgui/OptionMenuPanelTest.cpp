#include "TestSupport.h"

#include "vstgui/OptionMenuPanel.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace {

// Default, Large (checked), separator, Off (disabled), Huge.
SharedPointer<COptionMenu> makeMenu()
{
    auto menu = makeOwned<COptionMenu>(CRect(0, 0, 100, 20), nullptr, 1);
    menu->addEntry("Default");
    menu->addEntry("Large");
    menu->addSeparator();
    menu->addEntry("Off", -1, CMenuItem::kDisabled);
    menu->addEntry("Huge");
    menu->checkEntryAlone(1);
    return menu;
}

int32_t middleY(const CRect& r)
{
    return int32_t((r.top + r.bottom) / 2);
}

TEST(OptionMenuPanel, RowsStackWithThinSeparatorsAndOnlyChoosableEntriesAreHit)
{
    auto menu = makeMenu();
    const OptionMenuPanel panel(*menu, 100);
    EXPECT_EQ(panel.getWidth(), 100);
    const int32_t row = OptionMenuPanel::kRowHeight;
    EXPECT_EQ(panel.getHeight(), 2 + 4 * row + OptionMenuPanel::kSeparatorHeight);
    EXPECT_EQ(panel.getEntryRect(4), CRect(1, 1 + 3 * row + OptionMenuPanel::kSeparatorHeight, 99, panel.getHeight() - 1));
    const struct {
        int32_t x, y, entry;
    } cases[] = {
        {50, 1, 0},  {50, row, 0},  {50, row + 1, 1},
        {50, 2 * row + 3, -1},                                // separator
        {50, middleY(panel.getEntryRect(3)), -1},             // disabled
        {50, middleY(panel.getEntryRect(4)), 4},
        {0, 5, 0},   {99, 5, 0},    {-1, 5, -1}, {100, 5, -1}, {50, 0, -1}, {50, panel.getHeight() - 1, -1},
        {50, -20, -1}, {50, 5000, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panel.entryAt(c.x, c.y), c.entry) << c.x << "," << c.y;
}

TEST(OptionMenuPanel, WidthFollowsTheLongestTitleWithinBounds)
{
    auto menu = makeMenu();
    const int32_t natural = OptionMenuPanel(*menu, 0).getWidth();
    EXPECT_TRUE(natural > 18 && natural < 100) << natural;
    EXPECT_EQ(OptionMenuPanel(*menu, 1 << 30).getWidth(), 4096);
    menu->addEntry(std::string(400, 'W').c_str());
    EXPECT_EQ(OptionMenuPanel(*menu, 10).getWidth(), 4096);
    auto empty = makeOwned<COptionMenu>(CRect(0, 0, 10, 10), nullptr, 1);
    const OptionMenuPanel none(*empty, -50);
    EXPECT_GE(none.getWidth(), 1);
    EXPECT_EQ(none.entryAt(5, 1), -1);
    EXPECT_TRUE(none.paint());
}

TEST(OptionMenuPanel, HighlightGoesOnlyToChoosableEntriesAndShowsWithTheCheckMark)
{
    auto menu = makeMenu();
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
    const auto at = [&](int32_t x, int32_t entry) { return testsupport::rawPixel(*pixels, x, middleY(panel.getEntryRect(entry))); };
    const CColor plain(240, 240, 240, 255);
    EXPECT_EQ(at(panel.getWidth() - 3, 0), CColor(50, 100, 200, 255));
    EXPECT_EQ(at(panel.getWidth() - 3, 4), plain);
    EXPECT_EQ(at(8, 1), CColor(0, 0, 0, 255)); // the check column
    EXPECT_EQ(at(8, 4), plain);
}

} // namespace
