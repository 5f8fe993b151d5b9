#include "support/ResourceBitmap.h"

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "support/BitmapCache.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kErrorBoxFlags = MB_ICONERROR | MB_SYSTEMMODAL;
constexpr size_t kMaxImageBytes = size_t(256) << 20;
bool resourceErrorShown = false;

void reportFirstFailure(const ResourceRef& ref)
{
    if (resourceErrorShown)
        return;
    resourceErrorShown = true;
    char text[kResourceErrorSize];
    formatResourceError(ref, text);
    showErrorMessage(text);
}

} // namespace

bool loadResourceBitmap(const ResourceRef* ref, VSTGUI::CBitmap** target)
{
    if (!ref || !target)
        return false;
    BitmapCache& cache = BitmapCache::instance();
    VSTGUI::CBitmap* const old = *target;
    const bool named = ref->byName;
    // A name that fills its buffer without an end is refused: cut, it would name another file.
    char name[kPathSize];
    std::memcpy(name, ref->name, sizeof name);
    const bool whole = std::memchr(name, '\0', sizeof name) != nullptr;
    name[kPathSize - 1] = '\0';

    VSTGUI::CBitmap* made = nullptr;
    if (named) {
        if (whole && cache.enabled && cache.list.count() > 0) {
            if (VSTGUI::CBitmap* cached = cache.list.find(name)) {
                *target = cached;
                return true;
            }
        }
        // Only a regular file is read: a pipe or a device could block the caller for ever.
        std::vector<uint8_t> bytes;
        if (whole && platform::readRegularFile(name, kMaxImageBytes, bytes))
            made = new VSTGUI::CBitmap(VSTGUI::IPlatformBitmap::createFromMemory(bytes.data(), bytes.size()));
    } else if (ref->id >= 0) {
        made = new VSTGUI::CBitmap(VSTGUI::CResourceDescription(ref->id));
    }
    if (!made || !made->getPlatformBitmap()) {
        if (made)
            made->forget();
        reportFirstFailure(*ref);
        return false;
    }
    *target = made;
    if (cache.enabled)
        cache.list.add(made, name);
    if (old && (!cache.enabled || cache.list.count() == 0 || !cache.list.contains(old)))
        old->forget();
    return true;
}

void releaseBitmap(VSTGUI::CBitmap** bitmap)
{
    if (!bitmap)
        return;
    const BitmapCache& cache = BitmapCache::instance();
    if (*bitmap && !(cache.enabled && cache.list.contains(*bitmap)))
        (*bitmap)->forget();
    *bitmap = nullptr;
}

void formatResourceError(const ResourceRef& ref, char (&text)[kResourceErrorSize])
{
    if (!ref.byName) {
        std::snprintf(text, sizeof text, "Resource images not found! Please reinstall the plugin (%d).", ref.id);
        return;
    }
    char title[kPathSize];
    char name[kPathSize];
    std::memcpy(name, ref.name, sizeof name);
    name[kPathSize - 1] = '\0';
    getFileTitle(title, name, "---");
    // A title too long for the message is cut, so that the message keeps its closing ")."
    const char format[] = "Resource images not found! Please reinstall the plugin (%.*s).";
    const int room = int(sizeof text - 1 - (sizeof format - 1 - 4));
    std::snprintf(text, sizeof text, format, room, title);
}

void showErrorMessage(const char* text)
{
    platform::MessageBoxA(nullptr, text, "Error", kErrorBoxFlags);
}
