#pragma once
// The face side of one meter: a 586 x 169 container with the meter's face picture, the controls
// every meter shares, the two needle views and the reference line. It routes parameter changes
// and gestures between those controls, the effect and the meter's engine, and on every editor idle
// moves the needles. The editor attaches one panel at a time; detached panels still follow the
// parameters. All of it runs on the user-interface thread: the editor makes sure of that.

#include <array>
#include <memory>

#include "gui/CBitmap.h"
#include "gui/CControl.h"
#include "gui/CControlListener.h"
#include "gui/CFrame.h"
#include "gui/CMovieBitmap.h"
#include "gui/CViewContainer.h"
#include "host/VstAbi.h"
#include "meters/MeterEngine.h"
#include "views/BackPanel.h"

class CFrontReferenceControl;
class CHelpHintLabel;
class CMyTextEditAH;
class CQVKickButtonH;
class CQVXCalibrationControl;
class CQVXHorizontalSwitch;
class CQVXMeter2;
class CQVXMeterSelectorControl;
class CQVXOnOffButton;
class CQVXOnOffButtonH;
class CQVXSliderAH;
class Templete;

class CQVXMeterFULLPANEL {
public:
    static constexpr CCoord kWidth = 586;
    static constexpr CCoord kHeight = 169;
    // Private tags the panels handle themselves.
    static constexpr int32 kBackPanelTag = 65;
    static constexpr int32 kCaptionTag = 66;
    static constexpr int32 kFaceClickTag = 67;
    static constexpr int32 kTrimTextTag = 68;

    // What differs between the three meters.
    struct MeterLook {
        int meterIndex;  // 0 VU, 1 RMS, 2 PPM
        int facePicture;
        int lrMsPicture;
        int leftCaption;
        int rightCaption;
        int holdPicture;
        int32 referenceIndex;
        float referenceDefault;
        float referenceDragScale;
        float referenceWheelStep;
    };
    // One channel's values as the face shows them.
    struct Reading {
        double level;
        double held;
        double meanSquare;
        double led;
    };

    CQVXMeterFULLPANEL(CControlListener* editor, Templete* effect) : editor_(editor), effect_(effect) {}
    CQVXMeterFULLPANEL(const CQVXMeterFULLPANEL&) = delete;
    CQVXMeterFULLPANEL& operator=(const CQVXMeterFULLPANEL&) = delete;
    // Frees the panel only: the editor closes it first.
    virtual ~CQVXMeterFULLPANEL() = default;

    // Builds the container over `background` and the shared controls; does not attach it.
    virtual bool open(CFrame* frame, CBitmap* background);
    virtual void close();
    // Attaches the container and reloads the shared controls from the effect.
    virtual void refresh();
    virtual void detach();
    virtual void parameterChanged(VstInt32 index, float value);
    virtual void controlChanged(CControl* control);
    // `phase`: the share of the last audio block that has passed since it was processed.
    virtual void idle(double phase);

    bool isOpen() const { return isOpen_; }
    bool isAttached() const;
    CViewContainer* getContainer() const { return container_; }
    CQVXMeter2* leftView() const { return views_[0]; }
    CQVXMeter2* rightView() const { return views_[1]; }
    CQVXMeterSelectorControl* meterSelector() const { return meterSelector_; }
    CQVXSliderAH* trimSlider() const { return trimSlider_; }
    CMyTextEditAH* trimText() const { return trimText_; }
    CQVXOnOffButtonH* processButton() const { return processButton_; }
    CQVXOnOffButtonH* stripsButton() const { return stripsButton_; }
    CQVXCalibrationControl* calibrationSelector() const { return calibrationSelector_; }
    CQVXOnOffButton* lrMsSwitch() const { return lrMsSwitch_; }
    CQVXHorizontalSwitch* holdSwitch() const { return holdSwitch_; }
    CFrontReferenceControl* referenceControl() const { return referenceControl_; }
    CHelpHintLabel* hintLabel() const { return hintLabel_; }
    BackPanel* backPanel() const { return backPanel_.get(); }

protected:
    // The per-meter open: the face picture, the shared part, then the meter's own controls.
    bool openMeter(CFrame* frame, const MeterLook& look);
    // The needle view of a channel at `origin` (in panel coordinates).
    virtual CQVXMeter2* createFace(const CPoint& origin) = 0;
    // Writes one channel's reading into its view.
    virtual void showReading(CQVXMeter2* view, const Reading& reading) = 0;
    // The meter's settings side, built hidden by open.
    virtual std::unique_ptr<BackPanel> createBackPanel() = 0;
    // The reference line's text from the engine; marks it dirty.
    void refreshReferenceText();

    velunor::MeterEngine* engine() const;
    Templete* effect() const { return effect_; }
    CControlListener* editor() const { return editor_; }
    const MeterLook* look() const { return look_; }

private:
    void setTrimFromText();
    void showReferenceControl(bool shown);
    Reading readChannel(velunor::MeterEngine& engine, int channel, double phase) const;
    void loadSharedControls();

    bool isOpen_ = false;
    CViewContainer* container_ = nullptr;
    CControlListener* editor_;
    Templete* effect_;
    CFrame* frame_ = nullptr;
    const MeterLook* look_ = nullptr;
    std::array<CQVXMeter2*, 2> views_{};
    CQVXSliderAH* trimSlider_ = nullptr;
    CMyTextEditAH* trimText_ = nullptr;
    CQVXOnOffButtonH* processButton_ = nullptr;
    CQVXOnOffButton* lrMsSwitch_ = nullptr;
    CMovieBitmap* leftCaption_ = nullptr;
    CMovieBitmap* rightCaption_ = nullptr;
    CQVXHorizontalSwitch* holdSwitch_ = nullptr;
    CQVXCalibrationControl* calibrationSelector_ = nullptr;
    CQVXMeterSelectorControl* meterSelector_ = nullptr;
    CQVXOnOffButtonH* stripsButton_ = nullptr;
    CQVKickButtonH* manualButton_ = nullptr;
    CFrontReferenceControl* referenceControl_ = nullptr;
    CHelpHintLabel* hintLabel_ = nullptr;
    std::unique_ptr<BackPanel> backPanel_;
};
