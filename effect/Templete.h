#pragma once
// The effect: one per plug-in instance. It owns the strip filter bank, the three meter engines and
// the editor; every setting goes through setParameter; processReplacing passes the audio through,
// or applies the strip when "Process" is on, and hands the result to the selected meter.

#include <array>
#include <memory>

#include "core/BlockClock.h"
#include "core/Relaxed.h"
#include "core/SharedText.h"
#include "effect/ParameterTable.h"
#include "effect/StateChunk.h"
#include "meters/EngineOwner.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/VUmeter.h"
#include "presets/CPresetSystemEffect.h"
#include "strips/StripFilterBank.h"

class Templete : public CPresetSystemEffect, public velunor::EngineOwner {
public:
    static constexpr VstInt32 kUniqueId = fourCharCode('K', 'w', '7', 'r');
    static constexpr VstInt32 kVendorVersion = 3000;
    static constexpr std::size_t kLabelSize = 40;

    explicit Templete(audioMasterCallback master);
    ~Templete() override;

    // Stream and audio.
    void setSampleRate(float rate) override;
    void suspend() override;
    void resume() override;
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override;
    // One block of the chain: pass-through or trim and filters, then the selected meter.
    virtual void processBlock(float** inputs, float** outputs, VstInt32 frames);

    // Parameters (indices 0..100; see ParameterTable.h).
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterLabel(VstInt32 index, char* text) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool canParameterBeAutomated(VstInt32 index) override;
    bool getParameterProperties(VstInt32 index, VstParameterProperties* properties) override;

    // State: the label, the 64 host parameters and the 27 meter settings (StateChunk.h).
    VstInt32 getChunk(void** data, bool isPreset) override;
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;

    // Binding.
    bool getInputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
    bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return kVendorVersion; }
    VstInt32 canDo(char* text) override;
    VstPlugCategory getPlugCategory() override { return kPlugCategMastering; }

    // The editor detaches itself through setEditor(nullptr) when it is destroyed; from then on
    // blocks are no longer stamped.
    void setEditor(AEffEditor* editor) override;

    // What the editor and the strips read.
    velunor::BlockClock& blockClock() { return blockClock_; }
    double lastBlockTime() const { return lastBlockTime_; }
    double lastBlockDuration() const { return lastBlockDuration_; }
    double hostOutputLatency() const { return hostOutputLatency_; }
    int meterType() const { return meterType_; }
    int calibrationMode() const { return calibrationMode_; }
    bool processOn() const { return processOn_; }
    bool filtersIn() const { return filtersIn_; }
    bool stripsShown() const { return stripsShown_; }
    bool filterStripShown() const { return filterStripShown_; }
    bool labelStripShown() const { return labelStripShown_; }
    double trimDb() const { return trimDb_; }
    float trimGain() const { return trimGain_; }
    float currentTrimGain() const { return currentGain_; }
    bool usesSecondInput() const { return useSecondInput_; }
    bool usesSecondOutput() const { return useSecondOutput_; }
    // A copy: a restored chunk may rewrite the label on another thread meanwhile.
    velunor::SharedText<kLabelSize>::Copy label() const { return label_.load(); }
    // Keeps at most 39 characters.
    void setLabel(const char* text);
    const velunor::StripFilterBank& filterBank() const { return filterBank_; }
    velunor::RMSMeter& rmsMeter() { return *rms_; }
    velunor::VUmeter& vuMeter() { return *vu_; }
    velunor::PPMmeter& ppmMeter() { return *ppm_; }
    // The engine of a meter type (0 VU, 1 RMS, 2 PPM); the selected one measures.
    velunor::MeterEngine* engine(int meterType) const;
    velunor::MeterEngine* activeEngine() const { return engine(meterType_); }

private:
    void setPublicParameter(VstInt32 index, float value);
    // The engines in the order they are addressed: RMS, VU, PPM.
    std::array<velunor::MeterEngine*, 3> engines() const { return {rms_.get(), vu_.get(), ppm_.get()}; }
    velunor::MeterEngine* engineForSetting(VstInt32 index) const;
    void restoreLabel(const unsigned char* field);
    bool pinProperties(VstInt32 index, const char* direction, VstPinProperties* properties);

    // Built in the constructor in this order, after the program table (a base) and the chunk.
    velunor::StateChunk chunk_;
    std::unique_ptr<velunor::RMSMeter> rms_;
    std::unique_ptr<velunor::VUmeter> vu_;
    std::unique_ptr<velunor::PPMmeter> ppm_;

    velunor::StripFilterBank filterBank_;
    velunor::BlockClock blockClock_;

    // Normalised values of 0..16, and the effect's copies of the engine settings 72..100.
    std::array<velunor::Relaxed<float>, velunor::kPublicParameterCount> values_{};
    std::array<velunor::Relaxed<float>, velunor::kEngineSettingSlots> engineSettings_{};

    // Working values.
    velunor::Relaxed<bool> processOn_{false};
    velunor::Relaxed<double> trimDb_{0.0};
    velunor::Relaxed<float> trimGain_{1.0f};
    velunor::Relaxed<int> calibrationMode_{1};
    velunor::Relaxed<int> meterType_{0};
    velunor::Relaxed<bool> stripsShown_{true};
    velunor::Relaxed<bool> filterStripShown_{false};
    velunor::Relaxed<bool> filtersIn_{false};
    velunor::Relaxed<bool> labelStripShown_{false};

    // Binding state.
    velunor::Relaxed<float> hostSampleRate_{44100.0f};
    velunor::Relaxed<float> streamRate_{44100.0f};  // the rate resume settled on
    velunor::Relaxed<bool> useSecondInput_{true};
    velunor::Relaxed<bool> useSecondOutput_{true};
    velunor::Relaxed<bool> editorPresent_{false};

    // Processing state.
    velunor::Relaxed<float> currentGain_{1.0f};
    velunor::Relaxed<float> smoothing_{0.0005f};
    velunor::Relaxed<double> lastBlockTime_{0.0};
    velunor::Relaxed<double> lastBlockDuration_{0.0};
    velunor::Relaxed<double> hostOutputLatency_{0.0};

    velunor::SharedText<kLabelSize> label_;
};
