#pragma once

#include "vst2/AEffect.h"

#include <cstdint>

class Zarn;

// What the editor needs from the plug-in that owns it (the plug-in class, or a test double).
class EditorOwner {
public:
    // The engine: its program bank gives the controls their values, its fields the value texts.
    virtual Zarn& getEngine() = 0;
    virtual VstInt32 getProgram() = 0;
    // A user's edit of parameter index, told to the host: begin, each new value (automation and
    // the controller echo), end.
    virtual bool beginEdit(VstInt32 index) = 0;
    virtual void setParameterAutomated(VstInt32 index, float value) = 0;
    virtual bool endEdit(VstInt32 index) = 0;
    // Asks the host for an editor window of that size.
    virtual bool sizeWindow(VstInt32 width, VstInt32 height) = 0;
    // The tap pad's notes, from the user-interface thread; false when the queue is full.
    virtual bool queueNoteEvent(uint8_t status, uint8_t note, int32_t deltaFrames) = 0;

protected:
    ~EditorOwner() = default;
};
