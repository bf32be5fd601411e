#pragma once
// What the user-interface library needs from the operating system, installed once per process by
// the platform layer. Without a factory frames live offscreen only and text is not drawn.

#include <memory>

#include "gui/IPlatformFrame.h"
#include "gui/IPlatformFont.h"

class IPlatformFactory {
public:
    virtual ~IPlatformFactory() = default;
    // A child window of `parent` (a native window handle); null when it cannot be made.
    virtual std::unique_ptr<IPlatformFrame> createFrame(IPlatformFrameCallback& callback,
                                                        const CRect& size, void* parent) = 0;
    // A system font found by family name; null when none matches. Size in pixels.
    virtual IPlatformFont* createFont(const char* name, CCoord size, int32 style) = 0;
    // A font read from a file for this process only; null when the file is not a usable font.
    virtual IPlatformFont* createFontFromFile(const char* path, CCoord size, int32 style) = 0;
};

IPlatformFactory* getPlatformFactory() noexcept;
void setPlatformFactory(IPlatformFactory* factory) noexcept;
