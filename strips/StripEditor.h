#pragma once
// One strip under the meter face, in one form (open or closed) for one meter: a container of the
// strip's width with the strip's bitmap behind its controls. The strip is built once and then
// attached to the frame (place) or taken off it (hide) as the layout changes; its controls report
// to the editor, which hands their gestures back to the strip through valueChanged.

#include <type_traits>
#include <vector>

#include "editor/CQVXHintControl.h"
#include "gui/CGeometry.h"

class CBitmap;
class CControl;
class CControlListener;
class CFrame;
class CViewContainer;
class Templete;

enum class StripForm { open, closed };

class StripEditor : public CQVXHintControl {
public:
    static constexpr CCoord kWidth = 586;
    // Where a strip starts before it is first placed: right under the meter face.
    static constexpr CCoord kTop = 169;

    StripEditor(CControlListener* editor, Templete* effect);
    ~StripEditor() override;
    StripEditor(const StripEditor&) = delete;
    StripEditor& operator=(const StripEditor&) = delete;

    // Also hands the label to every control of the strip that shows hints.
    void setHintLabel(CHelpHintLabel* label) override;
    // False without a background: nothing is built.
    virtual bool open(CFrame* frame, CBitmap* background, CCoord height);
    // Takes the strip off the frame and releases it with its controls.
    virtual void close();
    // Attaches the strip to the frame with its top-left corner at `position`.
    virtual void place(const CPoint& position);
    // Takes the strip off the frame and keeps it for the next place.
    virtual void hide();
    virtual void setParameter(int32 index, float value) = 0;
    virtual void valueChanged(CControl* control) = 0;
    virtual bool build(CFrame* frame, CBitmap* background, StripForm form) = 0;

    // The bitmap of a resource with a reference for the caller; null when there is none.
    static CBitmap* loadBackground(int resourceId);
    // Both strips' closed form: one bar per meter (0 VU, 1 RMS, 2 PPM).
    static int closedBackgroundId(int meter) { return 40100 + 1000 * meter; }

    bool isShown() const { return shown_; }
    CCoord getHeight() const { return height_; }
    CViewContainer* getContainer() const { return container_; }

protected:
    // Adds a control to the strip with its value from the effect's parameter `index` (none for a
    // negative index); a hinted control also takes the strip's hint label.
    template <typename Control>
    Control* add(Control* control, int32 index);

    CFrame* frame_ = nullptr;
    Templete* effect_;
    CControlListener* editor_;
    CViewContainer* container_ = nullptr;
    CCoord height_ = 0;
    bool shown_ = false;

private:
    void addView(CControl* control, int32 index);
    // Takes the container off whatever holds it.
    void detach();
    std::vector<CQVXHintControl*> hinted_;
};

template <typename Control>
Control* StripEditor::add(Control* control, int32 index) {
    if constexpr (std::is_base_of_v<CQVXHintControl, Control>) {
        control->setHintLabel(getHintLabel());
        hinted_.push_back(control);
    }
    addView(control, index);
    return control;
}
