#include "effect/Templete.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/EditorFactory.h"
#include "core/ValueText.h"
#include "effect/FrequencyText.h"
#include "effect/LastChoices.h"
#include "meters/CalibrationStores.h"

using namespace velunor;

namespace {

constexpr const char* kEffectName = "QVX Velunor";
constexpr const char* kVendorText = "vantorell.example";
constexpr const char* kCanDoTexts[] = {"offline", "plugAsChannelInsert", "1in1out", "1in2out", "2in2out"};

void copyText(char* text, const char* source) {
    std::snprintf(text, kHostTextCapacity, "%s", source);
}

}  // namespace

Templete::Templete(audioMasterCallback master)
    : CPresetSystemEffect(master, 1, kHostParameterCount) {
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(kUniqueId);
    setVersion(1);
    canProcessReplacing(true);
    programsAreChunks(true);
    setLabel("Master Track");

    // The process-wide stores are read before the first engine exists (a no-op once read). Each
    // engine starts in the last calibration mode with that store's settings; the filter bank is a
    // member and starts with its own defaults.
    loadCalibrationStores();
    rms_ = std::make_unique<RMSMeter>(*this);
    vu_ = std::make_unique<VUmeter>(*this);
    ppm_ = std::make_unique<PPMmeter>(*this);

    // Initial values, set directly: nothing is passed on to engines, program or editor yet.
    const int lastMode = lastCalibrationMode();
    const int lastMeter = LastChoices::meterType;
    values_[kProcess] = 0.0f;
    values_[kTrim] = 0.5f;
    trimDb_ = trimDbFromNormalised(0.5f);
    trimGain_ = trimGainFromDb(trimDb_);
    values_[kCalibrationMode] = 0.5f * static_cast<float>(lastMode);
    calibrationMode_ = lastMode;
    values_[kMeter] = 0.5f * static_cast<float>(lastMeter);
    meterType_ = lastMeter;
    values_[kMidSide] = 0.0f;
    values_[kHold] = 0.0f;
    values_[kStrips] = 1.0f;
    values_[kShowFilters] = 0.0f;
    // "ProcFlt" starts out, as its value 0 says: the filters run only once it is switched in.
    values_[kFiltersIn] = 0.0f;
    filtersIn_ = false;
    values_[kHighPassState] = filterBank_.highPassState();
    values_[kHighPassSlope] = filterBank_.highPassSlope();
    values_[kHighPassFrequency] = filterBank_.highPassFrequency();
    values_[kLowPassState] = filterBank_.lowPassState();
    values_[kLowPassSlope] = filterBank_.lowPassSlope();
    values_[kLowPassFrequency] = filterBank_.lowPassFrequency();
    values_[kShowLabel] = 0.0f;
    values_[kLagTime] = 0.0f;

    // The effect's copies of the engine settings start from what each engine loaded.
    for (VstInt32 index = kFirstRmsSetting; index <= kLastPpmSetting; ++index)
        if (const MeterEngine* owner = engineForSetting(index))
            engineSettings_[static_cast<std::size_t>(index - kFirstRmsSetting)] = owner->getParameter(index);

    setEditor(createEditor(this));

    // Filter bank and engines set up for 44.1 kHz before the host says anything.
    suspend();
    resume();
    suspend();
}

// The engines and the filter bank go first; the program table and last the editor go with the
// bases.
Templete::~Templete() = default;

void Templete::setLabel(const char* text) {
    label_.store(text, text ? strnlen(text, kLabelSize - 1) : 0);
}

void Templete::setEditor(AEffEditor* newEditor) {
    CPresetSystemEffect::setEditor(newEditor);
    if (!newEditor) blockClock_.setEditorWindowOpen(false);
    editorPresent_ = newEditor != nullptr;
}

MeterEngine* Templete::engine(int meterType) const {
    switch (meterType) {
        case 0: return vu_.get();
        case 1: return rms_.get();
        case 2: return ppm_.get();
        default: return nullptr;
    }
}

