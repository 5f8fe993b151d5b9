// The editor through the plug-in's entry point, painted offscreen: opening it at each size, a
// full repaint at "Huge", one knob's redraw while it is dragged, and an idle with nothing to do.
// Also the memory an instance holds with its editor closed (counters of the open benchmark).

#include "editor/ADEditor.h"
#include "shell/VstXSynth.h"
#include "tools/host/PluginInstance.h"
#include "vstgui/CFrame.h"
#include "vstgui/OffscreenPlatformFrame.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace {

using namespace VSTGUI;

// The benchmarks choose the window size through the stored setting: keep it out of the user's.
void useScratchSettings()
{
    static const bool done = [] {
        const auto folder = std::filesystem::temp_directory_path() / ("zarn-bench-settings-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        return true;
    }();
    (void)done;
}

struct Instance {
    host::Host host;
    std::unique_ptr<host::PluginInstance> plugin = host::PluginInstance::create(&VSTPluginMain, host);
    ADEditor* editor = static_cast<ADEditor*>(
        dynamic_cast<VstXSynth*>(static_cast<AudioEffect*>(plugin->effect()->object))->getEditor());

    // The size is stored first (the editor opens at the stored size), outside what is timed.
    static void chooseSize(uint8_t size)
    {
        useScratchSettings();
        writeUISize(size);
    }
    OffscreenPlatformFrame* open()
    {
        plugin->dispatch(effEditOpen);
        return OffscreenPlatformFrame::of(editor->getFrame());
    }
    OffscreenPlatformFrame* open(uint8_t size)
    {
        chooseSize(size);
        return open();
    }
    void idle() { plugin->dispatch(effEditIdle); }
};

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_EditorOpenAndFirstPaint(benchmark::State& state)
{
    Instance instance;
    Instance::chooseSize(uint8_t(state.range(0)));
    for (auto _ : state) {
        instance.open();
        instance.idle();
        instance.plugin->dispatch(effEditClose);
    }
}
BENCHMARK(BM_EditorOpenAndFirstPaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_EditorFullRepaintHuge(benchmark::State& state)
{
    Instance instance;
    instance.open(2);
    instance.idle();
    for (auto _ : state) {
        instance.editor->getFrame()->invalid();
        instance.idle();
    }
}
BENCHMARK(BM_EditorFullRepaintHuge)->Unit(benchmark::kMicrosecond);

void BM_EditorKnobDragRedraw(benchmark::State& state)
{
    Instance instance;
    OffscreenPlatformFrame* backEnd = instance.open(uint8_t(state.range(0)));
    instance.idle();
    const CPoint centre = instance.editor->getControl(kAmpDecay)->getViewSize().getCenter();
    backEnd->mouseDown(centre, kLButton);
    double offset = 0;
    for (auto _ : state) {
        offset = offset >= 60 ? -60 : offset + 1;
        backEnd->mouseMoved(CPoint(centre.x, centre.y - offset), kLButton);
        instance.idle();
    }
    backEnd->mouseUp(centre, kLButton);
}
BENCHMARK(BM_EditorKnobDragRedraw)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_EditorIdleWithNothingChanged(benchmark::State& state)
{
    Instance instance;
    instance.open(2);
    instance.idle();
    for (auto _ : state)
        instance.idle();
}
BENCHMARK(BM_EditorIdleWithNothingChanged);

// Heap held by one instance and by a second one, editors closed, after the first instance's
// editor was opened once at every size (its pictures decoded).
void BM_InstanceMemoryEditorClosed(benchmark::State& state)
{
    for (auto _ : state) {
        const size_t before = heapInUse();
        auto first = std::make_unique<Instance>();
        for (uint8_t size = 0; size < kNumUISizes; ++size) {
            first->open(size);
            first->idle();
            first->plugin->dispatch(effEditClose);
        }
        const size_t withOne = heapInUse();
        auto second = std::make_unique<Instance>();
        const size_t withTwo = heapInUse();
        state.counters["first_instance_KiB"] = double(withOne - before) / 1024;
        state.counters["second_instance_KiB"] = double(withTwo - withOne) / 1024;
    }
}
BENCHMARK(BM_InstanceMemoryEditorClosed)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
