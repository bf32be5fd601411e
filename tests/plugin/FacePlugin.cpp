// A test plug-in with an editor, for velunor-host gui: a VU face whose needle follows the peak
// level of the last audio block, and whose LED lights once the face is clicked. Its editor asks
// the host for a larger window on its first idle, so the host must honour audioMasterSizeWindow.

#include <algorithm>
#include <cmath>

#include "core/Relaxed.h"
#include "gui/AEffGUIEditor.h"
#include "gui/CFrame.h"
#include "host/AudioEffect.h"
#include "platform/linux/LinuxPlatformFactory.h"
#include "tests/plugin/FacePluginLayout.h"
#include "views/CQVXVUMeter2.h"

namespace {

using namespace velunor::testing::faceplugin;

class FaceEffect : public AudioEffectX {
public:
    explicit FaceEffect(audioMasterCallback host) : AudioEffectX(host, 1, 0) {
        setNumInputs(2);
        setNumOutputs(2);
        canProcessReplacing();
    }
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override {
        float peak = 0.0f;
        for (int c = 0; c < 2; ++c)
            for (VstInt32 i = 0; i < frames; ++i) {
                outputs[c][i] = inputs[c][i];
                peak = std::max(peak, std::fabs(inputs[c][i]));
            }
        peak_ = peak;
    }
    float peak() const { return peak_; }

private:
    velunor::Relaxed<float> peak_{0.0f};
};

class FaceEditor : public AEffGUIEditor, public CControlListener {
public:
    explicit FaceEditor(FaceEffect* effect) : AEffGUIEditor(effect), effect_(effect) {
        rect.right = static_cast<VstInt16>(kInitialWidth);
        rect.bottom = static_cast<VstInt16>(kInitialHeight);
    }
    bool open(void* parent) override {
        AEffGUIEditor::open(parent);
        frame = new CFrame(CRect(0, 0, kInitialWidth, kInitialHeight), parent, this);
        if (!frame->isOpen()) {
            close();
            return false;
        }
        face_ = new CQVXVUMeter2(CPoint(kFaceX, kFaceY), this);
        frame->addView(face_);
        resized_ = false;
        return true;
    }
    void close() override {
        face_ = nullptr;
        AEffGUIEditor::close();
    }
    void idle() override {
        if (!frame) return;
        if (!resized_) {
            resized_ = true;
            rect.right = static_cast<VstInt16>(kWidth);
            rect.bottom = static_cast<VstInt16>(kHeight);
            frame->setSize(kWidth, kHeight);
            sizeWindow(kWidth, kHeight);
        }
        face_->needleValue = effect_->peak() / kPeakAtZeroVu;
        face_->setDirty(true);
        AEffGUIEditor::idle();
    }
    void valueChanged(CControl* control) override {
        if (face_ && control->getTag() == CQVXMeter2::kClickTag) face_->ledState = CQVXMeter2::kLedBright;
    }

private:
    FaceEffect* effect_;
    CQVXVUMeter2* face_ = nullptr;
    bool resized_ = false;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback host) {
    if (!host) return nullptr;
    velunor::platform::installLinuxPlatform();
    auto* effect = new FaceEffect(host);
    new FaceEditor(effect);
    return effect->getAeffect();
}
