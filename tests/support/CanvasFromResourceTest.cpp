#include "support/CanvasFromResource.h"

#include "platform/Shell.h"
#include "support/RasterCanvas.h"
#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

TEST(CanvasFromResource, TheCanvasHoldsTheBitmapAndTheBitmapIsGivenBack)
{
    const auto previous = platform::setMessageBoxSink([](HWND, LPCSTR, LPCSTR, UINT) { return IDOK; });
    VSTGUI::CPoint size(12, 5);
    static const std::vector<uint8_t> png = VSTGUI::PngCodec::encode(*VSTGUI::IPlatformBitmap::create(&size));
    VSTGUI::CResourceDescription::registerData(7101, png.data(), png.size());
    const int64_t live = VSTGUI::ReferenceCounted::liveObjectCount();
    RasterCanvas* canvas = nullptr;
    const ResourceRef missing{-1, false, {}}, good{7101, false, {}};
    EXPECT_FALSE(createCanvasFromResource(&missing, &canvas) || canvas);
    ASSERT_TRUE(createCanvasFromResource(&good, &canvas));
    EXPECT_TRUE(canvas->width == 12 && canvas->height == 5 && canvas->sourceImage && canvas->sourceImage->width == 12);
    delete canvas;
    EXPECT_EQ(VSTGUI::ReferenceCounted::liveObjectCount(), live); // the loaded bitmap went back
    platform::setMessageBoxSink(previous);
}
