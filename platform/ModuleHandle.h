#pragma once

namespace platform {

// The loaded library's instance handle (an HMODULE on Windows, null elsewhere). Written only by the
// module entry; the toolkit reads it to find the library's embedded resources.
void* moduleInstanceHandle();
void setModuleInstanceHandle(void* handle);

} // namespace platform
