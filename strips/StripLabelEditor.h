#pragma once
// The label strip: open, the track name on its tape and the LAG TIME control; closed, a caption.
// The track name is the effect's label, so it travels with the state chunk.

#include "strips/StripEditor.h"

class CMovieBitmap;
class COnOffButtonH;
class CQVXLatencyControl;
class CQVXTapeLabel;

class StripLabelEditor : public StripEditor {
public:
    static constexpr CCoord kOpenHeight = 39;
    static constexpr CCoord kClosedHeight = 13;
    // The effect keeps 40 bytes; the strip stores at most this many characters of a typed name.
    static constexpr std::size_t kTrackLabelLength = 38;
    // Seconds of host latency to "LagTime": 0.256 s becomes 256 of its 999 ms.
    static constexpr double kLagTimePerSecond = 1000.0 / 999.0;

    using StripEditor::StripEditor;

    // The strip's bitmap for a form and meter, with a reference for the caller; null if missing.
    static CBitmap* newBackground(StripForm form, int meter);

    void close() override;
    void setParameter(int32 index, float value) override;
    void valueChanged(CControl* control) override;
    bool build(CFrame* frame, CBitmap* background, StripForm form) override;
    // Moves the pen while the track name is edited.
    virtual void idle();

    COnOffButtonH* showButton() const { return showButton_; }
    CQVXLatencyControl* lagTimeControl() const { return lagTime_; }
    CQVXTapeLabel* trackLabel() const { return trackLabel_; }
    CMovieBitmap* caption() const { return caption_; }

private:
    COnOffButtonH* showButton_ = nullptr;
    CQVXLatencyControl* lagTime_ = nullptr;
    CQVXTapeLabel* trackLabel_ = nullptr;
    CMovieBitmap* caption_ = nullptr;
};
