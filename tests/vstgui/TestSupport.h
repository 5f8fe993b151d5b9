#pragma once

#include "vstgui/CBitmap.h"
#include "vstgui/COptionMenu.h"
#include "vstgui/IControlListener.h"
#include "vstgui/IPlatformOptionMenu.h"
#include "vstgui/PluginGUIEditor.h"

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
SharedPointer<IPlatformBitmap> makeBitmap(int32_t width, int32_t height,
                                          const std::function<CColor(int32_t, int32_t)>& colourAt);
// Encodes the bitmap as PNG and registers it as resource id (the bytes live for the process).
void registerPng(int32_t id, const IPlatformBitmap& bitmap);
void registerBytes(int32_t id, std::vector<uint8_t> bytes);
// The stored bytes of pixel (x, y): premultiplied blue, green, red, alpha as a CColor(r, g, b, a).
CColor rawPixel(const IPlatformBitmap& bitmap, int32_t x, int32_t y);

struct ListenerCall {
    int32_t tag;
    float value;
};

// Records what controls report.
class RecordingListener : public IControlListener {
public:
    void valueChanged(CControl* control) override;
    void controlBeginEdit(CControl*) override { ++begins; }
    void controlEndEdit(CControl*) override { ++ends; }

    std::vector<ListenerCall> calls;
    int begins = 0;
    int ends = 0;
};

// Chooses the queued positions in turn (-1 when none is left) and records the titles shown.
class ScriptedOptionMenu : public IPlatformOptionMenu {
public:
    int32_t popup(COptionMenu& menu) override;

    std::deque<int32_t> choices;
    std::vector<std::vector<std::string>> shownTitles;
    std::vector<bool> attachedWhenShown;
    std::function<void(COptionMenu&)> whileOpen;
};

// An editor whose mouse hooks record the presses and releases that no view handled.
class RecordingEditor : public PluginGUIEditor {
public:
    RecordingEditor() : PluginGUIEditor(nullptr) {}
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    void beginEdit(int32_t index) override { editorBegins.push_back(index); }
    void endEdit(int32_t index) override { editorEnds.push_back(index); }
    void setFrame(CFrame* newFrame) { frame = newFrame; }

    std::vector<CPoint> unhandledDowns;
    std::vector<int32_t> unhandledDownButtons;
    int unhandledUps = 0;
    std::vector<int32_t> editorBegins;
    std::vector<int32_t> editorEnds;
    std::function<CMouseEventResult(CPoint&, const CButtonState&)> downHook;
};

} // namespace testsupport
