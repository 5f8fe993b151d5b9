#pragma once

// One plug-in made through its entry point, as a host makes it, with its editor opened
// offscreen: the mouse is driven through the offscreen back end, menus choose from a script, and
// the host's record shows what the plug-in asked of it.

#include "TestSupport.h"

#include "editor/ADEditor.h"
#include "platform/Sleep.h"
#include "shell/VstXSynth.h"
#include "tools/host/PluginInstance.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace editortest {

using namespace VSTGUI;

// The window size a user has chosen before: settings of our own (a folder of the build tree per
// test process on Linux; under Windows the registry value, rewritten, which the test programs
// take turns to use), never the developer's.
inline void storeUISize(uint8_t size)
{
#ifndef _WIN32
    static const bool isolated = [] {
        static const std::string folder =
            testsupport::outputPath("editor-test-settings-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        std::atexit([] { std::filesystem::remove_all(folder); });
        return true;
    }();
    (void)isolated;
#endif
    writeUISize(size);
}

struct EditorRig {
    EditorRig()
    {
        platform::setSleepFunction([](uint32_t ms) { sleeps.push_back(ms); });
        plugin = host::PluginInstance::create(&VSTPluginMain, host);
        synth = dynamic_cast<VstXSynth*>(static_cast<AudioEffect*>(plugin->effect()->object));
        editor = static_cast<ADEditor*>(synth->getEditor());
    }

    // Opens the editor as a host does, offscreen; false when the plug-in refused.
    bool open()
    {
        if (plugin->dispatch(effEditOpen) == 0)
            return false;
        backEnd = OffscreenPlatformFrame::of(editor->getFrame());
        backEnd->setOptionMenu(&presenter);
        return true;
    }
    void idle()
    {
        plugin->dispatch(effEditIdle);
        backEnd = OffscreenPlatformFrame::of(editor->getFrame());
        if (backEnd)
            backEnd->setOptionMenu(&presenter);
    }
    CMouseEventResult press(CPoint at, int32_t buttons = kLButton) { return backEnd->mouseDown(at, buttons); }
    CMouseEventResult move(CPoint at, int32_t buttons = kLButton) { return backEnd->mouseMoved(at, buttons); }
    CMouseEventResult release(CPoint at, int32_t buttons = kLButton) { return backEnd->mouseUp(at, buttons); }
    float parameter(int32_t index) { return plugin->effect()->getParameter(plugin->effect(), index); }
    void setParameter(int32_t index, float value) { plugin->effect()->setParameter(plugin->effect(), index, value); }
    ERect rect()
    {
        ERect* r = nullptr;
        plugin->dispatch(effEditGetRect, 0, 0, &r);
        return *r;
    }
    // The user edits the host heard since the last look: (43 begin, 0 automation, 44 end, index).
    std::vector<std::pair<int32_t, int32_t>> edits()
    {
        std::vector<std::pair<int32_t, int32_t>> seen;
        for (const host::HostCall& call : host.calls())
            if (call.opcode == 43 || call.opcode == 0 || call.opcode == 44)
                seen.emplace_back(call.opcode, call.index);
        host.clearCalls();
        return seen;
    }
    CControl* control(int32_t tag) { return editor->getControl(tag); }
    CPoint centreOf(int32_t tag) { return control(tag)->getViewSize().getCenter(); }

    host::Host host;
    std::unique_ptr<host::PluginInstance> plugin;
    VstXSynth* synth = nullptr;
    ADEditor* editor = nullptr;
    OffscreenPlatformFrame* backEnd = nullptr;
    testsupport::ScriptedOptionMenu presenter;
    // The waits the editor asked for, which tests never spend.
    static inline std::vector<uint32_t> sleeps;
};

} // namespace editortest
