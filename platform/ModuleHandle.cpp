#include "platform/ModuleHandle.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<void*> instanceHandle{nullptr};
}

void* moduleInstanceHandle() { return instanceHandle.load(std::memory_order_acquire); }

void setModuleInstanceHandle(void* handle) { instanceHandle.store(handle, std::memory_order_release); }

} // namespace platform
