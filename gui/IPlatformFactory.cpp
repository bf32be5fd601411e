#include "gui/IPlatformFactory.h"

#include <atomic>

namespace {
std::atomic<IPlatformFactory*> gFactory{nullptr};
}

IPlatformFactory* getPlatformFactory() noexcept { return gFactory.load(std::memory_order_acquire); }
void setPlatformFactory(IPlatformFactory* factory) noexcept {
    gFactory.store(factory, std::memory_order_release);
}
