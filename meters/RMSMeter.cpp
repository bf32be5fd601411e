#include "meters/RMSMeter.h"

#include <cmath>

namespace velunor {
namespace {

// The LED positions' levels, -6 dB to -1 dB; the last position, 0 dB, is 1.
constexpr double kLedLevels[] = {0.5011872336, 0.5623413252, 0.6309573445, 0.7071, 0.7943282347, 0.8912509381337456};

}  // namespace

RMSMeter::RMSMeter(EngineOwner& owner) : MeterEngine(owner, MeterType::RMS, true) { loadSettingsAndPrepare(); }

void RMSMeter::updateRmsCoefficient() {
    const float seconds = static_cast<float>(rmsIntegrationMs_ * 0.001);
    rmsCoefficient_ = seconds < 1e-5f
                          ? 1.0f
                          : static_cast<float>(1.0 - std::pow(0.109, 2.0 / (static_cast<double>(seconds) * sampleRate())));
}

void RMSMeter::applySetting(const MeterSetting& setting, float value) {
    const double working = settingWorkingValue(setting, value);
    const double rate = sampleRate();
    switch (setting.index) {
        case 72: setGain(gainForReferenceDb(working)); break;
        case 73: ballistics_.setIntegrationMs(working, rate); break;
        case 74:
            rmsIntegrationMs_ = working;
            updateRmsCoefficient();
            break;
        case 75: ballistics_.setHoldMs(working, rate); break;
        case 76: ballistics_.setFallBackMs(working, rate); break;
        case 77: setMidAtten(static_cast<int>(working)); break;
        case 78: setOversNeeded(working); break;
        case 79: ledPosition_ = working; break;
        case 80:
            setPrecise(working != 0.0);
            requestPreciseClear();
            break;
        case 81: fullScaleLeds_ = static_cast<int>(working); break;
        default: break;
    }
}

void RMSMeter::prepare() {
    prepareCore();
    suspend();
    ballistics_.setSampleRate(sampleRate());
    updateRmsCoefficient();
}

void RMSMeter::suspend() { resetDetectorState(); }

double RMSMeter::overThreshold() const {
    const double q = ledPosition_;
    double level = 1.0;
    for (int i = 0; i < 6; ++i)
        if (q == i) level = kLedLevels[i];
    return fullScaleLeds_ != 0 ? gain() * level : level;
}

RMSMeter::Detector RMSMeter::blockDetector() const {
    return {PPMmeter::detectorFor(ballistics_, overThreshold(), oversNeeded()),
            ChannelPair::both(static_cast<double>(rmsCoefficient_.load()))};
}

void RMSMeter::process(float** in, float** /*out*/, VstInt32 frames) { measureBlock(*this, in, frames); }

}  // namespace velunor
