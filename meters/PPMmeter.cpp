#include "meters/PPMmeter.h"

namespace velunor {

PPMmeter::PPMmeter(EngineOwner& owner) : MeterEngine(owner, MeterType::PPM, false) {
    loadSettingsAndPrepare();
}

void PPMmeter::applySetting(const MeterSetting& setting, float value) {
    const double working = settingWorkingValue(setting, value);
    const double rate = sampleRate();
    switch (setting.index) {
        case 93: setGain(gainForReferenceDb(working)); break;
        case 94: ballistics_.setIntegrationMs(working, rate); break;
        case 95: ballistics_.setHoldMs(working, rate); break;
        case 96: ballistics_.setFallBackMs(working, rate); break;
        case 97: setMidAtten(static_cast<int>(working)); break;
        case 98: setOversNeeded(working); break;
        case 99: ledReference_ = working; break;
        case 100:
            setPrecise(working != 0.0);
            requestPreciseClear();
            break;
        default: break;
    }
}

void PPMmeter::prepare() {
    prepareCore();
    suspend();
    ballistics_.setSampleRate(sampleRate());
}

void PPMmeter::suspend() { resetDetectorState(); }

double PPMmeter::overThreshold() const {
    const double p = ledReference_;
    if (p < 0.25) return 2.5556419010641385;  // 8.15 dB above the reference
    if (p < 0.5) return gain() * 0.7071;
    if (p < 0.75) return gain() * 0.8912509381337456;
    return gain();
}

PPMmeter::Detector PPMmeter::detectorFor(const PeakBallistics& ballistics, double overThreshold, double oversNeeded) {
    return {ChannelPair::both(overThreshold), ChannelPair::both(oversNeeded), ChannelPair::both(ballistics.attack()),
            ChannelPair::both(ballistics.release()), ChannelPair::both(ballistics.holdLengthSamples())};
}

PPMmeter::Detector PPMmeter::blockDetector() const { return detectorFor(ballistics_, overThreshold(), oversNeeded()); }

void PPMmeter::process(float** in, float** /*out*/, VstInt32 frames) { measureBlock(*this, in, frames); }

}  // namespace velunor
