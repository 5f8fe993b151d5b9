#pragma once

#include <cstdint>
#include <string>

namespace VSTGUI {

// One entry of an option menu.
class CMenuItem {
public:
    enum Flags : int32_t {
        kNoFlags = 0,
        kDisabled = 1 << 0,
        kTitle = 1 << 1,
        kChecked = 1 << 2,
        kSeparator = 1 << 3,
    };

    CMenuItem(const std::string& title, int32_t flags) : title(title), flags(flags) {}

    const std::string& getTitle() const { return title; }
    bool isSeparator() const { return (flags & kSeparator) != 0; }
    bool isEnabled() const { return (flags & (kDisabled | kTitle)) == 0; }
    bool isChecked() const { return (flags & kChecked) != 0; }
    void setChecked(bool state) { flags = state ? (flags | kChecked) : (flags & ~kChecked); }

private:
    std::string title;
    int32_t flags;
};

} // namespace VSTGUI
