#pragma once

// One plug-in made through its entry point, as a host makes it, with its editor opened
// offscreen: the mouse is driven through the offscreen back end, menus choose from a script, and
// the host's record shows what the plug-in asked of it.

#include "TestSupport.h"

#include "editor/ADEditor.h"
#include "platform/Sleep.h"
#include "shell/VstXSynth.h"
#include "tools/host/PluginInstance.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>
#include <tuple>

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace editortest {

using namespace VSTGUI;
// Host calls as (opcode, index, value).
using Calls = std::vector<std::tuple<int32_t, int32_t, VstIntPtr>>;
constexpr CPoint kBackground(20, 20);

// The window size a user has chosen before: settings of our own (a folder of the build tree per
// test process on Linux; under Windows the registry value, which the test programs take turns
// to use), never the developer's.
inline void storeUISize(uint8_t size)
{
#ifndef _WIN32
    static const std::string folder = testsupport::outputPath("editor-test-settings-" + std::to_string(::getpid()));
    static const bool isolated = std::filesystem::create_directories(folder) &&
                                 ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1) == 0 &&
                                 std::atexit([] { std::filesystem::remove_all(folder); }) == 0;
    (void)isolated;
#endif
    writeUISize(size);
}

// The brightness of a BGRA pixel of the "Default" panel (717 pixels wide).
inline int32_t brightness(const uint8_t* pixels, int32_t x, int32_t y)
{
    const uint8_t* p = pixels + (size_t(y) * 717 + size_t(x)) * 4;
    return p[0] + p[1] + p[2];
}

// The model whose LED is lit on the "Default" panel: the one box whose LED centre is brighter
// than the seven others, which agree; -1 when there is none.
inline int32_t litModel(const uint8_t* pixels)
{
    int32_t leds[8];
    for (int32_t box = 0; box < 8; ++box)
        leds[box] = brightness(pixels, box < 4 ? 381 : 459, 225 + 12 * (box % 4));
    const int32_t* lit = std::max_element(leds, leds + 8);
    const int32_t other = leds[(lit - leds + 1) % 8];
    return std::count(leds, leds + 8, other) == 7 && *lit > other ? int32_t(lit - leds) : -1;
}

struct EditorRig {
    // With size as the window size a user has chosen before.
    explicit EditorRig(uint8_t size = 0)
    {
        storeUISize(size);
        platform::setSleepFunction([](uint32_t ms) { sleeps.push_back(ms); });
        plugin = host::PluginInstance::create(&VSTPluginMain, host);
        synth = dynamic_cast<VstXSynth*>(static_cast<AudioEffect*>(plugin->effect()->object));
        editor = static_cast<ADEditor*>(synth->getEditor());
    }

    // Opens the editor as a host does, offscreen, and idles once; false when the plug-in refused.
    bool open()
    {
        const bool opened = plugin->dispatch(effEditOpen) != 0;
        idle();
        return opened;
    }
    void idle()
    {
        plugin->dispatch(effEditIdle);
        if ((backEnd = OffscreenPlatformFrame::of(editor->getFrame())))
            backEnd->setOptionMenu(&presenter);
    }
    CMouseEventResult press(CPoint at, int32_t buttons = kLButton) { return backEnd->mouseDown(at, buttons); }
    void move(CPoint at, int32_t buttons = kLButton) { backEnd->mouseMoved(at, buttons); }
    void release(CPoint at, int32_t buttons = kLButton) { backEnd->mouseUp(at, buttons); }
    float parameter(int32_t index) { return plugin->effect()->getParameter(plugin->effect(), index); }
    // The host sets a parameter; the editor shows it at the idle that follows.
    void set(int32_t index, float value) { plugin->effect()->setParameter(plugin->effect(), index, value), idle(); }
    // The calls with these opcodes that the host heard since the last look.
    Calls heard(std::initializer_list<int32_t> opcodes)
    {
        Calls seen;
        for (const host::HostCall& call : host.calls())
            if (std::find(opcodes.begin(), opcodes.end(), call.opcode) != opcodes.end())
                seen.emplace_back(call.opcode, call.index, call.value);
        host.clearCalls();
        return seen;
    }
    // Runs a gesture as Ardour does: on a thread of the host's own, not the one that made the editor.
    void onHostThread(const std::function<void()>& run) { std::thread([&] { gestureThread = std::this_thread::get_id(), run(); }).join(); }
    // The user edits: 7 the time, 43 begin, 0 automation, 44 end; the time request and the begin
    // come from the thread of the gesture.
    Calls edits()
    {
        for (const host::HostCall& call : host.calls())
            EXPECT_TRUE((call.opcode != 7 && call.opcode != 43) || call.thread == gestureThread) << call.opcode;
        return heard({7, 43, 0, 44});
    }
    CControl* control(int32_t tag) { return editor->getControl(tag); }
    CPoint centreOf(int32_t tag) { return control(tag)->getViewSize().getCenter(); }
    const uint8_t* pixels() { return std::as_const(*editor->getFrame()->getBackBuffer()).getPixels(); }

    host::Host host;
    std::unique_ptr<host::PluginInstance> plugin;
    VstXSynth* synth = nullptr;
    ADEditor* editor = nullptr;
    OffscreenPlatformFrame* backEnd = nullptr;
    testsupport::ScriptedOptionMenu presenter;
    std::thread::id gestureThread = std::this_thread::get_id();
    // The waits the editor asked for, which tests never spend.
    static inline std::vector<uint32_t> sleeps;
};

} // namespace editortest
