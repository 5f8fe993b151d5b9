#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/CControl.h"
#include "vstgui/CFrame.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/IControlListener.h"
#include "vstgui/IPlatformBitmapPixelAccess.h"
#include "vstgui/IPlatformOptionMenu.h"
#include "vstgui/OffscreenPlatformFrame.h"
#include "vstgui/PluginGUIEditor.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

using namespace VSTGUI;

// A path in the build tree's output folder.
inline std::string outputPath(const std::string& name)
{
    return std::string(ZARN_VSTGUI_TEST_OUTPUT) + "/" + name;
}

// A bitmap whose pixel (x, y) has colourAt(x, y) (straight colour, premultiplied on storage).
inline SharedPointer<CBitmap> makeBitmap(int32_t width, int32_t height,
                                         const std::function<CColor(int32_t, int32_t)>& colourAt)
{
    CPoint size(width, height);
    auto bitmap = IPlatformBitmap::create(&size);
    auto access = bitmap->lockPixels(true);
    uint8_t* p = access->getAddress();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x, p += 4) {
            const CColor c = colourAt(x, y);
            p[0] = uint8_t((c.blue * c.alpha + 127) / 255);
            p[1] = uint8_t((c.green * c.alpha + 127) / 255);
            p[2] = uint8_t((c.red * c.alpha + 127) / 255);
            p[3] = c.alpha;
        }
    return makeOwned<CBitmap>(bitmap);
}

// Registers bytes as resource id; they live for the process, as a module's resources do.
inline void registerBytes(int32_t id, std::vector<uint8_t> bytes)
{
    static std::deque<std::vector<uint8_t>> storage;
    storage.push_back(std::move(bytes));
    CResourceDescription::registerData(id, storage.back().data(), storage.back().size());
}

// The stored bytes of pixel (x, y): premultiplied blue, green, red, alpha as a CColor(r, g, b, a).
inline CColor rawPixel(const IPlatformBitmap& bitmap, int32_t x, int32_t y)
{
    const uint8_t* p = bitmap.getPixels() + (size_t(y) * size_t(bitmap.getPixelWidth()) + size_t(x)) * 4;
    return CColor(p[2], p[1], p[0], p[3]);
}

// Records what controls report.
struct RecordingListener : IControlListener {
    void valueChanged(CControl* control) override { calls.push_back({control->getTag(), control->getValue()}); }
    void controlBeginEdit(CControl*) override { ++begins; }
    void controlEndEdit(CControl*) override { ++ends; }

    struct Call {
        int32_t tag;
        float value;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    int begins = 0;
    int ends = 0;
};

// Chooses the queued positions in turn (-1 when none is left) and records the titles shown.
struct ScriptedOptionMenu : IPlatformOptionMenu {
    int32_t popup(COptionMenu& menu) override
    {
        auto& titles = shownTitles.emplace_back();
        for (int32_t i = 0; i < menu.getNbEntries(); ++i)
            titles.push_back(menu.getEntry(i)->isSeparator() ? "-" : menu.getEntry(i)->getTitle());
        if (whileOpen)
            whileOpen(menu);
        const int32_t choice = choices.empty() ? -1 : choices.front();
        if (!choices.empty())
            choices.pop_front();
        return choice;
    }

    std::deque<int32_t> choices;
    std::vector<std::vector<std::string>> shownTitles;
    std::function<void(COptionMenu&)> whileOpen;
};

// An editor whose mouse hooks record the presses and releases that no view handled.
struct RecordingEditor : PluginGUIEditor {
    RecordingEditor() : PluginGUIEditor(nullptr) {}
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
    {
        unhandledDowns.emplace_back(where, buttons());
        return downHook ? downHook(where, buttons) : kMouseEventNotImplemented;
    }
    CMouseEventResult onMouseUp(CPoint&, const CButtonState&) override
    {
        ++unhandledUps;
        return kMouseEventNotImplemented;
    }
    void beginEdit(int32_t index) override { editorBegins.push_back(index); }
    void endEdit(int32_t index) override { editorEnds.push_back(index); }
    void setFrame(CFrame* newFrame) { frame = newFrame; }

    std::vector<std::pair<CPoint, int32_t>> unhandledDowns; // where, buttons
    int unhandledUps = 0;
    std::vector<int32_t> editorBegins;
    std::vector<int32_t> editorEnds;
    std::function<CMouseEventResult(CPoint&, const CButtonState&)> downHook;
};

// An open offscreen frame with the recorders above; when it ends, every reference taken since
// it began must have been returned.
struct OffscreenRig {
    explicit OffscreenRig(CCoord width = 300, CCoord height = 300)
        : frame(new CFrame(CRect(0, 0, width, height), &editor))
    {
        editor.setFrame(frame);
        editor.setKnobMode(2); // linear, as the plug-in's editor
        EXPECT_TRUE(frame->open(nullptr, PlatformType::kOffscreen));
        backEnd = OffscreenPlatformFrame::of(frame);
        backEnd->setOptionMenu(&presenter);
    }
    ~OffscreenRig()
    {
        frame->close();
        EXPECT_EQ(ReferenceCounted::liveObjectCount(), objects);
    }

    const int64_t objects = ReferenceCounted::liveObjectCount();
    RecordingEditor editor;
    RecordingListener listener;
    ScriptedOptionMenu presenter;
    CFrame* frame;
    OffscreenPlatformFrame* backEnd;
};

} // namespace testsupport
