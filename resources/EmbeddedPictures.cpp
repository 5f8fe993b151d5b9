#include "resources/EmbeddedPictures.h"

#ifdef _WIN32

void registerEmbeddedPictures() {}

#else

#include "vstgui/CResourceDescription.h"

#include <cstddef>
#include <cstdint>
#include <mutex>

// The arrays that the build makes from resources/*.png, one per resource number.
#define ZARN_EMBEDDED_PICTURE(id)                                                                 \
    extern const unsigned char kPicture##id[];                                                    \
    extern const std::size_t kPicture##id##Size;
ZARN_EMBEDDED_PICTURE(112)
ZARN_EMBEDDED_PICTURE(113)
ZARN_EMBEDDED_PICTURE(114)
ZARN_EMBEDDED_PICTURE(115)
ZARN_EMBEDDED_PICTURE(117)
ZARN_EMBEDDED_PICTURE(118)
ZARN_EMBEDDED_PICTURE(212)
ZARN_EMBEDDED_PICTURE(213)
ZARN_EMBEDDED_PICTURE(214)
ZARN_EMBEDDED_PICTURE(215)
ZARN_EMBEDDED_PICTURE(217)
ZARN_EMBEDDED_PICTURE(218)
ZARN_EMBEDDED_PICTURE(312)
ZARN_EMBEDDED_PICTURE(313)
ZARN_EMBEDDED_PICTURE(314)
ZARN_EMBEDDED_PICTURE(315)
ZARN_EMBEDDED_PICTURE(317)
ZARN_EMBEDDED_PICTURE(318)
#undef ZARN_EMBEDDED_PICTURE

namespace {

struct EmbeddedPicture {
    int32_t id;
    const unsigned char* bytes;
    const std::size_t& byteSize;
};

#define ZARN_PICTURE_ENTRY(id) EmbeddedPicture{id, kPicture##id, kPicture##id##Size}
const EmbeddedPicture kPictures[] = {
    ZARN_PICTURE_ENTRY(112), ZARN_PICTURE_ENTRY(113), ZARN_PICTURE_ENTRY(114),
    ZARN_PICTURE_ENTRY(115), ZARN_PICTURE_ENTRY(117), ZARN_PICTURE_ENTRY(118),
    ZARN_PICTURE_ENTRY(212), ZARN_PICTURE_ENTRY(213), ZARN_PICTURE_ENTRY(214),
    ZARN_PICTURE_ENTRY(215), ZARN_PICTURE_ENTRY(217), ZARN_PICTURE_ENTRY(218),
    ZARN_PICTURE_ENTRY(312), ZARN_PICTURE_ENTRY(313), ZARN_PICTURE_ENTRY(314),
    ZARN_PICTURE_ENTRY(315), ZARN_PICTURE_ENTRY(317), ZARN_PICTURE_ENTRY(318),
};
#undef ZARN_PICTURE_ENTRY

} // namespace

void registerEmbeddedPictures()
{
    // Once per process, so that a registration made afterwards (a test's) stays in place.
    static std::once_flag once;
    std::call_once(once, [] {
        for (const EmbeddedPicture& picture : kPictures)
            VSTGUI::CResourceDescription::registerData(picture.id, picture.bytes, picture.byteSize);
    });
}

#endif
