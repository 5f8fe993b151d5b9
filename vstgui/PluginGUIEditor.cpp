#include "vstgui/PluginGUIEditor.h"

#include "vstgui/CFrame.h"

namespace VSTGUI {

int32_t PluginGUIEditor::knobMode = kCircularMode;

PluginGUIEditor::PluginGUIEditor(void* effect) : effect(effect) {}

PluginGUIEditor::~PluginGUIEditor() = default;

void PluginGUIEditor::setParameter(VstInt32, float) {}

bool PluginGUIEditor::getRect(ERect** target)
{
    if (!target)
        return false;
    *target = &rect;
    return true;
}

bool PluginGUIEditor::open(void* parentWindow)
{
    systemWindow = parentWindow;
    return true;
}

void PluginGUIEditor::close()
{
    systemWindow = nullptr;
}

void PluginGUIEditor::idle()
{
    if (frame)
        frame->idle();
}

void PluginGUIEditor::draw(ERect* area)
{
    if (!frame)
        return;
    if (area)
        frame->invalidRect(CRect(area->left, area->top, area->right, area->bottom));
    else
        frame->invalid();
    frame->idle();
}

bool PluginGUIEditor::setKnobMode(VstInt32 mode)
{
    knobMode = mode;
    return true;
}

bool PluginGUIEditor::onKeyDown(VstKeyCode&)
{
    return false;
}

bool PluginGUIEditor::onKeyUp(VstKeyCode&)
{
    return false;
}

} // namespace VSTGUI
