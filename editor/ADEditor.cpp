#include "editor/ADEditor.h"

#include "controls/QelCParamDisplay.h"
#include "editor/CClippedOnOffButton.h"
#include "editor/CHalvaneKnob.h"
#include "editor/CMySplashScreen.h"
#include "editor/CTapButton.h"
#include "editor/CZarnModelButton.h"
#include "engine/Zarn.h"
#include "platform/Sleep.h"
#include "platform/Window.h"
#include "resources/EmbeddedPictures.h"
#include "vstgui/CFrame.h"
#include "vstgui/COptionMenu.h"

#include <cmath>
#include <cstdlib>

using namespace VSTGUI;

namespace {

constexpr int32_t kBitmapCodes[ADEditor::kNumBitmapKinds] = {12, 14, 17, 15, 18, 13};
constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint32_t kResizeWaitMs = 200;
const CColor kPopupBackColor(245, 255, 100, 230);
const CColor kPopupTextColor(0, 0, 0, 255);

} // namespace

ADEditor::ADEditor(EditorOwner* owner)
    : PluginGUIEditor(owner), owner(owner), layout(EditorLayout::scaledTo(EditorLayout::kReferenceWidth))
{
    registerEmbeddedPictures();
    for (uint8_t size = 0; size < kNumUISizes; ++size)
        for (int32_t kind = 0; kind < kNumBitmapKinds; ++kind)
            bitmaps[kind][size] = loadBitmap(resourceNumber(BitmapKind(kind), size));
    CBitmap* background = bitmaps[kBackground][0];
    rect.top = 0;
    rect.left = 0;
    rect.bottom = int16_t(background ? background->getHeight() : 0);
    rect.right = int16_t(background ? background->getWidth() : 0);
}

ADEditor::~ADEditor()
{
    // A size menu still up (its nested loop runs below us) must not report to a freed editor.
    if (shownMenu)
        shownMenu->setListener(nullptr);
    close();
    for (auto& kind : bitmaps)
        for (CBitmap*& bitmap : kind) {
            if (bitmap)
                bitmap->forget();
            bitmap = nullptr;
        }
}

int32_t ADEditor::resourceNumber(BitmapKind kind, uint8_t size)
{
    return 100 * (int32_t(size) + 1) + kBitmapCodes[kind];
}

CBitmap* ADEditor::loadBitmap(int32_t number)
{
    // Only the header is read here: the pixels are decoded when a size is first shown, so that
    // an instance whose editor never opens holds no pictures.
    auto* bitmap = new CBitmap(CResourceDescription(number));
    if (!bitmap->isLoadable()) {
        bitmap->forget();
        return nullptr;
    }
    return bitmap;
}

CBitmap* ADEditor::getBitmap(BitmapKind kind, uint8_t size) const
{
    return kind >= 0 && kind < kNumBitmapKinds && size < kNumUISizes ? bitmaps[kind][size] : nullptr;
}

CControl* ADEditor::getControl(int32_t tag) const
{
    return frame && tag >= 0 && tag < kNumControlTags ? controls[tag] : nullptr;
}

bool ADEditor::hasPicturesFor(uint8_t size) const
{
    // The panel sizes the window and the knob strip the knobs; the other pictures only draw.
    return size < kNumUISizes && bitmaps[kBackground][size] && bitmaps[kKnobStrip][size] &&
           bitmaps[kBackground][size]->getPlatformBitmap() && bitmaps[kKnobStrip][size]->getPlatformBitmap();
}

