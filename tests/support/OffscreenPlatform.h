#pragma once
// The Linux platform (its fonts and clock) with windows that show nothing: the frame still draws
// into its back buffer, and each window keeps the areas it was asked to present, so a caller can
// tell what the frame redrew.

#include <memory>
#include <vector>

#include "gui/IPlatformFrame.h"
#include "platform/linux/LinuxPlatformFactory.h"

namespace velunor::testing {

class OffscreenWindow : public IPlatformFrame {
public:
    void processEvents() override {}
    void present(CDrawContext&, const CRect& area) override { presented.push_back(area); }
    bool setSize(const CRect&) override { return true; }
    bool takeKeyboardFocus() override { return true; }
    void* getNativeHandle() const override { return nullptr; }

    // Every area presented since the caller last cleared the list, in frame coordinates.
    std::vector<CRect> presented;
};

class OffscreenPlatform : public velunor::platform::LinuxPlatformFactory {
public:
    std::unique_ptr<IPlatformFrame> createFrame(IPlatformFrameCallback&, const CRect&, void*) override {
        return std::make_unique<OffscreenWindow>();
    }
};

}  // namespace velunor::testing
