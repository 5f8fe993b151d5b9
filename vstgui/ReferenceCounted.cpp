#include "vstgui/ReferenceCounted.h"

#include <atomic>

namespace VSTGUI {

namespace {
std::atomic<int64_t> liveObjects{0};
}

ReferenceCounted::ReferenceCounted()
{
    liveObjects.fetch_add(1, std::memory_order_relaxed);
}

ReferenceCounted::ReferenceCounted(const ReferenceCounted&) : IReference()
{
    liveObjects.fetch_add(1, std::memory_order_relaxed);
}

ReferenceCounted::~ReferenceCounted()
{
    liveObjects.fetch_sub(1, std::memory_order_relaxed);
}

void ReferenceCounted::forget()
{
    if (--nbReference == 0)
        delete this;
}

int64_t ReferenceCounted::liveObjectCount()
{
    return liveObjects.load(std::memory_order_relaxed);
}

} // namespace VSTGUI
