#pragma once
// The settings side of a meter: a container on top of the whole editor with the meter engine's
// calibration knobs and switches and the calibration mode selector. A control writes its value
// straight to the effect (not automated); the effect reports the change back through the editor
// and the panel then re-reads the engine's value and text. While hidden the panel follows nothing;
// show() reloads it all, so it is current whenever it can be seen.
//
// The base builds the container and the two calibration controls; each meter adds its own controls
// in open(). Everything runs on the editor thread, except parameterChanged, which runs on the
// thread that set the parameter (the editor thread for every change made on this panel).

#include <span>
#include <type_traits>

#include "editor/CAnimKnob4.h"
#include "effect/ParameterTable.h"
#include "gui/CGeometry.h"
#include "host/VstAbi.h"

class CBitmap;
class CControl;
class CControlListener;
class CFrame;
class CMovieBitmap;
class CQVXBackPanelContainer;
class CQVXCalibrationControl;
class CQVXHorizontalSwitch;
class CQVXOnOffButton;
class CTextLabel;
class Templete;

namespace velunor {
class MeterEngine;
}

// The knob strip: 51 frames of 41 pixels, one knob 43 pixels wide.
namespace backpanel {
constexpr int kKnobPicture = 10003;
constexpr CCoord kKnobWidth = 43;
constexpr CCoord kKnobHeight = 41;
constexpr int32 kKnobFrames = 51;
}  // namespace backpanel

class BackPanel {
public:
    // Parameter indices the back panels use.
    static constexpr VstInt32 kCalibrationModeTag = velunor::kCalibrationMode;
    static constexpr VstInt32 kStripsIndex = velunor::kStrips;

    // The calibration selector: only the letters and the mode name with the strips shown, the
    // whole sentence without them.
    static constexpr CRect kNarrowSelector{0, 1, 86, 12};
    static constexpr CRect kWideSelector{0, 1, 581, 12};

    // `editor` listens to every control.
    BackPanel(Templete* effect, CControlListener* editor);
    virtual ~BackPanel();
    BackPanel(const BackPanel&) = delete;
    BackPanel& operator=(const BackPanel&) = delete;

    // Loads the back picture, attaches it and builds the meter's controls; hidden afterwards.
    virtual bool open(CFrame* frame) = 0;
    // The container and the calibration controls; false, with nothing built, when the frame or the
    // picture is missing.
    virtual bool attach(CFrame* frame, CBitmap* background);
    // Releases the container with everything in it and forgets every control.
    virtual void close();
    virtual void show();
    virtual void hide();
    virtual void parameterChanged(VstInt32 index, float value);
    virtual void controlChanged(CControl* control);

    bool isShown() const { return shown; }
    CQVXBackPanelContainer* getContainer() const { return container; }
    CQVXCalibrationControl* getCalibrationSelector() const { return calibrationSelector; }
    CMovieBitmap* getCalibrationCaption() const { return calibrationCaption; }

protected:
    // A knob's text under it, re-read from the engine with the knob.
    struct ValueLabel {
        VstInt32 tag;
        CTextLabel* label;
    };

    // The meter's engine, and the range of tags its controls carry.
    virtual velunor::MeterEngine& engine() const = 0;
    virtual bool ownsTag(VstInt32 tag) const = 0;

    // Builders for open(); each control listens to the editor and goes into the container. A plain
    // knob has a value label and turns finely; a stepped knob moves one label per notch.
    template <typename Knob>
    Knob* addKnob(CBitmap* strip, CCoord x, CCoord y, VstInt32 tag, float defaultValue, float wheelStep);
    CQVXOnOffButton* addOnOffButton(int pictureId, const CRect& size, VstInt32 tag);
    CQVXHorizontalSwitch* addHorizontalSwitch(int pictureId, const CRect& size, VstInt32 tag);
    CTextLabel* addLabel(const CRect& size, const char* placeholder);
    CTextLabel* addValueLabel(VstInt32 tag, const CRect& size, const char* placeholder);

    // What the subclasses' show, parameterChanged and controlChanged do with their own controls.
    void reloadAll(std::span<CControl* const> controls, std::span<const ValueLabel> labels) const;
    void follow(VstInt32 index, float value, std::span<CControl* const> controls,
                std::span<const ValueLabel> labels) const;
    void apply(CControl* control) const;

    bool shown = false;
    Templete* effect = nullptr;
    CControlListener* editor = nullptr;
    CFrame* frame = nullptr;
    CQVXBackPanelContainer* container = nullptr;
    CQVXCalibrationControl* calibrationSelector = nullptr;
    CMovieBitmap* calibrationCaption = nullptr;

private:
    void placeKnob(CAnimKnob4* knob, float defaultValue, float wheelStep, bool stepped);
    void reload(CControl* control) const;
    void reload(const ValueLabel& label) const;
    CRect selectorSize() const;
    float calibrationMode() const;
};


template <typename Knob>
Knob* BackPanel::addKnob(CBitmap* strip, CCoord x, CCoord y, VstInt32 tag, float defaultValue, float wheelStep) {
    using namespace backpanel;
    auto* knob = new Knob(CRect(x, y, x + kKnobWidth, y + kKnobHeight), editor, tag, kKnobFrames, kKnobHeight, strip);
    placeKnob(knob, defaultValue, wheelStep, !std::is_same_v<Knob, CAnimKnob4>);
    return knob;
}
