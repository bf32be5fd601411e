#pragma once
// What the frame and its controls ask of the editor that owns them.

#include "gui/CGeometry.h"

class CFrame;

// The knob modes of the host's effSetEditKnobMode.
enum CKnobMode : int32 { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

class VSTGUIEditorInterface {
public:
    virtual ~VSTGUIEditorInterface() = default;
    // A gesture on the control with this tag starts / ends (the host groups automation by it).
    virtual void beginEdit(int32 /*index*/) {}
    virtual void endEdit(int32 /*index*/) {}
    virtual int32 getKnobMode() const { return kCircularMode; }
    virtual CFrame* getFrame() const { return nullptr; }
};
