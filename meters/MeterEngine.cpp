#include "meters/MeterEngine.h"

#include <algorithm>

namespace velunor {
namespace {

// LR/MS, Hold and LagTime come clamped from the effect; a value that slipped past it counts as 0.
float effectSwitchValue(float value) { return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f; }

}  // namespace

MeterEngine::MeterEngine(EngineOwner& owner, MeterType meter, bool hasMeanSquare)
    : owner_(owner),
      meter_(meter),
      hasMeanSquare_(hasMeanSquare),
      settings_(meterSettingsOf(meter)),
      laneCount_(hasMeanSquare ? 8 : 6) {
    lanes_ = std::make_unique<Relaxed<double>[]>(static_cast<std::size_t>(laneCount_ * kHistoryTicks));
    // Engines may be built before the effect loaded the stores (tools, tests): load them now.
    loadCalibrationStores();
}

MeterEngine::~MeterEngine() = default;

bool MeterEngine::ownsParameter(VstInt32 index) const {
    return !settings_.empty() && index >= settings_.front().index && index <= settings_.back().index;
}

void MeterEngine::setParameter(VstInt32 index, float value) {
    if (!ownsParameter(index)) return;
    const MeterSetting& setting = settings_[positionOf(index)];
    const float v = sanitizeSettingValue(setting, value);
    received_[positionOf(index)] = v;
    applySetting(setting, v);
    file(setting, filedSettingValue(setting, v));
}

float MeterEngine::getParameter(VstInt32 index) const {
    if (!ownsParameter(index)) return 0.0f;
    return received_[positionOf(index)];
}

void MeterEngine::getParameterDisplay(VstInt32 index, char* text, std::size_t size) const {
    if (!text || size == 0) return;
    text[0] = '\0';
    if (!ownsParameter(index)) return;
    formatSettingDisplay(settings_[positionOf(index)], getParameter(index),
                         text, size);
}

void MeterEngine::file(const MeterSetting& setting, float value) {
    const auto mode = static_cast<CalibrationMode>(calibrationMode_.load());
    switch (mode) {
        case CalibrationMode::Global:
        case CalibrationMode::Session: calibrationStoreFor(mode).set(setting.index, value); break;
        case CalibrationMode::Instance:
            instanceStore_[positionOf(setting.index)] = value;
            break;
    }
}

// Takes every setting from one store, either straight into this engine (construction) or through
// the owner so that its copies, the state chunk and the editor follow.
void MeterEngine::takeOver(CalibrationMode from, bool throughOwner) {
    for (const MeterSetting& setting : settings_) {
        float value = from == CalibrationMode::Instance
                          ? instanceStore_[positionOf(setting.index)].load()
                          : calibrationStoreFor(from).get(setting.index);
        if (throughOwner) owner_.setParameter(setting.index, value);
        else setParameter(setting.index, value);
    }
}

void MeterEngine::loadSettingsAndPrepare() {
    calibrationMode_ = std::clamp(lastCalibrationMode(), 0, 2);
    if (calibrationMode_ == static_cast<int>(CalibrationMode::Instance)) {
        takeOver(CalibrationMode::Session, false);  // filing copies them into the Instance store
        instanceStoreValid_ = true;
    } else {
        takeOver(static_cast<CalibrationMode>(calibrationMode_.load()), false);
    }
    prepare();
}

void MeterEngine::setCalibrationMode(float value) {
    if (!std::isfinite(value)) return;
    value = std::clamp(value, 0.0f, 1.0f);
    const int mode = static_cast<int>(2.0f * value + 0.5f);
    calibrationMode_ = mode;
    if (mode != static_cast<int>(CalibrationMode::Instance)) {
        takeOver(static_cast<CalibrationMode>(mode), true);
    } else if (instanceStoreValid_) {
        takeOver(CalibrationMode::Instance, true);
    } else {
        takeOver(CalibrationMode::Session, true);
        instanceStoreValid_ = true;
    }
}

void MeterEngine::syncCalibration() {
    const auto mode = static_cast<CalibrationMode>(calibrationMode_.load());
    if (mode == CalibrationMode::Instance) return;
    const SharedCalibrationStore& store = calibrationStoreFor(mode);
    for (VstInt32 index : syncOrderOf(meter_)) {
        float entry = store.get(index);
        if (static_cast<double>(getParameter(index)) != static_cast<double>(entry)) owner_.setParameter(index, entry);
    }
}

bool MeterEngine::saveGlobalCalibration() const { return saveGlobalCalibrationStore(meter_); }

void MeterEngine::setLrMs(float value) {
    value = effectSwitchValue(value);
    lrMsValue_ = value;
    midSide_ = static_cast<int>(value + 0.5f);
}

void MeterEngine::setHold(float value) {
    value = effectSwitchValue(value);
    holdValue_ = value;
    holdMode_ = static_cast<int>(value * 2.0 + 0.5);
}

void MeterEngine::setLagTime(float value) {
    value = effectSwitchValue(value);
    lagTimeValue_ = value;
    lagMs_ = static_cast<int>(value * 999.0 + 0.5);
}

void MeterEngine::prepareCore() {
    historyWrite_ = 0;
    historyRead_ = 0;
    tickCount_ = 0;
    samplesPerTick_ = std::max(1, static_cast<int>(sampleRate_.load() * 0.001f));
    for (int i = 0; i < laneCount_ * kHistoryTicks; ++i) lanes_[static_cast<std::size_t>(i)] = 0.0;
}

void MeterEngine::resetDetectorState() {
    for (std::size_t c = 0; c < 2; ++c) {
        level_[c] = 0.0;
        levelAtBlockStart_[c] = 0.0;
        held_[c] = 0.0;
        heldAtBlockStart_[c] = 0.0;
        meanSquare_[c] = 0.0;
        meanSquareAtBlockStart_[c] = 0.0;
        overCount_[c] = -1.0;
    }
}

void MeterEngine::storeState(BlockState s) {
    for (std::size_t c = 0; c < 2; ++c) {
        level_[c] = s.level[c];
        held_[c] = s.held[c];
        meanSquare_[c] = s.meanSquare[c];
        overCount_[c] = s.overCount[c];
        holdCount_[c] = static_cast<int>(s.holdCount[c]);
    }
}

// Called once samplesPerTick samples have been counted since the last tick.
void MeterEngine::historyTick() {
    tickCount_ = 0;
    int w = historyWrite_ + 1;
    if (w >= kHistoryTicks) w = 0;
    historyWrite_ = w;
    auto lane = [&](int l) -> Relaxed<double>& { return lanes_[static_cast<std::size_t>(l * kHistoryTicks + w)]; };
    for (int c = 0; c < 2; ++c) {
        lane(c) = level_[static_cast<std::size_t>(c)].load();
        lane(2 + c) = held_[static_cast<std::size_t>(c)].load();
        if (hasMeanSquare_) lane(4 + c) = meanSquare_[static_cast<std::size_t>(c)].load();
    }
    for (int c = 0; c < 2; ++c) {
        auto cc = static_cast<std::size_t>(c);
        if (overCount_[cc] >= overNeeded_) {
            overTimer_[cc] = kOverTimerTicks;
            overCount_[cc] = 0.0;
        }
        if (overTimer_[cc] > 0) overTimer_[cc] -= 1.0;
        lane(overLane(c)) = overTimer_[cc];
    }
}

MeterEngine::ChannelValues& MeterEngine::current(MeterValue which) {
    return which == MeterValue::Level ? level_ : which == MeterValue::Held ? held_ : meanSquare_;
}
const MeterEngine::ChannelValues& MeterEngine::current(MeterValue which) const {
    return which == MeterValue::Level ? level_ : which == MeterValue::Held ? held_ : meanSquare_;
}
const MeterEngine::ChannelValues& MeterEngine::blockStart(MeterValue which) const {
    return which == MeterValue::Level  ? levelAtBlockStart_
           : which == MeterValue::Held ? heldAtBlockStart_
                                       : meanSquareAtBlockStart_;
}

int MeterEngine::laneOf(MeterValue which, int channel) const {
    switch (which) {
        case MeterValue::Level: return channel;
        case MeterValue::Held: return 2 + channel;
        case MeterValue::MeanSquare: return hasMeanSquare_ ? 4 + channel : -1;
    }
    return -1;
}

double MeterEngine::readDisplayValue(double blend, MeterValue which, int channel) {
    const int c = static_cast<int>(ch(channel));
    if (which == MeterValue::MeanSquare && !hasMeanSquare_) return 0.0;
    const int lag = lagMs_;
    if (lag != 0) {
        int r = historyWrite_ - std::min(lag, kMaxLagMs);
        if (r < 0) r += kHistoryTicks;
        historyRead_ = r;
        return lanes_[static_cast<std::size_t>(laneOf(which, c) * kHistoryTicks + r)];
    }
    const double now = current(which)[static_cast<std::size_t>(c)];
    const double start = blockStart(which)[static_cast<std::size_t>(c)];
    if (now > start) return now;
    return (1.0 - blend) * start + blend * now;
}

double MeterEngine::pollOver(int channel) {
    const std::size_t c = ch(channel);
    if (lagMs_ != 0) {
        if (lanes_[static_cast<std::size_t>(overLane(static_cast<int>(c)) * kHistoryTicks + historyRead_)] > 0.0) {
            overLatched_[c] = true;
            return 1.0;
        }
    } else if (overCount_[c] >= overNeeded_) {
        overCount_[c] = 0.0;
        overLatched_[c] = true;
        return 1.0;
    }
    return overLatched_[c] ? 0.0 : -1.0;
}

void MeterEngine::reset() {
    for (std::size_t c = 0; c < 2; ++c) {
        overLatched_[c] = false;
        heldMax_[c] = -1.0;
    }
}

}  // namespace velunor
