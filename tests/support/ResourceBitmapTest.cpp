#include "support/ResourceBitmap.h"

#include "TempTree.h"
#include "platform/Shell.h"
#include "support/BitmapCache.h"
#include "support/CanvasFromResource.h"
#include "support/RasterCanvas.h"
#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using VSTGUI::CBitmap;

std::vector<std::string> messages;

ResourceRef named(const std::string& path) { ResourceRef ref{0, true, {}}; return path.copy(ref.name, 511), ref; }

// A 3 x 2 PNG as resource 7001 and good.png, a cut one (its header still reads) as bad.png.
class ResourceBitmap : public ::testing::Test {
protected:
    void SetUp() override
    {
        VSTGUI::CPoint size(3, 2);
        static const std::vector<uint8_t> png = VSTGUI::PngCodec::encode(*VSTGUI::IPlatformBitmap::create(&size));
        VSTGUI::CResourceDescription::registerData(7001, png.data(), png.size());
        std::ofstream(files.native("good.png"), std::ios::binary).write((const char*)png.data(), std::streamsize(png.size()));
        std::ofstream(files.native("bad.png"), std::ios::binary).write((const char*)png.data(), std::streamsize(png.size() - 20));
    }
    void TearDown() override { platform::setMessageBoxSink(previousSink); }

    const platform::MessageBoxSink previousSink = platform::setMessageBoxSink([](HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
        messages.push_back(std::to_string(owner == nullptr) + caption + std::to_string(type) + text); return IDOK;});
    testsupport::TempTree files;
    const ResourceRef goodFile = named(files.native("good.png").string()), goodNumber{7001, false, {}};
};

TEST_F(ResourceBitmap, OnlyTheFirstFailureIsReportedWholeNamesAreReadAndTheCacheSharesByName)
{
    CBitmap *target = new CBitmap(1, 1), *const first = target;
    RasterCanvas* canvas = nullptr;
    const int64_t live = VSTGUI::ReferenceCounted::liveObjectCount();
    const ResourceRef failing{7099, false, {}};
    for (const ResourceRef& failed : {ResourceRef{-1, false, {}}, failing,
                                      named(files.native("missing.png").string()), named(files.native("bad.png").string())})
        EXPECT_FALSE(loadResourceBitmap(&failed, &target) || createCanvasFromResource(&failed, &canvas));
    EXPECT_TRUE(!loadResourceBitmap(nullptr, &target) && target == first && !canvas && VSTGUI::ReferenceCounted::liveObjectCount() == live);

    first->remember();
    ASSERT_TRUE(loadResourceBitmap(&goodNumber, &target) && first->getNbReference() == 1); // the previous bitmap was given back
    ASSERT_TRUE(loadResourceBitmap(&goodFile, &target) && createCanvasFromResource(&goodNumber, &canvas));
    EXPECT_EQ(std::tuple(target->getWidth(), target->getHeight(), canvas->width, canvas->height), std::tuple(3.0, 2.0, 3, 2));
    delete canvas;
    releaseBitmap(&target);
    first->forget();
    EXPECT_TRUE(target == nullptr && VSTGUI::ReferenceCounted::liveObjectCount() == live - 2); // first and its pixels went
    EXPECT_FALSE(loadResourceBitmap(&failing, &target)); // a success in between does not start over
    EXPECT_EQ(messages, std::vector<std::string>{"1Error4112Resource images not found! Please reinstall the plugin (-1)."});

    for (const auto& [ref, shown] : {std::pair{named("C:\\x.y\\knob.png"), std::string("knob")}, {named(""), "---"},
                                     {named(std::string(300, 't') + ".png"), std::string(197, 't')}}) {
        char text[256];
        formatResourceError(ref, text);
        EXPECT_EQ(text, "Resource images not found! Please reinstall the plugin (" + shown + ").");
    }

    // A name that fills its buffer without an end is refused, not cut to the file its first 511
    // characters name.
    std::string padded = files.native().string() + std::string((512 - files.native().string().size()) % 2 + 1, '/');
    while (padded.size() + 8 < 511)
        padded += "./";
    ResourceRef full = named(padded + "good.png");
#ifndef _WIN32 // Windows' ANSI calls stop at 260 characters
    ASSERT_TRUE(std::string(full.name).size() == 511 && loadResourceBitmap(&full, &target));
    releaseBitmap(&target);
#endif
    full.name[511] = 'x';
    EXPECT_FALSE(loadResourceBitmap(&full, &target));

    // The enabled cache shares bitmaps by name.
    BitmapCache& cache = BitmapCache::instance();
    const ResourceRef upper = named(files.native("GOOD.PNG").string());
    CBitmap *a = nullptr, *b = nullptr;
    ASSERT_TRUE(loadResourceBitmap(&goodFile, &a) && loadResourceBitmap(&goodFile, &b) && a != b); // caching is off
    releaseBitmap(&b);

    cache.enabled = true;
    ASSERT_TRUE(loadResourceBitmap(&goodFile, &b));
    CBitmap *const cached = b, *const uncached = a;
    ASSERT_TRUE(loadResourceBitmap(&upper, &b) && loadResourceBitmap(&upper, &a));
    EXPECT_TRUE(a == cached && b == cached && uncached->getNbReference() == 1); // a hit leaves the previous alone
    uncached->forget();
    ASSERT_TRUE(loadResourceBitmap(&goodNumber, &b));
    releaseBitmap(&a), releaseBitmap(&b);
    EXPECT_TRUE(cached->getNbReference() == 1 && cache.list.count() == 2); // the cache's bitmaps are kept
    cache.list.clear(), cache.enabled = false;

    BitmapList list;
    CBitmap* kept = new CBitmap(1, 1);
    kept->remember();
    // Kept as its first 259 characters, found ignoring case, given back by clear.
    EXPECT_TRUE(list.add(kept, std::string(300, 'n').c_str()) == 1 && list.find(std::string(259, 'N').c_str()) == kept &&
                !list.find(std::string(260, 'n').c_str()));
    list.clear();
    EXPECT_EQ(kept->getNbReference(), 1);
    kept->forget();
}

} // namespace
