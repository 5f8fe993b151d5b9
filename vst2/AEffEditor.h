#pragma once

// The plug-in side editor interface that the dispatcher drives; toolkit editors derive from it.

#include "vst2/Records.h"

class AEffEditor {
public:
    virtual ~AEffEditor() = default;

    // Stores the address of the editor's rectangle through rect; false when there is none.
    virtual bool getRect(ERect** rect) = 0;
    virtual bool open(void* parentWindow) = 0;
    virtual void close() = 0;
    virtual void idle() = 0;
    virtual bool setKnobMode(VstInt32 mode) = 0;
    virtual bool onKeyDown(VstKeyCode& keyCode) = 0;
    virtual bool onKeyUp(VstKeyCode& keyCode) = 0;
};
