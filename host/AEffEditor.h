#pragma once
// The editor side of the VST 2.4 binding: what the host asks of a plug-in's window. The effect owns
// its editor and forwards the editor opcodes to it; the user-interface library derives its
// AEffGUIEditor from this class.

#include "host/VstAbi.h"

class AudioEffect;

// A key as the host forwards it through effEditKeyDown / effEditKeyUp.
struct VstKeyCode {
    VstInt32 character;      // the character, when the key produces one
    unsigned char virt;      // a virtual key code for keys without a character
    unsigned char modifier;  // modifier bits
};

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect_(effect) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    AudioEffect* getEffect() const { return effect_; }

    virtual bool getRect(ERect** rect) {
        if (rect) *rect = nullptr;
        return false;
    }
    virtual bool open(void* parentWindow) {
        systemWindow_ = parentWindow;
        return false;
    }
    virtual void close() { systemWindow_ = nullptr; }
    virtual bool isOpen() const { return systemWindow_ != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(const VstKeyCode& /*key*/) { return false; }
    virtual bool onKeyUp(const VstKeyCode& /*key*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

    // The effect tells its editor about every parameter change, on whatever thread the change was
    // made. Only the editor knows which of its views follow which index.
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}

    // The preset system tells its editor when the current program was renamed.
    virtual void programNameChanged(const char* /*name*/) {}

protected:
    AudioEffect* effect_;
    void* systemWindow_ = nullptr;
};