bool ADEditor::open(void* parentWindow)
{
    if (isOpen)
        close(); // a second open builds anew in the new parent; the first frame is not orphaned
    if (!reopening) {
        readUISize(&uiSizeIndex); // a fresh open starts at the stored size, nothing pending
        resizePending = false;
    }
    if (!hasPicturesFor(uiSizeIndex))
        return false;
    CBitmap* background = bitmaps[kBackground][uiSizeIndex];
    CBitmap* knobStrip = bitmaps[kKnobStrip][uiSizeIndex];
    PluginGUIEditor::open(parentWindow);

    const int32_t width = int32_t(background->getWidth());
    const int32_t height = int32_t(background->getHeight());
    layout = EditorLayout::scaledTo(width);
    popupFont = makeOwned<CFontDesc>("Arial", layout.fontSize);
    SynthProgram* bank = owner->getEngine().getPrograms();

    auto* newFrame = new CFrame(CRect(0, 0, width, height), this);
    if (!newFrame->open(parentWindow)) {
        newFrame->forget();
        return false;
    }
    rect.right = int16_t(rect.left + width);
    rect.bottom = int16_t(rect.top + height);
    frame = newFrame;
    frame->setBackground(background);
    frame->setSize(width, height);
    owner->sizeWindow(width, height);
    setKnobMode(kLinearMode);

    valueDisplay = new QelCParamDisplay(CRect(10, 10, 100, 20), frame, nullptr, 0);
    valueDisplay->setBackColor(kPopupBackColor);
    valueDisplay->setFontColor(kPopupTextColor);
    valueDisplay->setFrameColor(kPopupTextColor);
    valueDisplay->setFont(popupFont.get());

    // Values posted before this point are read from the bank below.
    pendingValues.discard();
    const SynthProgram& program = bank[owner->getProgram()];
    const CCoord knobHeight = std::trunc(knobStrip->getHeight() / double(kKnobFrames));
    const CCoord knobWidth = std::trunc(knobStrip->getWidth());
    for (int32_t tag = 0; tag < kNumControlTags; ++tag) {
        controls[tag] = makeControl(tag, layout.controls[tag], knobWidth, knobHeight);
        if (!controls[tag])
            continue;
        controls[tag]->setValue(tag < kNumParams ? loadProgramValue(program, tag) : 0.0f);
        // The frame holds the editor's one reference until close takes the views back.
        frame->addView(controls[tag]);
    }
    isOpen = true;
    return true;
}

CControl* ADEditor::makeControl(int32_t tag, const ControlDesc& desc, CCoord knobWidth, CCoord knobHeight)
{
    CRect size(desc.left, desc.top, desc.right, desc.bottom);
    switch (desc.type) {
    case kControlKnob: {
        size.right = size.left + knobWidth;
        size.bottom = size.top + knobHeight;
        auto* knob = new CHalvaneKnob(size, this, tag, kKnobFrames, knobHeight, bitmaps[kKnobStrip][uiSizeIndex],
                                      valueDisplay, &owner->getEngine());
        knob->setWheelInc(0.01f);
        knob->setZoomFactor(4.0f);
        return knob;
    }
    case kControlLedSwitch:
        return new CClippedOnOffButton(size, this, tag, bitmaps[kLed][uiSizeIndex], 0);
    case kControlButtonSwitch:
        return new CClippedOnOffButton(size, this, tag, bitmaps[kButton][uiSizeIndex], 0);
    case kControlModelSelector:
        return new CZarnModelButton(size, this, tag, bitmaps[kLed][uiSizeIndex], layout.modelBoxes);
    case kControlSplash:
        return new CMySplashScreen(size, this, tag, bitmaps[kAbout][uiSizeIndex], frame->getViewSize());
    case kControlTapPad: {
        CBitmap* pad = bitmaps[kTapPad][uiSizeIndex];
        size.right = size.left + (pad ? pad->getWidth() : 0);
        size.bottom = size.top + (pad ? pad->getHeight() : 0);
        return new CTapButton(size, this, tag, pad);
    }
    default:
        return nullptr;
    }
}

void ADEditor::close()
{
    if (!isOpen)
        return;
    isOpen = false;
    CFrame* oldFrame = frame;
    frame = nullptr;
    // A size menu still up holds a reference of its frame's, which it gives back here.
    if (shownMenu && oldFrame && shownMenu->getParentView() == oldFrame)
        oldFrame->removeView(shownMenu, true);
    if (oldFrame) {
        oldFrame->removeAll(false);
        oldFrame->close();
    }
    if (valueDisplay)
        valueDisplay->forget();
    valueDisplay = nullptr;
    for (CControl*& control : controls) {
        if (control)
            control->forget();
        control = nullptr;
    }
}

void ADEditor::setParameter(VstInt32 index, float value)
{
    pendingValues.post(index, value);
}

void ADEditor::updateControls(VstInt32 program)
{
    const SynthProgram* bank = owner->getEngine().getPrograms();
    if (static_cast<uint32_t>(program) >= static_cast<uint32_t>(kNumPrograms))
        return;
    for (int32_t index = 0; index < kNumParams; ++index)
        pendingValues.post(index, loadProgramValue(bank[program], index));
}

