#pragma once
// The plug-in side of the VST 2.4 binding: AudioEffect holds the AEffect record the host sees and
// turns the host's calls into virtual operations; AudioEffectX adds the 2.x requests. An opcode
// that no class in the chain answers returns 0.

#include <cstddef>

#include "host/AEffEditor.h"
#include "host/VstAbi.h"

// Every text a host buffer receives is at most this long, terminator included, whatever the
// nominal limit of the opcode: some of our texts ("Instance", "-18.0dBFS") exceed the nominal 8
// bytes, and hosts pass larger buffers for exactly that reason, but never write past 64 bytes.
constexpr std::size_t kHostTextCapacity = 64;

class AudioEffect {
public:
    AudioEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params);
    virtual ~AudioEffect();
    AudioEffect(const AudioEffect&) = delete;
    AudioEffect& operator=(const AudioEffect&) = delete;

    AEffect* getAeffect() { return &cEffect; }
    static AudioEffect* fromAeffect(AEffect* effect);

    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // Lifecycle and stream.
    virtual void open() {}
    virtual void close() {}
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(VstInt32 size) { blockSize = size; }
    virtual void suspend() {}
    virtual void resume() {}

    // Audio. Buffers are arrays of numInputs / numOutputs channel pointers.
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*frames*/) {}
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 frames) = 0;
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*frames*/) {}

    // Parameters. Text buffers hold at least kHostTextCapacity bytes.
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual void getParameterLabel(VstInt32 /*index*/, char* text) { text[0] = 0; }
    virtual void getParameterDisplay(VstInt32 /*index*/, char* text) { text[0] = 0; }
    virtual void getParameterName(VstInt32 /*index*/, char* text) { text[0] = 0; }

    // Programs. Name buffers hold at least kVstMaxProgNameLen bytes.
    virtual void setProgram(VstInt32 program) { curProgram = program; }
    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgramName(char* /*name*/) {}
    virtual void getProgramName(char* name) { name[0] = 0; }

    // State. getChunk answers the byte count and points data at the plug-in's own buffer.
    virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/) { return 0; }
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/) { return 0; }

    // Editor: owned by the effect once set, deleted with it.
    virtual void setEditor(AEffEditor* editor);
    AEffEditor* getEditor() const { return editor; }

    float getSampleRate() const { return sampleRate; }
    VstInt32 getBlockSize() const { return blockSize; }

    // Settings of the AEffect record.
    void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
    void setNumInputs(VstInt32 n) { cEffect.numInputs = n; }
    void setNumOutputs(VstInt32 n) { cEffect.numOutputs = n; }
    void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
    void setVersion(VstInt32 version) { cEffect.version = version; }
    void canProcessReplacing(bool state = true) { setFlag(effFlagsCanReplacing, state); }
    void canDoubleReplacing(bool state = true) { setFlag(effFlagsCanDoubleReplacing, state); }
    void programsAreChunks(bool state = true) { setFlag(effFlagsProgramChunks, state); }
    void hasEditor(bool state) { setFlag(effFlagsHasEditor, state); }

    // Host callbacks; each answers 0 when there is no host callback.
    VstInt32 getMasterVersion();
    bool beginEdit(VstInt32 index);
    bool endEdit(VstInt32 index);
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

protected:
    void setFlag(VstInt32 flag, bool state) {
        if (state) cEffect.flags |= flag; else cEffect.flags &= ~flag;
    }

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 curProgram = 0;
    AEffect cEffect;
};

class AudioEffectX : public AudioEffect {
public:
    AudioEffectX(audioMasterCallback master, VstInt32 programs, VstInt32 params)
        : AudioEffect(master, programs, params) {}

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    // 2.x requests. Text buffers hold at least kHostTextCapacity bytes.
    virtual bool canParameterBeAutomated(VstInt32 /*index*/) { return true; }
    virtual bool string2parameter(VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getParameterProperties(VstInt32 /*index*/, VstParameterProperties* /*p*/) { return false; }
    virtual bool getProgramNameIndexed(VstInt32 /*category*/, VstInt32 /*index*/, char* /*text*/) { return false; }
    virtual bool getInputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual bool getOutputProperties(VstInt32 /*index*/, VstPinProperties* /*properties*/) { return false; }
    virtual VstPlugCategory getPlugCategory() { return kPlugCategUnknown; }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* /*input*/, VstSpeakerArrangement* /*output*/) { return false; }
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) {
        *input = nullptr;
        *output = nullptr;
        return false;
    }
    virtual bool setBypass(bool /*onOff*/) { return false; }
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstInt32 canDo(char* /*text*/) { return 0; }
    virtual VstInt32 getTailSize() { return 0; }
    virtual VstInt32 getVstVersion() { return kVstVersion; }
    virtual VstInt32 getCurrentMidiProgram() { return -1; }
    virtual VstIntPtr setTotalSampleToProcess(VstIntPtr value) { return value; }

    // Host callbacks of 2.x.
    bool sizeWindow(VstInt32 width, VstInt32 height);
    VstInt32 getOutputLatency();
    // The published convention: the host answers 0 when the pin is connected.
    bool isInputConnected(VstInt32 input);
    bool isOutputConnected(VstInt32 output);
};
