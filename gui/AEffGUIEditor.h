#pragma once
// The VST 2.4 editor on top of this library: it owns the frame, answers the host's editor calls
// and passes gestures and resize requests on to the host through the effect.

#include "core/Relaxed.h"
#include "gui/VSTGUIEditorInterface.h"
#include "host/AEffEditor.h"

class AEffGUIEditor : public AEffEditor, public VSTGUIEditorInterface {
public:
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;
    // Subclasses build their frame here, after calling this base.
    bool open(void* parentWindow) override;
    // Closes the frame (which releases every view) and clears it.
    void close() override;
    // Handles the window's events and redraws what is dirty; a call from inside is ignored.
    void idle() override;
    bool onKeyDown(const VstKeyCode& key) override;
    bool onKeyUp(const VstKeyCode& key) override;
    // The knob mode is one setting for the whole process.
    bool setKnobMode(VstInt32 mode) override;
    static VstInt32 getKnobModeSetting() { return knobMode_; }
    int32 getKnobMode() const override { return knobMode_; }

    void beginEdit(int32 index) override;
    void endEdit(int32 index) override;
    // Asks the host to resize its window around the editor (audioMasterSizeWindow).
    bool sizeWindow(VstInt32 width, VstInt32 height);

    CFrame* getFrame() const override { return frame; }

protected:
    ERect rect{};
    CFrame* frame = nullptr;

private:
    bool inIdle_ = false;
    static velunor::Relaxed<VstInt32> knobMode_;
};
