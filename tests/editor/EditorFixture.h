#pragma once
// The plug-in's effect with its real editor, opened on an offscreen window: the platform's fonts
// and clock are the Linux ones, only the window is replaced by one that shows nothing, so tests
// drive the frame with synthetic events and read its back buffer.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/EditorFactory.h"
#include "editor/CHelpHintLabel.h"
#include "editor/TemepleteEditor.h"
#include "effect/LastChoices.h"
#include "effect/Templete.h"
#include "gui/CFrame.h"
#include "meters/CalibrationStores.h"
#include "tests/support/OffscreenPlatform.h"
#include "views/CQVXMeterFULLPANEL.h"

namespace editortest {

struct HostLog {
    std::vector<std::pair<VstInt32, VstInt32>> resizes;  // (width, height)
    std::vector<std::pair<VstInt32, float>> automations;
};

inline HostLog& hostLog() {
    static HostLog log;
    return log;
}

extern "C" inline VstIntPtr editorTestHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*,
                                           float opt) {
    switch (opcode) {
        case audioMasterVersion: return kVstVersion;
        case audioMasterAutomate: hostLog().automations.emplace_back(index, opt); return 0;
        case audioMasterSizeWindow:
            hostLog().resizes.emplace_back(index, static_cast<VstInt32>(value));
            return 1;
        default: return 0;
    }
}

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        velunor::platform::installLinuxPlatform();  // the clock
        setPlatformFactory(&platform_);
        velunor::LastChoices::meterType = 0;
        velunor::reloadCalibrationStores();
        velunor::setEditorFactory([](AudioEffect* e) -> AEffEditor* {
            return new TemepleteEditor(static_cast<Templete*>(e));
        });
        effect = std::make_unique<Templete>(&editorTestHost);
        editor = static_cast<TemepleteEditor*>(effect->getEditor());
        hostLog() = {};
    }
    void TearDown() override {
        effect.reset();
        velunor::setEditorFactory(nullptr);
        setPlatformFactory(nullptr);
    }

    bool openEditor() { return editor->open(&parent_); }
    CFrame* frame() const { return editor->getFrame(); }
    CQVXMeterFULLPANEL* shown() const { return editor->panel(editor->currentMeter()); }
    void press(CPoint p) { frame()->platformOnMouseDown(p, kLButton); }
    void click(CPoint p) {
        frame()->platformOnMouseDown(p, kLButton);
        if (frame()) frame()->platformOnMouseUp(p, 0);
    }
    void hover(CPoint p) { frame()->platformOnMouseMoved(p, 0); }
    void key(unsigned char virt, int32 character = 0) {
        VstKeyCode k{character, virt, 0};
        frame()->platformOnKeyDown(k);
    }
    std::string hint() const { return shown()->hintLabel()->getText(); }
    ERect editorRect() const {
        ERect* r = nullptr;
        editor->getRect(&r);
        return *r;
    }
    int windowHeight() const { return editorRect().bottom - editorRect().top; }

    std::unique_ptr<Templete> effect;
    TemepleteEditor* editor = nullptr;

private:
    velunor::testing::OffscreenPlatform platform_;
    int parent_ = 0;
};

}  // namespace editortest
