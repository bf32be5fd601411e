#include "tools/velunor-meter/OfflineMeter.h"

#include <algorithm>
#include <cmath>

namespace velunor::metercli {
namespace {

// A host that is there and connects every pin; nothing else is asked offline.
extern "C" VstIntPtr offlineHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

}  // namespace

OfflineMeter::OfflineMeter(float sampleRate, const MeterOptions& options)
    : effect_(std::make_unique<Templete>(&offlineHost)) {
    effect_->setSampleRate(sampleRate);
    effect_->setParameter(kMeter, 0.5f * static_cast<float>(options.meterType));
    for (const Setting& s : options.settings) effect_->setParameter(s.index, s.value);
    effect_->resume();
}

OfflineMeter::~OfflineMeter() { effect_->suspend(); }

MeterReading OfflineMeter::process(float* left, float* right, long frames) {
    const auto n = static_cast<std::size_t>(std::max(frames, 0L));
    outL_.resize(n);
    outR_.resize(n);
    float* in[2] = {left, right};
    float* out[2] = {outL_.data(), outR_.data()};
    effect_->processReplacing(in, out, static_cast<VstInt32>(n));

    // Values first, then the over LEDs, as the front panel polls them.
    MeterEngine& meter = engine();
    MeterReading r;
    r.a = meter.readDisplayValue(1.0, MeterValue::Level, 0);
    r.b = meter.readDisplayValue(1.0, MeterValue::Level, 1);
    r.heldA = meter.readDisplayValue(1.0, MeterValue::Held, 0);
    r.heldB = meter.readDisplayValue(1.0, MeterValue::Held, 1);
    if (hasRms()) {
        r.rmsA = std::sqrt(std::max(0.0, meter.readDisplayValue(1.0, MeterValue::MeanSquare, 0))) * 1.4142;
        r.rmsB = std::sqrt(std::max(0.0, meter.readDisplayValue(1.0, MeterValue::MeanSquare, 1))) * 1.4142;
    }
    r.overA = meter.pollOver(0);
    r.overB = meter.pollOver(1);
    return r;
}

}  // namespace velunor::metercli