MeterEngine* Templete::engineForSetting(VstInt32 index) const {
    if (index >= kFirstRmsSetting && index <= kLastRmsSetting) return rms_.get();
    if (index >= kFirstVuSetting && index <= kLastVuSetting) return vu_.get();
    if (index >= kFirstPpmSetting && index <= kLastPpmSetting) return ppm_.get();
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Parameters

void Templete::setParameter(VstInt32 index, float value) {
    value = clampNormalised(value);
    if (index >= 0 && index < kPublicParameterCount) {
        setPublicParameter(index, value);
    } else if (index == kSaveGlobalCalibration) {
        for (MeterEngine* engine : engines())
            if (engine) engine->saveGlobalCalibration();
    } else if (index == kClearHeld) {
        for (MeterEngine* engine : engines())
            if (engine) engine->reset();
    } else if (isEngineSetting(index)) {
        engineSettings_[static_cast<std::size_t>(index - kFirstRmsSetting)] = value;
        if (MeterEngine* owner = engineForSetting(index)) owner->setParameter(index, value);
    }
    recordInProgram(index, value);
    if (AEffEditor* e = getEditor()) e->setParameter(index, value);
}

void Templete::setPublicParameter(VstInt32 index, float v) {
    values_[static_cast<std::size_t>(index)] = v;
    const int two = switchPosition(v, 2);
    const int three = switchPosition(v, 3);
    switch (index) {
        case kProcess:
            processOn_ = two != 0;
            if (processOn_) filterBank_.refresh(); else filterBank_.reset();
            break;
        case kTrim:
            trimDb_ = trimDbFromNormalised(v);
            trimGain_ = trimGainFromDb(trimDb_);
            break;
        case kCalibrationMode:
            calibrationMode_ = three;
            setLastCalibrationMode(three);
            for (MeterEngine* engine : engines())
                if (engine) engine->setCalibrationMode(v);
            break;
        case kMeter:
            meterType_ = three;
            LastChoices::meterType = three;
            break;
        case kMidSide:
            for (MeterEngine* engine : engines())
                if (engine) engine->setLrMs(v);
            break;
        case kHold:
            for (MeterEngine* engine : engines())
                if (engine) engine->setHold(v);
            break;
        case kLagTime:
            for (MeterEngine* engine : engines())
                if (engine) engine->setLagTime(v);
            break;
        case kStrips: stripsShown_ = two != 0; break;
        case kShowFilters: filterStripShown_ = two != 0; break;
        case kShowLabel: labelStripShown_ = two != 0; break;
        case kFiltersIn:
            filtersIn_ = two != 0;
            if (filtersIn_) filterBank_.refresh(); else filterBank_.reset();
            break;
        case kHighPassState: filterBank_.setHighPassState(v); break;
        case kHighPassSlope: filterBank_.setHighPassSlope(v); break;
        case kHighPassFrequency: filterBank_.setHighPassFrequency(v); break;
        case kLowPassState: filterBank_.setLowPassState(v); break;
        case kLowPassSlope: filterBank_.setLowPassSlope(v); break;
        case kLowPassFrequency: filterBank_.setLowPassFrequency(v); break;
        default: break;
    }
}

float Templete::getParameter(VstInt32 index) {
    if (index >= 0 && index < kPublicParameterCount) return values_[static_cast<std::size_t>(index)];
    if (index >= kPublicParameterCount && index < kHostParameterCount) return kReservedParameterValue;
    if (isEngineSetting(index)) return engineSettings_[static_cast<std::size_t>(index - kFirstRmsSetting)];
    return 0.0f;
}

void Templete::getParameterName(VstInt32 index, char* text) {
    if (!text) return;
    copyText(text, index >= 0 && index < kPublicParameterCount
                       ? kParameterTable[static_cast<std::size_t>(index)].name : "");
}

void Templete::getParameterLabel(VstInt32 /*index*/, char* text) {
    if (text) copyText(text, "  ");
}

void Templete::getParameterDisplay(VstInt32 index, char* text) {
    if (!text) return;
    if (index < 0 || index >= kPublicParameterCount) {
        text[0] = 0;
        return;
    }
    const ParameterInfo& info = kParameterTable[static_cast<std::size_t>(index)];
    // Texts that describe the selected meter come from its engine, and are left as they are
    // while it is missing.
    const MeterEngine* shown = activeEngine();
    if (info.shownByActiveEngine && !shown) return;

    float v = values_[static_cast<std::size_t>(index)];
    switch (index) {
        case kHighPassState: v = filterBank_.highPassState(); break;
        case kHighPassSlope: v = filterBank_.highPassSlope(); break;
        case kHighPassFrequency: v = filterBank_.highPassFrequency(); break;
        case kLowPassState: v = filterBank_.lowPassState(); break;
        case kLowPassSlope: v = filterBank_.lowPassSlope(); break;
        case kLowPassFrequency: v = filterBank_.lowPassFrequency(); break;
        default: break;
    }
    int position = switchPosition(v, info.positions);
    switch (index) {
        case kCalibrationMode: position = shown->calibrationMode(); break;
        case kMidSide: position = shown->midSide(); break;
        case kHold: position = shown->holdMode(); break;
        default: break;
    }

    char number[kValueTextCapacity] = {};
    switch (info.display) {
        case DisplayRule::Choice: {
            const bool known = position >= 0 && position < info.positions;
            copyText(text, known ? info.choices[static_cast<std::size_t>(position)] : info.otherChoice);
            break;
        }
        case DisplayRule::TrimDb:
            formatValueText(trimDbFromNormalised(v), 1, number);
            std::snprintf(text, kHostTextCapacity, "%sdB", number);
            break;
        case DisplayRule::Frequency:
            if (v < 0.0f || v > 1.0f) {
                copyText(text, "UNDEF");
            } else {
                const auto hz = static_cast<float>(info.frequencyBaseHz * std::pow(100.0, static_cast<double>(v)));
                formatFrequencyText(hz, number);
                copyText(text, number);
            }
            break;
        case DisplayRule::LagTime:
            formatValueText(shown->lagMs(), 0, number);
            std::snprintf(text, kHostTextCapacity, "%s ms", number);
            break;
    }
}

bool Templete::canParameterBeAutomated(VstInt32 index) { return index >= 0 && index < kPublicParameterCount; }

bool Templete::getParameterProperties(VstInt32 index, VstParameterProperties* p) {
    if (!p || index < 0 || index >= kPublicParameterCount) return false;
    const ParameterInfo& info = kParameterTable[static_cast<std::size_t>(index)];
    *p = VstParameterProperties{};
    std::snprintf(p->label, sizeof p->label, "%s", info.name);
    std::snprintf(p->shortLabel, sizeof p->shortLabel, "%s", info.name);
    p->flags = kVstParameterUsesFloatStep;
    switch (info.steps) {
        case StepRule::Switch:
            p->flags |= kVstParameterIsSwitch;
            p->stepFloat = p->smallStepFloat = p->largeStepFloat = 1.0f;
            break;
        case StepRule::Fine:
            p->stepFloat = p->largeStepFloat = 1.0f / 41.0f;
            p->smallStepFloat = 1.0f / 401.0f;
            break;
        case StepRule::ThreeWay:
            p->stepFloat = p->smallStepFloat = p->largeStepFloat = 0.5f;
            break;
        case StepRule::LagTime:
            p->stepFloat = p->largeStepFloat = static_cast<float>(1.0 / 99.9);
            p->smallStepFloat = 1.0f / 999.0f;
            break;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// State

VstInt32 Templete::getChunk(void** data, bool /*isPreset*/) {
    if (!data) return 0;
    chunk_.clearForSaving();
    chunk_.setLabel(label_.load().data());
    for (VstInt32 i = 0; i < kHostParameterCount; ++i) chunk_.setSlot(StateChunk::kParameterSlot + i, getParameter(i));
    int slot = StateChunk::kMeterSettingSlot;
    for (const MeterSetting& setting : kMeterSettings) chunk_.setSlot(slot++, getParameter(setting.index));
    *data = chunk_.data();
    return static_cast<VstInt32>(StateChunk::kBytes);
}

// A block shorter than the layout restores only the slots it holds; the rest stays as it is.
VstInt32 Templete::setChunk(void* data, VstInt32 byteSize, bool /*isPreset*/) {
    if (!data || byteSize < 0) return 0;
    chunk_.restoreFrom(data, static_cast<std::size_t>(byteSize));
    if (chunk_.holdsLabel()) {
        restoreLabel(chunk_.label());
        setParameter(kLabelChanged, 0.0f);
    }
    // "GSIcal" comes before everything else, so the engines have taken their new calibration mode
    // by the time the meter settings arrive.
    for (VstInt32 i = 0; i < kHostParameterCount; ++i)
        if (chunk_.holdsSlot(StateChunk::kParameterSlot + i)) setParameter(i, chunk_.slot(StateChunk::kParameterSlot + i));
    // In Global mode the chunk's meter settings give way to the Global store.
    if (switchPosition(getParameter(kCalibrationMode), 3) == static_cast<int>(CalibrationMode::Global)) return 0;
    int slot = StateChunk::kMeterSettingSlot;
    for (const MeterSetting& setting : kMeterSettings) {
        if (chunk_.holdsSlot(slot)) setParameter(setting.index, chunk_.slot(slot));
        ++slot;
    }
    return 0;
}

// The field is taken as it stands; one without an ending zero keeps its first 39 characters.
void Templete::restoreLabel(const unsigned char* field) {
    label_.store(reinterpret_cast<const char*>(field), kLabelSize);
}

// ---------------------------------------------------------------------------------------------
// Binding

bool Templete::pinProperties(VstInt32 index, const char* direction, VstPinProperties* p) {
    if (!p || index < 0 || index > 1) return false;
    std::snprintf(p->label, sizeof p->label, "%s %1d %s", kEffectName, static_cast<int>(index + 1), direction);
    p->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool Templete::getInputProperties(VstInt32 index, VstPinProperties* p) { return pinProperties(index, "In", p); }
bool Templete::getOutputProperties(VstInt32 index, VstPinProperties* p) { return pinProperties(index, "Out", p); }

bool Templete::setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) {
    const int ins = input ? input->numChannels : -1;
    const int outs = output ? output->numChannels : -1;
    const bool known = (ins == 1 && (outs == 1 || outs == 2)) || (ins == 2 && outs == 2);
    useSecondInput_ = !known || ins == 2;
    useSecondOutput_ = !known || outs == 2;
    return known;
}

bool Templete::getEffectName(char* name) { copyText(name, kEffectName); return true; }
bool Templete::getVendorString(char* text) { copyText(text, kVendorText); return true; }
bool Templete::getProductString(char* text) { copyText(text, kEffectName); return true; }

VstInt32 Templete::canDo(char* text) {
    if (!text) return 0;
    for (const char* known : kCanDoTexts)
        if (std::strcmp(text, known) == 0) return 1;
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Stream and audio

void Templete::setSampleRate(float rate) {
    CPresetSystemEffect::setSampleRate(rate);
    hostSampleRate_ = rate;
}

void Templete::resume() {
    float rate = hostSampleRate_;
    if (!(rate >= 20000.0f && rate <= 200000.0f)) rate = 44100.0f;
    streamRate_ = rate;
    currentGain_ = trimGain_.load();
    // The same smoothing time (about 45 ms) at every rate.
    smoothing_ = 0.0005f * 44100.0f / rate;
    filterBank_.setSampleRate(rate);
    filterBank_.refresh();
    for (MeterEngine* engine : engines()) {
        if (!engine) continue;
        engine->setSampleRate(rate);
        engine->prepare();
    }
    const VstInt32 latency = getOutputLatency();
    hostOutputLatency_ = latency > 0 ? static_cast<double>(latency) / static_cast<double>(rate) : 0.0;
}

void Templete::suspend() {
    currentGain_ = trimGain_.load();
    filterBank_.reset();
    for (MeterEngine* engine : engines())
        if (engine) engine->suspend();
}

void Templete::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
    if (!inputs || !outputs || !outputs[0]) return;  // nowhere to write: not a block at all
    processBlock(inputs, outputs, std::max<VstInt32>(frames, 0));
}

void Templete::processBlock(float** inputs, float** outputs, VstInt32 frames) {
    // Channels. A second channel is used only when the host connected it, the speaker
    // arrangement asks for it and it is a buffer of its own.
    float* outL = outputs[0];
    const bool secondOut = isOutputConnected(1) && useSecondOutput_ && outputs[1] && outputs[1] != outputs[0];
    float* outR = secondOut ? outputs[1] : outL;
    const float* inL = inputs[0];
    const bool secondIn = isInputConnected(1) && useSecondInput_ && inputs[1] && inputs[1] != inputs[0];
    const float* inR = secondIn ? inputs[1] : inL;
    if (!inL) {
        // No input at all: the block is silence.
        std::fill_n(outL, frames, 0.0f);
        std::fill_n(outR, frames, 0.0f);
        inL = outL;
        inR = outR;
    }

    // Read once, so that a change on another thread applies from the next block on.
    const bool processOn = processOn_;
    const bool filtersIn = filtersIn_;
    if (!processOn) {
        // Pass-through, bit for bit. Both samples are read before either is written, so
        // in-place buffers are safe; the right channel is written last.
        for (VstInt32 n = 0; n < frames; ++n) {
            const float l = inL[n];
            const float r = inR[n];
            outL[n] = l;
            outR[n] = r;
        }
    } else {
        // Trim, smoothed per sample in single precision.
        const float target = trimGain_;
        const float coefficient = smoothing_;
        float gain = currentGain_;
        for (VstInt32 n = 0; n < frames; ++n) {
            gain = gain + (target - gain) * coefficient;
            // Keeps the gain out of the denormal range as it settles, without touching the FPU.
            gain = static_cast<float>(static_cast<double>(gain) + 1e-14);
            gain = static_cast<float>(static_cast<double>(gain) - 1e-14);
            const float l = inL[n];
            const float r = inR[n];
            outL[n] = gain * l;
            outR[n] = r * gain;
        }
        currentGain_ = gain;
    }

    // The filter bank and the meter see the two channels written above; with a single usable
    // output both are that output.
    float* written[2] = {outL, outR};
    // Filters, in place.
    if (processOn && filtersIn) filterBank_.process(written, written, frames);

    // Time stamps for the editor's needle interpolation.
    if (editorPresent_) lastBlockTime_ = blockClock_.stampSeconds();
    const float hostRate = hostSampleRate_;
    const double rate = hostRate > 0.0f && std::isfinite(hostRate) ? hostRate : streamRate_.load();
    lastBlockDuration_ = static_cast<double>(frames) / rate;

    // Only the selected meter measures; the other two keep their state.
    if (MeterEngine* engine = activeEngine()) engine->process(written, written, frames);
}
