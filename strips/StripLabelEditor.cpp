#include "strips/StripLabelEditor.h"

#include <algorithm>

#include "editor/COnOffButtonH.h"
#include "editor/CQVXLatencyControl.h"
#include "editor/CQVXTapeLabel.h"
#include "effect/ParameterTable.h"
#include "effect/Templete.h"
#include "gui/CMovieBitmap.h"
#include "strips/StripArtwork.h"

namespace {

using namespace velunor;

constexpr int32 kCaptionTag = 102;
constexpr int kShowButtonBitmap = 10025;
constexpr int kLagTimeBitmap = 34001;
constexpr int kCaptionBitmap = 10100;

// A wheel notch moves LAG TIME by about 10 ms, a tenth of that with Shift.
constexpr float kLagTimeWheelStep = 1.0f / 99.9f;
constexpr float kLagTimeWheelFineFactor = 0.1f;
constexpr CColor kTapeFrameColor{127, 127, 127, 255};

}  // namespace

CBitmap* StripLabelEditor::newBackground(StripForm form, int meter) {
    return loadBackground(form == StripForm::open ? 34000 + 100 * meter : closedBackgroundId(meter));
}

bool StripLabelEditor::build(CFrame* frame, CBitmap* background, StripForm form) {
    if (!open(frame, background, form == StripForm::open ? kOpenHeight : kClosedHeight)) return false;
    {
        const StripArtwork art(kShowButtonBitmap);
        showButton_ = add(new COnOffButtonH(CRect(574, 0, 574 + art.width(), art.height() / 2), editor_,
                                            kShowLabel, art.get()),
                          kShowLabel);
    }
    if (form == StripForm::closed) {
        const StripArtwork art(kCaptionBitmap);
        caption_ = add(new CMovieBitmap(CRect(506, 2, 506 + art.width(), 2 + art.height()), editor_, kCaptionTag,
                                        1, art.height(), art.get()),
                       -1);
        caption_->setValue(0.0f);
        return true;
    }
    {
        // Taller than the strip: the container clips it.
        const StripArtwork art(kLagTimeBitmap);
        auto* lag = new CQVXLatencyControl(CRect(541, 1, 541 + art.width(), 1 + art.height()), editor_, kLagTime,
                                           art.get());
        lag->doubleClicked = false;
        lag->wheelStep = kLagTimeWheelStep;
        lag->wheelFineFactor = kLagTimeWheelFineFactor;
        lagTime_ = add(lag, kLagTime);
    }
    auto* label = new CQVXTapeLabel(CRect(17, 1, 523, 35), editor_, background);
    label->setText(effect_->label());
    label->setFrameColor(kTapeFrameColor);
    trackLabel_ = add(label, -1);
    return true;
}

void StripLabelEditor::setParameter(int32 index, float value) {
    if (index == kShowLabel && showButton_) {
        showButton_->setValue(value);
        showButton_->setDirty();
    } else if (index == kLagTime && lagTime_) {
        lagTime_->setValue(value);
        lagTime_->setDirty();
    } else if (index == kLabelChanged && trackLabel_) {
        trackLabel_->setText(effect_->label());
    }
}

void StripLabelEditor::valueChanged(CControl* control) {
    if (!control) return;
    if (control == lagTime_) {
        float value = lagTime_->getValue();
        if (lagTime_->doubleClicked) {
            lagTime_->doubleClicked = false;
            const double lag = effect_->hostOutputLatency() * kLagTimePerSecond;
            value = static_cast<float>(std::clamp(lag, 0.0, 1.0));
        }
        effect_->setParameterAutomated(kLagTime, value);
        lagTime_->invalid();
    } else if (control == trackLabel_) {
        char text[kTrackLabelLength + 1] = {};
        trackLabel_->copyText(text, sizeof text);
        effect_->setLabel(text);
        effect_->setParameterAutomated(kLabelChanged, 0.0f);
    }
}

void StripLabelEditor::idle() {
    if (trackLabel_) trackLabel_->idle();
}

void StripLabelEditor::close() {
    StripEditor::close();
    showButton_ = nullptr;
    lagTime_ = nullptr;
    trackLabel_ = nullptr;
    caption_ = nullptr;
}
