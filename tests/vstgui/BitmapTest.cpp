#include "TestSupport.h"

#include "vstgui/PngCodec.h"

#include <limits>
#include <tuple>
#include <utility>

using namespace VSTGUI;

namespace {

const CColor kHalfBlue(0, 0, 128, 128); // as stored: premultiplied

std::vector<uint8_t> pngOf(int32_t w, int32_t h)
{
    return PngCodec::encode(*testsupport::makeBitmap(w, h, [](int32_t x, int32_t) {
        return x == 0 ? CColor(0, 0, 255, 128) : kWhiteCColor;
    })->getPlatformBitmap());
}

// Decoded to premultiplied pixels once per process: 30 instances of a plug-in hold one copy of
// each picture. A bitmap that is written gets its own copy first, so the others never see the change.
TEST(Bitmap, ResourceBitmapsDecodeToPremultipliedPixelsSharedUntilOneIsWritten)
{
    testsupport::registerBytes(9005, pngOf(3, 2));
    auto first = makeOwned<CBitmap>(CResourceDescription(9005));
    auto second = makeOwned<CBitmap>(CResourceDescription(9005));
    ASSERT_NE(second->getPlatformBitmap(), nullptr);
    const IPlatformBitmap& shared = *second->getPlatformBitmap();
    EXPECT_EQ(std::tuple(second->getWidth(), second->getHeight(), testsupport::rawPixel(shared, 0, 0),
                         testsupport::rawPixel(shared, 2, 1), shared.isOpaque()),
              std::tuple(3, 2, kHalfBlue, kWhiteCColor, false));
    EXPECT_EQ(std::as_const(*first->getPlatformBitmap()).getPixels(), shared.getPixels());

    first->getPlatformBitmap()->lockPixels(true)->getAddress()[0] = 7;
    EXPECT_NE(std::as_const(*first->getPlatformBitmap()).getPixels(), shared.getPixels());
    EXPECT_EQ(testsupport::rawPixel(shared, 0, 0), kHalfBlue);
    first = second = nullptr;
    // Released by every holder, the bytes decode afresh.
    auto third = makeOwned<CBitmap>(CResourceDescription(9005));
    EXPECT_EQ(testsupport::rawPixel(*third->getPlatformBitmap(), 0, 0), kHalfBlue);

    // Written pixels may be translucent now: the opaque shortcut is forgotten.
    const auto white = testsupport::makeBitmap(2, 2, [](int32_t, int32_t) { return kWhiteCColor; });
    IPlatformBitmap& opaque = *white->getPlatformBitmap();
    EXPECT_TRUE(opaque.isOpaque());
    opaque.lockPixels(true)->getAddress()[3] = 0;
    EXPECT_FALSE(opaque.isOpaque());
}

// A resource that is missing or does not decode, or a size beyond the limits, gives no pixels.
TEST(Bitmap, UnusableResourcesAndSizesGiveNoPlatformBitmap)
{
    const std::vector<uint8_t> png = pngOf(8, 8);
    testsupport::registerBytes(9002, std::vector<uint8_t>(png.begin(), png.begin() + ptrdiff_t(png.size() / 2)));
    testsupport::registerBytes(9003, {'n', 'o', 't', ' ', 'p', 'n', 'g'});
    testsupport::registerBytes(9004, {});
    for (int32_t id : {9002, 9003, 9004, 9099, -1}) {
        auto bitmap = makeOwned<CBitmap>(CResourceDescription(id));
        EXPECT_TRUE(!bitmap->getPlatformBitmap() && bitmap->getWidth() == 0) << id;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (auto [w, h, made] : {std::tuple{1.0, 1.0, true}, {0.0, 5.0, false}, {-3.0, 5.0, false}, {5.0, nan, false},
                              {32768.0, 1.0, true}, {32769.0, 1.0, false}, {20000.0, 20000.0, false}})
        EXPECT_EQ(makeOwned<CBitmap>(w, h)->getPlatformBitmap() != nullptr, made) << w << " x " << h;
}

} // namespace
