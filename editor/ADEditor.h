#pragma once

#include "editor/EditorLayout.h"
#include "editor/EditorOwner.h"
#include "editor/ParameterMailbox.h"
#include "editor/UISizeStore.h"
#include "vstgui/CControl.h"
#include "vstgui/CFontDesc.h"
#include "vstgui/IControlListener.h"
#include "vstgui/PluginGUIEditor.h"

#include <cstdint>
#include <memory>

namespace VSTGUI {
class COptionMenu;
class QelCParamDisplay;
} // namespace VSTGUI

// The plug-in's editor window: the panel picture with a control for each parameter, the tap pad
// and the logo area, in three sizes chosen from a right-click menu. The plug-in creates, drives
// and deletes it. Everything runs on the host's user-interface thread except setParameter and
// updateControls, which any thread may call.
class ADEditor : public VSTGUI::PluginGUIEditor, public VSTGUI::IControlListener {
public:
    enum BitmapKind : int32_t { kBackground, kLed, kTapPad, kButton, kKnobStrip, kAbout, kNumBitmapKinds };
    static constexpr int32_t kKnobFrames = 63;
    static constexpr uint8_t kTapNote = 31;

    explicit ADEditor(EditorOwner* owner);
    ~ADEditor() override;

    // Builds the frame in parentWindow (an X11 window id or an HWND; null paints offscreen) at the
    // stored size. False, with the editor closed, when the window cannot be made or the size's
    // panel or knob pictures are missing. An open editor is closed first.
    bool open(void* parentWindow) override;
    void close() override;
    // Applies the parameter changes that arrived since the last idle, redraws what changed and
    // carries out a pending size change.
    void idle() override;

    // Moves control index (0 to 21) to value at the next idle; any thread, never waits.
    void setParameter(VstInt32 index, float value) override;
    // Moves the 22 parameter controls to program's values at the next idle; any thread.
    void updateControls(VstInt32 program);

    void valueChanged(VSTGUI::CControl* control) override;
    // A control's user edit of parameter index (its tag): the host hears one begin and one end
    // around it however the control's edits nest. The tap pad, logo and menu are no parameters.
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    // A right click that no control took opens the window-size menu (3); anything else 0.
    VSTGUI::CMouseEventResult onMouseDown(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;
    VSTGUI::CMouseEventResult onMouseUp(VSTGUI::CPoint& where, const VSTGUI::CButtonState& buttons) override;

    bool isEditorOpen() const { return isOpen; }
    uint8_t getUISizeIndex() const { return uiSizeIndex; }
    bool isResizePending() const { return resizePending; }
    const EditorLayout& getLayout() const { return layout; }
    // The control of tag; null while closed or where the layout has none.
    VSTGUI::CControl* getControl(int32_t tag) const;
    VSTGUI::QelCParamDisplay* getValueDisplay() const { return valueDisplay; }
    VSTGUI::CBitmap* getBitmap(BitmapKind kind, uint8_t size) const;

    // The resource number of a picture: 100 x (size + 1) plus the kind's code.
    static int32_t resourceNumber(BitmapKind kind, uint8_t size);
    // The picture with that resource number, or null when it is missing or not a picture.
    static VSTGUI::CBitmap* loadBitmap(int32_t resourceNumber);

private:
    VSTGUI::CControl* makeControl(int32_t tag, const ControlDesc& desc, VSTGUI::CCoord width, VSTGUI::CCoord height);
    bool hasPicturesFor(uint8_t size) const;
    void resizeToChosenSize();

    EditorOwner* owner;
    VSTGUI::CBitmap* bitmaps[kNumBitmapKinds][kNumUISizes] = {};
    VSTGUI::QelCParamDisplay* valueDisplay = nullptr;
    VSTGUI::CControl* controls[kNumControlTags] = {};
    bool isOpen = false;
    uint8_t uiSizeIndex = 0;
    bool resizePending = false;
    bool reopening = false;

    EditorLayout layout;
    VSTGUI::SharedPointer<VSTGUI::CFontDesc> popupFont;
    ParameterMailbox pendingValues;
    // Open edit levels per parameter, as the controls reported them.
    int32_t openEdits[kNumParams] = {};
    // The size menu while it is up: told when the editor goes away under it.
    VSTGUI::COptionMenu* shownMenu = nullptr;
    // Expires with the editor, so that code that waited in a nested menu loop can tell.
    std::shared_ptr<int> lifeToken = std::make_shared<int>(0);
};
