// Writes pictures of the editor as a user sees it, without a host: the three window sizes and
// one with a knob being dragged and its value pop-up showing. The plug-in is made through its
// entry point and its editor painted by the offscreen back end. Then the gallery of the custom
// controls, which the editor does not place.

#include "editor/ADEditor.h"
#include "shell/VstXSynth.h"
#include "tools/controls-gallery/ControlsGallery.h"
#include "tools/host/PluginInstance.h"
#include "vstgui/CFrame.h"
#include "vstgui/OffscreenPlatformFrame.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

using namespace VSTGUI;

namespace {

struct Editor {
    host::Host host;
    std::unique_ptr<host::PluginInstance> plugin = host::PluginInstance::create(&VSTPluginMain, host);
    ADEditor* editor = static_cast<ADEditor*>(
        dynamic_cast<VstXSynth*>(static_cast<AudioEffect*>(plugin->effect()->object))->getEditor());

    OffscreenPlatformFrame* open()
    {
        if (plugin->dispatch(effEditOpen) == 0)
            return nullptr;
        plugin->dispatch(effEditIdle);
        return OffscreenPlatformFrame::of(editor->getFrame());
    }
};

bool write(OffscreenPlatformFrame* backEnd, const std::filesystem::path& path)
{
    if (!backEnd || !backEnd->writePng(path.string())) {
        std::fprintf(stderr, "editor-pictures: could not write %s\n", path.string().c_str());
        return false;
    }
    std::printf("%s\n", path.string().c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: editor-pictures OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    // The window size is remembered per user: keep the pictures' choices out of the user's own.
    const std::filesystem::path settings = folder / ".settings";
    std::filesystem::create_directories(settings);
    ::setenv("XDG_CONFIG_HOME", settings.string().c_str(), 1);

    bool written = true;
    const char* names[kNumUISizes] = {"default", "large", "huge"};
    for (uint8_t size = 0; size < kNumUISizes; ++size) {
        writeUISize(size);
        Editor editor;
        written &= write(editor.open(), folder / ("editor-" + std::string(names[size]) + ".png"));
    }

    // A drag on the Amp-Decay knob at "Large", the pop-up showing its value.
    writeUISize(1);
    Editor editor;
    OffscreenPlatformFrame* backEnd = editor.open();
    if (CControl* knob = backEnd ? editor.editor->getControl(kAmpDecay) : nullptr) {
        const CPoint centre = knob->getViewSize().getCenter();
        backEnd->mouseDown(centre, kLButton);
        backEnd->mouseMoved(CPoint(centre.x, centre.y - 60), kLButton);
        editor.plugin->dispatch(effEditIdle);
    }
    written &= write(backEnd, folder / "editor-knob-drag.png");
    written &= write(OffscreenPlatformFrame::of(gallery::ControlsGallery().getFrame()), folder / "controls-gallery.png");
    std::filesystem::remove_all(settings);
    return written ? 0 : 1;
}
