#include "support/ResourceBitmap.h"

#include "TempTree.h"
#include "platform/Shell.h"
#include "support/BitmapCache.h"
#include "vstgui/PngCodec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace {

using VSTGUI::CBitmap;

std::vector<std::tuple<HWND, std::string, std::string, UINT>> messages;

int recordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    messages.emplace_back(owner, text, caption, type);
    return IDOK;
}

ResourceRef named(const std::string& path)
{
    ResourceRef ref{0, true, {}};
    path.copy(ref.name, sizeof ref.name - 1);
    return ref;
}

class ResourceBitmap : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousSink = platform::setMessageBoxSink(recordMessage);
        VSTGUI::CPoint size(3, 2);
        png = VSTGUI::PngCodec::encode(*VSTGUI::IPlatformBitmap::create(&size));
        corrupt.assign(png.begin(), png.end() - 20); // the header still reads
        VSTGUI::CResourceDescription::registerData(kGood, png.data(), png.size());
        VSTGUI::CResourceDescription::registerData(kCorrupt, corrupt.data(), corrupt.size());
        std::ofstream(files.native("good.png"), std::ios::binary).write((const char*)png.data(), std::streamsize(png.size()));
        std::ofstream(files.native("bad.png"), std::ios::binary).write((const char*)corrupt.data(), std::streamsize(corrupt.size()));
    }
    void TearDown() override { platform::setMessageBoxSink(previousSink); }

    static constexpr int32_t kGood = 7001, kCorrupt = 7002;
    platform::MessageBoxSink previousSink = nullptr;
    std::vector<uint8_t> png, corrupt;
    testsupport::TempTree files;
};

TEST_F(ResourceBitmap, OnlyTheFirstFailureOfTheProcessIsReported)
{
    CBitmap* target = new CBitmap(1, 1);
    CBitmap* const first = target;
    const int64_t live = VSTGUI::ReferenceCounted::liveObjectCount();
    for (const ResourceRef& failing : {ResourceRef{-1, false, {}}, ResourceRef{7099, false, {}}, ResourceRef{kCorrupt, false, {}},
                                      named(files.path("missing.png")), named(files.path("bad.png"))}) {
        EXPECT_FALSE(loadResourceBitmap(&failing, &target));
        EXPECT_EQ(target, first);
    }
    EXPECT_FALSE(loadResourceBitmap(nullptr, &target));
    EXPECT_EQ(VSTGUI::ReferenceCounted::liveObjectCount(), live); // every attempt was given back
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], std::make_tuple(HWND(nullptr), std::string("Resource images not found! Please reinstall the plugin (-1)."),
                                           std::string("Error"), UINT(0x1010)));

    first->remember();
    const ResourceRef good{kGood, false, {}};
    ASSERT_TRUE(loadResourceBitmap(&good, &target));
    EXPECT_EQ(first->getNbReference(), 1); // the previous bitmap was given back
    EXPECT_EQ(target->getWidth(), 3);
    const ResourceRef file = named(files.path("good.png"));
    ASSERT_TRUE(loadResourceBitmap(&file, &target));
    EXPECT_EQ(target->getHeight(), 2);
    releaseBitmap(&target);
    EXPECT_EQ(target, nullptr);
    first->forget();
}

TEST_F(ResourceBitmap, MessagesFitTheirBuffer)
{
    for (const auto& [ref, shown] : {std::pair{named("C:/x/knob.png"), std::string("knob")}, {named("C:\\x.y\\knob.png"), "knob"},
                                     {named(""), "---"}, {named(std::string(300, 't') + ".png"), std::string(197, 't')}}) {
        char text[kResourceErrorSize];
        std::memset(text, '#', sizeof text);
        formatResourceError(ref, text);
        EXPECT_EQ(text, "Resource images not found! Please reinstall the plugin (" + shown + ").");
    }
}

TEST_F(ResourceBitmap, TheEnabledCacheSharesBitmapsByName)
{
    BitmapCache& cache = BitmapCache::instance();
    const ResourceRef lower = named(files.path("good.png")), upper = named(files.path("GOOD.PNG"));
    CBitmap* a = nullptr;
    CBitmap* b = nullptr;
    ASSERT_TRUE(loadResourceBitmap(&lower, &a) && loadResourceBitmap(&lower, &b));
    EXPECT_NE(a, b); // caching is off
    releaseBitmap(&b);
    EXPECT_EQ(a->getNbReference(), 1);

    cache.enabled = true;
    ASSERT_TRUE(loadResourceBitmap(&lower, &b));
    CBitmap* const cached = b;
    CBitmap* const uncached = a;
    ASSERT_TRUE(loadResourceBitmap(&upper, &b) && loadResourceBitmap(&upper, &a));
    EXPECT_TRUE(a == cached && b == cached);
    EXPECT_EQ(uncached->getNbReference(), 1); // a cache hit leaves the previous bitmap alone
    uncached->forget();
    const ResourceRef other{kGood, false, {}};
    ASSERT_TRUE(loadResourceBitmap(&other, &b));
    EXPECT_EQ(cached->getNbReference(), 1); // the cache's own bitmap is kept
    releaseBitmap(&a);
    releaseBitmap(&b);
    EXPECT_EQ(cache.list.count(), 2u);
    cache.list.clear();
    cache.enabled = false;

    BitmapList list;
    const std::string longName(300, 'n');
    CBitmap* kept = new CBitmap(1, 1);
    EXPECT_EQ(list.add(kept, longName.c_str()), 1);
    EXPECT_EQ(list.find(longName.substr(0, 259).c_str()), kept);
    EXPECT_FALSE(list.find(longName.c_str()) || list.contains(nullptr));
    kept->remember();
    list.clear();
    EXPECT_EQ(kept->getNbReference(), 1);
    kept->forget();
}

} // namespace
