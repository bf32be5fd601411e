#include "meters/VUmeter.h"

#include <cmath>

namespace velunor {
namespace {

struct Movement {
    double k;
    double dampingAtRest;
    double dampingAtFullScale;
};
constexpr Movement kTypeA{310.0 / 300.0, 0.68, 0.55};
constexpr Movement kTypeB{350.0 / 300.0, 0.85, 0.43};

}  // namespace

VUmeter::VUmeter(EngineOwner& owner)
    : MeterEngine(owner, MeterType::VU, false),
      banks_{NeedleFilterBank(kTypeA.dampingAtRest, kTypeA.dampingAtFullScale),
             NeedleFilterBank(kTypeA.dampingAtRest, kTypeA.dampingAtFullScale)} {
    for (std::size_t c = 0; c < 2; ++c) held_[c] = kRest;
    loadSettingsAndPrepare();
}

void VUmeter::designNeedles() {
    const Movement& m = typeB_ ? kTypeB : kTypeA;
    needleFrequency_ = 0.64 * 1000.0 * 1.34 / (movementMs_ * m.k);
    for (NeedleFilterBank& bank : banks_) bank.design(needleFrequency_, m.dampingAtRest, m.dampingAtFullScale);
}

void VUmeter::updateHoldLength() {
    holdLength_ = static_cast<float>(holdMs_ * 0.001 * sampleRate());
}

void VUmeter::applySetting(const MeterSetting& setting, float value) {
    const double working = settingWorkingValue(setting, value);
    switch (setting.index) {
        case 83: setGain(gainForReferenceDb(working)); break;
        case 84:
            movementMs_ = 1.167 * working;
            designNeedles();
            break;
        case 85:
            holdMs_ = working;
            updateHoldLength();
            break;
        case 86:
            typeB_ = working != 0.0;
            designNeedles();
            break;
        case 87: setMidAtten(static_cast<int>(working)); break;
        case 89: setOversNeeded(working); break;
        case 90: ledReference_ = working; break;
        case 91:
            setPrecise(working != 0.0);
            requestPreciseClear();
            break;
        default: break;  // 88, the face tint, is the view's alone
    }
}

void VUmeter::prepare() {
    prepareCore();
    const double rate = sampleRate();
    for (NeedleFilterBank& bank : banks_) bank.setSampleRate(rate);
    designNeedles();
    updateHoldLength();
    // After the hold time the marker falls 24 dB in T'.
    holdDecay_ = 1.0 - std::pow(0.0625, 1.0 / (rate * movementMs_ * 0.001));
    for (std::size_t c = 0; c < 2; ++c) {
        level_[c] = kRest;
        levelAtBlockStart_[c] = kRest;
        overCount_[c] = -1.0;
    }
}

void VUmeter::suspend() {
    for (std::size_t c = 0; c < 2; ++c) {
        level_[c] = kRest;
        levelAtBlockStart_[c] = kRest;
        held_[c] = kRest;
        overCount_[c] = -1.0;
    }
}

double VUmeter::overThreshold() const {
    const double p = ledReference_;
    if (p < 0.25) return 2.51188643150958;  // 8 dB above the reference
    if (p < 0.5) return gain() * 0.7071;
    if (p < 0.75) return gain() * 0.8912509381337456;
    return gain();
}

void VUmeter::process(float** in, float** /*out*/, VstInt32 frames) { measureBlock(*this, in, frames); }

}  // namespace velunor
