#include "gui/AEffGUIEditor.h"

#include "gui/CFrame.h"
#include "host/AudioEffect.h"

velunor::Relaxed<VstInt32> AEffGUIEditor::knobMode_{kCircularMode};

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {
    if (effect) effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor() {
    if (frame) close();
}

bool AEffGUIEditor::getRect(ERect** out) {
    if (!out) return false;
    *out = &rect;
    return true;
}

bool AEffGUIEditor::open(void* parentWindow) {
    AEffEditor::open(parentWindow);
    return true;
}

void AEffGUIEditor::close() {
    if (CFrame* f = frame) {
        frame = nullptr;
        f->close();
    }
    AEffEditor::close();
}

void AEffGUIEditor::idle() {
    if (inIdle_ || !frame) return;
    inIdle_ = true;
    frame->idle();
    inIdle_ = false;
}

bool AEffGUIEditor::onKeyDown(const VstKeyCode& key) {
    VstKeyCode copy = key;
    return frame && frame->onKeyDown(copy) == 1;
}
bool AEffGUIEditor::onKeyUp(const VstKeyCode& key) {
    VstKeyCode copy = key;
    return frame && frame->onKeyUp(copy) == 1;
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    knobMode_ = mode;
    return true;
}

void AEffGUIEditor::beginEdit(int32 index) {
    if (effect_) effect_->beginEdit(index);
}

void AEffGUIEditor::endEdit(int32 index) {
    if (effect_) effect_->endEdit(index);
}

bool AEffGUIEditor::sizeWindow(VstInt32 width, VstInt32 height) {
    auto* effectX = dynamic_cast<AudioEffectX*>(effect_);
    return effectX && effectX->sizeWindow(width, height);
}
