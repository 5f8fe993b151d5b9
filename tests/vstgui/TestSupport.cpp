#include "TestSupport.h"

#include "vstgui/CControl.h"
#include "vstgui/IPlatformBitmapPixelAccess.h"
#include "vstgui/PngCodec.h"

namespace testsupport {

SharedPointer<IPlatformBitmap> makeBitmap(int32_t width, int32_t height,
                                          const std::function<CColor(int32_t, int32_t)>& colourAt)
{
    CPoint size(width, height);
    auto bitmap = IPlatformBitmap::create(&size);
    if (!bitmap)
        return nullptr;
    auto access = bitmap->lockPixels(true);
    uint8_t* p = access->getAddress();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x, p += 4) {
            const CColor c = colourAt(x, y);
            p[0] = uint8_t((c.blue * c.alpha + 127) / 255);
            p[1] = uint8_t((c.green * c.alpha + 127) / 255);
            p[2] = uint8_t((c.red * c.alpha + 127) / 255);
            p[3] = c.alpha;
        }
    }
    return bitmap;
}

void registerBytes(int32_t id, std::vector<uint8_t> bytes)
{
    static std::deque<std::vector<uint8_t>> storage;
    storage.push_back(std::move(bytes));
    CResourceDescription::registerData(id, storage.back().data(), storage.back().size());
}

void registerPng(int32_t id, const IPlatformBitmap& bitmap)
{
    registerBytes(id, PngCodec::encode(bitmap));
}

CColor rawPixel(const IPlatformBitmap& bitmap, int32_t x, int32_t y)
{
    const uint8_t* p = bitmap.getPixels() + (size_t(y) * size_t(bitmap.getPixelWidth()) + size_t(x)) * 4;
    return CColor(p[2], p[1], p[0], p[3]);
}

void RecordingListener::valueChanged(CControl* control)
{
    calls.push_back({control->getTag(), control->getValue()});
}

int32_t ScriptedOptionMenu::popup(COptionMenu& menu)
{
    std::vector<std::string> titles;
    for (int32_t i = 0; i < menu.getNbEntries(); ++i)
        titles.push_back(menu.getEntry(i)->isSeparator() ? "-" : menu.getEntry(i)->getTitle());
    shownTitles.push_back(titles);
    attachedWhenShown.push_back(menu.isAttached());
    if (whileOpen)
        whileOpen(menu);
    if (choices.empty())
        return -1;
    const int32_t choice = choices.front();
    choices.pop_front();
    return choice;
}

CMouseEventResult RecordingEditor::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    unhandledDowns.push_back(where);
    unhandledDownButtons.push_back(buttons());
    return downHook ? downHook(where, buttons) : kMouseEventNotImplemented;
}

CMouseEventResult RecordingEditor::onMouseUp(CPoint&, const CButtonState&)
{
    ++unhandledUps;
    return kMouseEventNotImplemented;
}

} // namespace testsupport
