#include "TestSupport.h"

#include "vstgui/OptionMenuPanel.h"

using namespace VSTGUI;

namespace {

// Default, Large (checked), separator, Off (disabled), Huge: rows of 18 pixels and a separator of 7
// inside a one-pixel border (Default 1-18, Large 19-36, separator 37-43, Off 44-61, Huge 62-79).
// Only a choosable entry is hit and takes the highlight; the checked entry shows its mark.
TEST(OptionMenuPanel, RowsStackWithThinSeparatorsAndOnlyChoosableEntriesAreHitOrHighlighted)
{
    auto menu = makeOwned<COptionMenu>(CRect(0, 0, 100, 20), nullptr, 1);
    for (auto [title, flags] : {std::pair{"Default", 0}, {"Large", 0}, {"", int(CMenuItem::kSeparator)},
                                {"Off", int(CMenuItem::kDisabled)}, {"Huge", 0}})
        menu->addEntry(title, -1, flags);
    menu->checkEntryAlone(1);
    OptionMenuPanel panel(*menu, 100);
    EXPECT_EQ(std::tuple(panel.getWidth(), panel.getHeight(), panel.getEntryRect(4)),
              std::tuple(100, 81, CRect(1, 62, 99, 80)));
    const struct {
        int32_t x, y, entry;
    } cases[] = {
        {50, 1, 0},  {50, 18, 0},   {50, 19, 1},  {50, 40, -1}, {50, 50, -1}, {50, 79, 4},  {0, 5, 0},
        {99, 5, 0},  {-1, 5, -1},   {100, 5, -1}, {50, 0, -1},  {50, 80, -1}, {50, -20, -1}, {50, 5000, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(panel.entryAt(c.x, c.y), c.entry) << c.x << "," << c.y;

    EXPECT_TRUE(panel.setHighlight(4));
    EXPECT_FALSE(panel.setHighlight(4));
    for (int32_t none : {2, 3, 99}) { // separator, disabled, beyond
        panel.setHighlight(none);
        EXPECT_EQ(panel.getHighlight(), -1) << none;
    }
    ASSERT_TRUE(panel.setHighlight(0));
    auto pixels = panel.paint();
    ASSERT_TRUE(pixels && pixels->getPixelHeight() == 81);
    const auto at = [&](int32_t x, int32_t y) { return testsupport::rawPixel(*pixels, x, y); };
    const CColor plain(240, 240, 240, 255), highlight(50, 100, 200, 255), mark(0, 0, 0, 255);
    EXPECT_EQ((std::vector{at(97, 10), at(97, 70), at(8, 28), at(8, 70)}), // highlight, check mark
              (std::vector{highlight, plain, mark, plain}));

    // Width follows the longest title within 1 and 4096.
    const int32_t natural = OptionMenuPanel(*menu, 0).getWidth();
    EXPECT_TRUE(natural > 18 && natural < 100) << natural;
    EXPECT_EQ(OptionMenuPanel(*menu, 1 << 30).getWidth(), 4096);
    menu->addEntry(std::string(400, 'W').c_str());
    EXPECT_EQ(OptionMenuPanel(*menu, 10).getWidth(), 4096);
    auto empty = makeOwned<COptionMenu>(CRect(0, 0, 10, 10), nullptr, 1);
    const OptionMenuPanel none(*empty, -50);
    EXPECT_EQ(std::tuple(none.getWidth() >= 1, none.entryAt(0, 1), bool(none.paint())), std::tuple(true, -1, true));
}

} // namespace
