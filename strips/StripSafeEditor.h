#pragma once
// What the two strip holders share: six strips, the open and the closed form for each of the three
// meters, all built when the editor opens and all kept up to date; at most one of them is on the
// frame, the one of the current form and meter. The holder is the editor's only way to a strip,
// and every call is safe whatever the holder holds.

#include <array>
#include <memory>

#include "gui/CBitmap.h"
#include "strips/StripEditor.h"

class CHelpHintLabel;

template <typename Strip>
class StripSafeEditor {
public:
    static constexpr int kMeters = 3;

    StripSafeEditor(CControlListener* editor, Templete* effect) : editor_(editor), effect_(effect) {}
    virtual ~StripSafeEditor() { close(); }
    StripSafeEditor(const StripSafeEditor&) = delete;
    StripSafeEditor& operator=(const StripSafeEditor&) = delete;

    virtual bool open(CFrame* frame) {
        close();
        for (int meter = 0; meter < kMeters; ++meter) {
            for (StripForm form : {StripForm::closed, StripForm::open}) {
                auto strip = std::make_unique<Strip>(editor_, effect_);
                CBitmap* background = Strip::newBackground(form, meter);
                strip->build(frame, background, form);
                if (background) background->forget();
                slot(form, meter) = std::move(strip);
            }
        }
        return true;
    }
    virtual void close() {
        for (auto& strip : strips_) {
            if (strip) strip->close();
            strip.reset();
        }
    }
    virtual void showOpen(const CPoint& position, int meter) { show(StripForm::open, position, meter); }
    virtual void showClosed(const CPoint& position, int meter) { show(StripForm::closed, position, meter); }
    virtual void setParameter(int32 index, float value) {
        for (auto& strip : strips_)
            if (strip) strip->setParameter(index, value);
    }
    virtual void valueChanged(CControl* control) {
        if (Strip* strip = current()) strip->valueChanged(control);
    }
    // Each strip shows its hints in the hint line of its meter's front panel.
    virtual void setPanels(CHelpHintLabel* vu, CHelpHintLabel* rms, CHelpHintLabel* ppm) {
        const std::array<CHelpHintLabel*, kMeters> labels{vu, rms, ppm};
        for (int meter = 0; meter < kMeters; ++meter)
            for (StripForm form : {StripForm::open, StripForm::closed})
                if (Strip* strip = get(form, meter)) strip->setHintLabel(labels[static_cast<std::size_t>(meter)]);
    }

    // The strip of a form and meter (0 VU, 1 RMS, 2 PPM); null for other meters or before open.
    Strip* get(StripForm form, int meter) const {
        if (meter < 0 || meter >= kMeters) return nullptr;
        return strips_[index(form, meter)].get();
    }
    // The strip of the current form and meter, shown or not.
    Strip* current() const { return get(form_, meter_); }
    StripForm form() const { return form_; }
    int meter() const { return meter_; }

private:
    static std::size_t index(StripForm form, int meter) {
        return static_cast<std::size_t>(meter * 2 + (form == StripForm::open ? 1 : 0));
    }
    std::unique_ptr<Strip>& slot(StripForm form, int meter) { return strips_[index(form, meter)]; }
    void show(StripForm form, const CPoint& position, int meter) {
        form_ = form;
        meter_ = meter;
        for (auto& strip : strips_)
            if (strip) strip->hide();
        if (Strip* strip = current()) strip->place(position);
    }

    CControlListener* editor_;
    Templete* effect_;
    std::array<std::unique_ptr<Strip>, kMeters * 2> strips_;
    StripForm form_ = StripForm::open;
    int meter_ = 0;
};
