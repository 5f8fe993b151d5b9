#pragma once

#include <cstdint>

// The glyph order of a font image: one single-byte character per glyph index, left to right.
inline constexpr int32_t kGlyphCount = 92;
inline constexpr char fontCharset[kGlyphCount + 1] =
    " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890!@#$%^&*()_-=+[]{};:\\|/.,<>'\"";
static_assert(sizeof(fontCharset) == kGlyphCount + 1);
