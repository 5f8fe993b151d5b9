#include "platform/FileSystem.h"

#include <algorithm>

namespace platform {

bool readRegularFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    const HANDLE file = path ? CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr)
                             : INVALID_HANDLE_VALUE;
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool read = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
                uint64_t(size.QuadPart) <= maxBytes;
    if (read) {
        bytes.resize(size_t(size.QuadPart));
        size_t done = 0;
        while (read && done < bytes.size()) {
            DWORD got = 0;
            const DWORD wanted = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
            read = ReadFile(file, bytes.data() + done, wanted, &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    if (!read)
        bytes.clear();
    return read;
}

} // namespace platform
