#pragma once

#include "vstgui/Types.h"

#include <string>

namespace VSTGUI {

// An owned UTF-8 string. Its platform string is what drawing and measuring take: the renderer
// works on UTF-8 on every platform.
class UTF8String {
public:
    UTF8String(UTF8StringPtr text = nullptr) : text(text ? text : "") {}

    UTF8StringPtr data() const { return text.c_str(); }
    UTF8StringPtr getPlatformString() const { return text.c_str(); }
    const std::string& getString() const { return text; }
    operator UTF8StringPtr() const { return text.c_str(); }

private:
    std::string text;
};

} // namespace VSTGUI
