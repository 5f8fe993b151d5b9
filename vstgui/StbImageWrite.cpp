// The one compiled copy of stb_image_write (PNG snapshots, to memory).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