void ADEditor::valueChanged(CControl* control)
{
    if (!control)
        return;
    const int32_t tag = control->getTag();
    if (tag >= 0 && tag < kNumParams) {
        owner->setParameterAutomated(tag, control->getValue());
    } else if (tag == kTapPadTag) {
        owner->queueNoteEvent(control->getValue() == 0.0f ? kNoteOff : kNoteOn, kTapNote, 0);
    }
}

void ADEditor::beginEdit(int32_t index)
{
    if (index >= 0 && index < kNumParams && openEdits[index]++ == 0)
        owner->beginEdit(index);
}

void ADEditor::endEdit(int32_t index)
{
    if (index >= 0 && index < kNumParams && openEdits[index] > 0 && --openEdits[index] == 0)
        owner->endEdit(index);
}

CMouseEventResult ADEditor::onMouseUp(CPoint&, const CButtonState&)
{
    return kMouseEventNotImplemented;
}

CMouseEventResult ADEditor::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    if (!frame || buttons.getButtonState() != kRButton)
        return kMouseEventNotImplemented;
    auto menu = makeOwned<COptionMenu>(CRect(where.x, where.y, where.x + 100, where.y + 20), this, kUISizeMenuTag,
                                       nullptr, nullptr, COptionMenu::kCheckStyle);
    menu->setTransparency(true);
    menu->addEntry("Default", 0);
    menu->addEntry("Large", 1);
    menu->addEntry("Huge", 2);
    menu->addSeparator(-1);

    // The host may close the editor, or delete the plug-in, while the menu waits for the user:
    // what this call still needs afterwards is held here, not reached through the editor.
    SharedPointer<CFrame> menuFrame(frame);
    const std::weak_ptr<int> editorAlive = lifeToken;
    menu->remember(); // the frame's reference
    if (!menuFrame->addView(menu))
        menu->forget();
    menu->checkEntryAlone(uiSizeIndex);
    shownMenu = menu.get();
    menu->popup();
    if (editorAlive.expired())
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    shownMenu = nullptr;
    if (menu->getParentView() == menuFrame.get())
        menuFrame->removeView(menu, true);

    const auto chosen = static_cast<uint8_t>(menu->getCurrentIndex(true));
    if (chosen < kNumUISizes && chosen != uiSizeIndex && hasPicturesFor(chosen)) {
        uiSizeIndex = chosen;
        writeUISize(chosen);
        resizePending = true;
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void ADEditor::idle()
{
    if (!frame || !owner)
        return;
    pendingValues.deliver([this](int32_t index, float value) {
        if (controls[index])
            controls[index]->setValue(value);
    });
    PluginGUIEditor::idle();
    if (frame && resizePending && !reopening)
        resizeToChosenSize();
}

void ADEditor::resizeToChosenSize()
{
    resizePending = false;
    reopening = true;
    const int32_t oldWidth = int32_t(frame->getWidth());
    const int32_t oldHeight = int32_t(frame->getHeight());
    void* parent = getParentWindow();
    // What the parent window measures beyond the frame: its border, kept around the new size.
    platform::WindowRect window;
    const bool hasWindow = platform::GetWindowRect(parent, &window);
    const int16_t borderWidth = hasWindow ? int16_t(window.right - oldWidth - window.left) : 0;
    const int16_t borderHeight = hasWindow ? int16_t(window.bottom - oldHeight - window.top) : 0;
    CBitmap* background = bitmaps[kBackground][uiSizeIndex];
    const int32_t width = int32_t(background->getWidth());
    const int32_t height = int32_t(background->getHeight());

    rect.top = 0;
    rect.left = 0;
    rect.right = int16_t(std::abs(borderWidth) + width);
    rect.bottom = int16_t(std::abs(borderHeight) + height);
    frame->setSize(width, height);
    owner->sizeWindow(width, height);
    frame->invalidRect(frame->getViewSize());
    frame->setDirty(false);
    // Blocks this thread only: the audio thread never waits on the editor.
    platform::Sleep(kResizeWaitMs);

    close();
    open(parent);
    if (hasWindow)
        platform::SetWindowPos(parent, nullptr, 0, 0, width + borderWidth, height + borderHeight, platform::kSwpNoMove);
    reopening = false;
}
