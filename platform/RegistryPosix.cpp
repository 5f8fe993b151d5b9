#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

struct RegistryKey {
    std::string folder; // ends in '/'
};

namespace {

constexpr std::string_view kSoftware = "Software";
constexpr size_t kTypeSize = 4;
// The unnamed value's file: no value name may start with '.'.
constexpr std::string_view kUnnamedValueFile = ".default";

LONG errorOf(int error, LONG otherwise)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    default:
        return otherwise;
    }
}

// The folder that HKEY_CURRENT_USER\Software stands for, ending in '/'; empty when the
// environment names none. Relative paths are ignored, as the XDG rules ask.
std::string configHome()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + '/';
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config/";
    return {};
}

// The folder of the key subKey below parent.
LONG keyFolder(HKEY parent, LPCSTR subKey, std::string& folder)
{
    if (!parent)
        return ERROR_INVALID_HANDLE;
    std::string_view path = subKey ? subKey : "";
    if (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    std::vector<std::string_view> names;
    for (size_t start = 0; !path.empty();) {
        const size_t end = path.find('\\', start);
        names.push_back(path.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    for (std::string_view name : names)
        if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos)
            return ERROR_BAD_PATHNAME;
    auto name = names.begin();
    if (parent == HKEY_CURRENT_USER) {
        if (names.empty() || names.front() != kSoftware)
            return ERROR_ACCESS_DENIED;
        folder = configHome();
        if (folder.empty())
            return ERROR_FILE_NOT_FOUND;
        ++name;
    } else {
        folder = parent->folder;
    }
    for (; name != names.end(); ++name)
        folder.append(*name).append("/");
    return ERROR_SUCCESS;
}

// The key behind a handle that holds values: HKEY_CURRENT_USER itself holds none here.
LONG valueKey(HKEY handle, const RegistryKey*& key)
{
    if (!handle)
        return ERROR_INVALID_HANDLE;
    if (handle == HKEY_CURRENT_USER)
        return ERROR_ACCESS_DENIED;
    key = handle;
    return ERROR_SUCCESS;
}

// The file of a value; false for a name that the store refuses.
bool valueFile(const RegistryKey& key, LPCSTR name, std::string& file)
{
    const std::string_view value = name ? name : "";
    if (!value.empty() && (value.front() == '.' || value.find('/') != std::string_view::npos))
        return false;
    file = key.folder;
    file.append(value.empty() ? kUnnamedValueFile : value);
    return true;
}

bool readAll(int fd, uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t got = ::read(fd, data, size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= size_t(got);
    }
    return true;
}

bool writeAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= size_t(done);
    }
    return true;
}

LONG readValue(const std::string& file, std::vector<uint8_t>& bytes)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errorOf(errno, ERROR_READ_FAULT);
    struct stat status {};
    LONG result = ERROR_SUCCESS;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        result = ERROR_FILE_NOT_FOUND;
    else if (status.st_size < off_t(kTypeSize) || status.st_size > off_t(kTypeSize + kMaxRegistryValueSize))
        result = ERROR_INVALID_DATA;
    else {
        bytes.resize(size_t(status.st_size));
        if (!readAll(fd, bytes.data(), bytes.size()))
            result = ERROR_READ_FAULT;
    }
    ::close(fd);
    return result;
}

// Writes the bytes to a temporary file beside file and renames it over file, so that a reader
// or a crash finds either the old value or the new one, never a part.
LONG replaceValue(const std::string& file, const std::vector<uint8_t>& bytes)
{
    const size_t slash = file.rfind('/');
    std::string temporary = file.substr(0, slash + 1) + "." + file.substr(slash + 1) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return errorOf(errno, ERROR_WRITE_FAULT);
    const bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), file.c_str()) == 0)
        return ERROR_SUCCESS;
    const LONG result = errorOf(errno, ERROR_WRITE_FAULT);
    ::unlink(temporary.c_str());
    return result;
}

LONG openKey(HKEY parent, LPCSTR subKey, bool create, PHKEY result, LPDWORD disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::string folder;
    if (const LONG error = keyFolder(parent, subKey, folder); error != ERROR_SUCCESS)
        return error;
    std::error_code failure;
    const bool existed = std::filesystem::is_directory(folder, failure);
    if (!existed && !create)
        return ERROR_FILE_NOT_FOUND;
    if (!existed && !std::filesystem::create_directories(folder, failure))
        return errorOf(failure.value(), ERROR_WRITE_FAULT);
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = new RegistryKey{std::move(folder)};
    return ERROR_SUCCESS;
}

} // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult)
{
    return openKey(hKey, lpSubKey, false, phkResult, nullptr);
}

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM, const LPSECURITY_ATTRIBUTES,
                     PHKEY phkResult, LPDWORD lpdwDisposition)
{
    return openKey(hKey, lpSubKey, true, phkResult, lpdwDisposition);
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData)
{
    const RegistryKey* key = nullptr;
    if (const LONG error = valueKey(hKey, key); error != ERROR_SUCCESS)
        return error;
    if (lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    std::string file;
    std::vector<uint8_t> bytes;
    if (!valueFile(*key, lpValueName, file))
        return ERROR_FILE_NOT_FOUND;
    if (const LONG error = readValue(file, bytes); error != ERROR_SUCCESS)
        return error;
    const DWORD size = DWORD(bytes.size() - kTypeSize);
    if (lpType)
        *lpType = DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
    if (lpData && *lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (lpData && size > 0)
        std::memcpy(lpData, bytes.data() + kTypeSize, size);
    if (lpcbData)
        *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData)
{
    const RegistryKey* key = nullptr;
    if (const LONG error = valueKey(hKey, key); error != ERROR_SUCCESS)
        return error;
    std::string file;
    if (cbData > kMaxRegistryValueSize || (!lpData && cbData > 0) || !valueFile(*key, lpValueName, file))
        return ERROR_INVALID_PARAMETER;
    std::vector<uint8_t> bytes{uint8_t(dwType), uint8_t(dwType >> 8), uint8_t(dwType >> 16), uint8_t(dwType >> 24)};
    bytes.insert(bytes.end(), lpData, lpData + cbData);
    return replaceValue(file, bytes);
}

LONG RegCloseKey(HKEY hKey)
{
    if (!hKey)
        return ERROR_INVALID_HANDLE;
    if (hKey != HKEY_CURRENT_USER)
        delete hKey;
    return ERROR_SUCCESS;
}
