#pragma once
// The Linux platform layer for the user-interface library: X11 windows, fontconfig and FreeType
// fonts drawn by cairo, and the monotonic clock shared by the editor and the audio block stamps.

#include "gui/IPlatformFactory.h"

namespace velunor::platform {

class LinuxPlatformFactory : public IPlatformFactory {
public:
    std::unique_ptr<IPlatformFrame> createFrame(IPlatformFrameCallback& callback, const CRect& size,
                                                void* parent) override;
    IPlatformFont* createFont(const char* name, CCoord size, int32 style) override;
    IPlatformFont* createFontFromFile(const char* path, CCoord size, int32 style) override;
};

// Installs the factory and the clock for the whole process; safe to call more than once.
void installLinuxPlatform() noexcept;

}  // namespace velunor::platform
