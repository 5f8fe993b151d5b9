#pragma once

#include "vst2/AEffEditor.h"
#include "vstgui/VSTGUIEditorInterface.h"

namespace VSTGUI {

// The VST 2 editor base: keeps the effect (opaque here; the derived editor knows its type), the
// rectangle reported to the host, the host's parent window and the frame while it is open.
class PluginGUIEditor : public VSTGUIEditorInterface, public AEffEditor {
public:
    explicit PluginGUIEditor(void* effect);
    ~PluginGUIEditor() override;

    int32_t getKnobMode() const override { return knobMode; }

    virtual void setParameter(VstInt32 index, float value);
    // Stores the address of the editor's rectangle through rect; false for a null rect.
    bool getRect(ERect** rect) override;
    // Stores the parent window; the derived editor builds its frame.
    bool open(void* parentWindow) override;
    void close() override;
    // Redraws what changed in the frame.
    void idle() override;
    // Redraws rect of the frame (the whole frame for a null rect).
    virtual void draw(ERect* rect);
    // The knob mode is shared by every editor of the process.
    bool setKnobMode(VstInt32 mode) override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;

    void* getEffect() const { return effect; }
    void* getParentWindow() const { return systemWindow; }

protected:
    void* effect;
    ERect rect{};
    void* systemWindow = nullptr;

private:
    static int32_t knobMode;
};

} // namespace VSTGUI
