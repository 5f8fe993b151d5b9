// The one compiled copy of stb_truetype.
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb_truetype.h>
