#include "platform/linux/LinuxPlatformFactory.h"

#include <cstdint>

#include "core/BlockClock.h"
#include "platform/linux/CairoFont.h"
#include "platform/linux/MonotonicClock.h"
#include "platform/linux/X11Frame.h"

namespace velunor::platform {

std::unique_ptr<IPlatformFrame> LinuxPlatformFactory::createFrame(IPlatformFrameCallback& callback,
                                                                  const CRect& size, void* parent) {
    // The host hands over an X11 window id in the pointer.
    return X11Frame::create(callback, size, static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(parent)));
}

IPlatformFont* LinuxPlatformFactory::createFont(const char* name, CCoord size, int32 style) {
    return CairoFont::fromFamily(name, size, style);
}

IPlatformFont* LinuxPlatformFactory::createFontFromFile(const char* path, CCoord size, int32 style) {
    return CairoFont::fromFile(path, size, style);
}

void installLinuxPlatform() noexcept {
    static LinuxPlatformFactory factory;
    setPlatformFactory(&factory);
    setTickSource(&monotonicTickMs);
}

}  // namespace velunor::platform
