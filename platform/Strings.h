#pragma once

// The C runtime's case-insensitive comparison and upper-casing of Windows, for ASCII letters as in
// its "C" locale; on Windows the runtime's own.

#include <cstring>

namespace platform {

#ifdef _WIN32

inline int _stricmp(const char* a, const char* b) { return ::_stricmp(a, b); }
inline char* _strupr(char* text) { return ::_strupr(text); }

#else

inline int asciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// Compares as if both texts were lower case: < 0, 0 or > 0.
inline int _stricmp(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        const int difference = asciiLower(static_cast<unsigned char>(*a)) - asciiLower(static_cast<unsigned char>(*b));
        if (difference != 0 || *a == '\0')
            return difference;
    }
}

inline char* _strupr(char* text)
{
    for (char* c = text; *c; ++c)
        if (*c >= 'a' && *c <= 'z')
            *c = char(*c - ('a' - 'A'));
    return text;
}

#endif

} // namespace platform
