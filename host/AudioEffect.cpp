#include "host/AudioEffect.h"

#include <algorithm>
#include <cstring>

namespace {

AudioEffect* objectOf(AEffect* e) { return e ? static_cast<AudioEffect*>(e->object) : nullptr; }

extern "C" VstIntPtr dispatchTrampoline(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                        void* ptr, float opt) {
    AudioEffect* effect = objectOf(e);
    if (!effect) return 0;
    if (opcode == effClose) {
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;  // after this the host never touches the record again
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

extern "C" void processTrampoline(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    if (AudioEffect* effect = objectOf(e); effect && inputs && outputs) effect->process(inputs, outputs, frames);
}

extern "C" void processReplacingTrampoline(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    if (AudioEffect* effect = objectOf(e); effect && inputs && outputs)
        effect->processReplacing(inputs, outputs, frames);
}

extern "C" void processDoubleTrampoline(AEffect* e, double** inputs, double** outputs, VstInt32 frames) {
    if (AudioEffect* effect = objectOf(e); effect && inputs && outputs)
        effect->processDoubleReplacing(inputs, outputs, frames);
}

extern "C" void setParameterTrampoline(AEffect* e, VstInt32 index, float value) {
    if (AudioEffect* effect = objectOf(e)) effect->setParameter(index, value);
}

extern "C" float getParameterTrampoline(AEffect* e, VstInt32 index) {
    AudioEffect* effect = objectOf(e);
    return effect ? effect->getParameter(index) : 0.0f;
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params)
    : audioMaster(master), numPrograms(programs), numParams(params), cEffect{} {
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchTrampoline;
    cEffect.process = processTrampoline;
    cEffect.setParameter = setParameterTrampoline;
    cEffect.getParameter = getParameterTrampoline;
    cEffect.numPrograms = programs;
    cEffect.numParams = params;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = 0;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingTrampoline;
    cEffect.processDoubleReplacing = processDoubleTrampoline;
}

AudioEffect::~AudioEffect() {
    delete editor;
    editor = nullptr;
}

AudioEffect* AudioEffect::fromAeffect(AEffect* effect) { return objectOf(effect); }

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    hasEditor(editor != nullptr);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstInt32 AudioEffect::getMasterVersion() {
    VstIntPtr version = callHost(audioMasterVersion);
    return version ? static_cast<VstInt32>(version) : 1;
}

bool AudioEffect::beginEdit(VstInt32 index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool AudioEffect::endEdit(VstInt32 index) { return callHost(audioMasterEndEdit, index) != 0; }

namespace {

// The effect writes into a buffer of ours; the host gets at most `capacity` bytes of it, always
// terminated, so no answer can run past a host buffer of the published size.
template <typename Fill>
void answerText(void* hostBuffer, std::size_t capacity, Fill fill) {
    if (!hostBuffer) return;
    char text[kHostTextCapacity + 1] = {};
    fill(text);
    text[kHostTextCapacity] = 0;
    std::size_t length = std::min(std::strlen(text), std::min(capacity, kHostTextCapacity) - 1);
    std::memcpy(hostBuffer, text, length);
    static_cast<char*>(hostBuffer)[length] = 0;
}

}  // namespace

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    switch (opcode) {
        case effOpen: open(); return 0;
        case effClose: close(); return 1;
        case effSetProgram:
            if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
            return 0;
        case effGetProgram: return getProgram();
        case effSetProgramName:
            if (ptr) {
                // Never trust the host's text to be terminated within the published limit.
                char name[kVstMaxProgNameLen + 1] = {};
                std::memcpy(name, ptr, strnlen(static_cast<const char*>(ptr), kVstMaxProgNameLen));
                setProgramName(name);
            }
            return 0;
        case effGetProgramName:
            answerText(ptr, kVstMaxProgNameLen, [&](char* t) { getProgramName(t); });
            return 0;
        case effGetParamLabel:
            answerText(ptr, kHostTextCapacity, [&](char* t) { getParameterLabel(index, t); });
            return 0;
        case effGetParamDisplay:
            answerText(ptr, kHostTextCapacity, [&](char* t) { getParameterDisplay(index, t); });
            return 0;
        case effGetParamName:
            answerText(ptr, kHostTextCapacity, [&](char* t) { getParameterName(index, t); });
            return 0;
        case effSetSampleRate: setSampleRate(opt); return 0;
        case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
        case effMainsChanged:
            if (value) resume(); else suspend();
            return 0;
        case effEditGetRect:
            if (!ptr) return 0;
            *static_cast<ERect**>(ptr) = nullptr;
            return editor && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        case effEditOpen: return editor && editor->open(ptr) ? 1 : 0;
        case effEditClose:
            if (editor) editor->close();
            return 0;
        case effEditIdle:
            if (editor) editor->idle();
            return 0;
        case effIdentify: return kEffectIdentifyAnswer;
        case effGetChunk:
            if (!ptr) return 0;
            *static_cast<void**>(ptr) = nullptr;
            return getChunk(static_cast<void**>(ptr), index != 0);
        case effSetChunk:
            if (!ptr || value < 0) return 0;
            return setChunk(ptr, static_cast<VstInt32>(std::min<VstIntPtr>(value, 0x7fffffff)), index != 0);
        default: return 0;
    }
}

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    switch (opcode) {
        case effCanBeAutomated: return canParameterBeAutomated(index) ? 1 : 0;
        case effString2Parameter: {
            if (!ptr) return 0;
            char text[kHostTextCapacity + 1] = {};
            std::memcpy(text, ptr, strnlen(static_cast<const char*>(ptr), kHostTextCapacity));
            return string2parameter(index, text) ? 1 : 0;
        }
        case effGetProgramNameIndexed: {
            if (!ptr) return 0;
            bool known = false;
            char text[kHostTextCapacity + 1] = {};
            known = getProgramNameIndexed(static_cast<VstInt32>(value), index, text);
            if (known) answerText(ptr, kVstMaxProgNameLen, [&](char* t) { std::memcpy(t, text, sizeof text - 1); });
            return known ? 1 : 0;
        }
        case effGetInputProperties:
        case effGetOutputProperties: {
            if (!ptr) return 0;
            VstPinProperties pin{};
            bool known = opcode == effGetInputProperties ? getInputProperties(index, &pin)
                                                         : getOutputProperties(index, &pin);
            if (!known) return 0;
            pin.label[sizeof pin.label - 1] = 0;
            pin.shortLabel[sizeof pin.shortLabel - 1] = 0;
            std::memcpy(ptr, &pin, sizeof pin);
            return 1;
        }
        case effGetPlugCategory: return getPlugCategory();
        case effSetSpeakerArrangement: {
            auto* input = reinterpret_cast<VstSpeakerArrangement*>(value);
            auto* output = static_cast<VstSpeakerArrangement*>(ptr);
            return setSpeakerArrangement(input, output) ? 1 : 0;
        }
        case effGetSpeakerArrangement: {
            VstSpeakerArrangement* input = nullptr;
            VstSpeakerArrangement* output = nullptr;
            bool known = getSpeakerArrangement(&input, &output);
            if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = input;
            if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = output;
            return known ? 1 : 0;
        }
        case effSetBypass: return setBypass(value != 0) ? 1 : 0;
        case effGetEffectName:
            if (!ptr) return 0;
            {
                bool known = false;
                answerText(ptr, kVstMaxEffectNameLen, [&](char* t) { known = getEffectName(t); });
                return known ? 1 : 0;
            }
        case effGetVendorString:
        case effGetProductString:
            if (!ptr) return 0;
            {
                bool known = false;
                answerText(ptr, kVstMaxVendorStrLen, [&](char* t) {
                    known = opcode == effGetVendorString ? getVendorString(t) : getProductString(t);
                });
                return known ? 1 : 0;
            }
        case effGetVendorVersion: return getVendorVersion();
        case effCanDo: {
            if (!ptr) return 0;
            char text[kHostTextCapacity + 1] = {};
            std::memcpy(text, ptr, strnlen(static_cast<const char*>(ptr), kHostTextCapacity));
            return canDo(text);
        }
        case effGetTailSize: return getTailSize();
        case effGetParameterProperties: {
            if (!ptr) return 0;
            VstParameterProperties properties{};
            if (!getParameterProperties(index, &properties)) return 0;
            properties.label[sizeof properties.label - 1] = 0;
            properties.shortLabel[sizeof properties.shortLabel - 1] = 0;
            properties.categoryLabel[sizeof properties.categoryLabel - 1] = 0;
            std::memcpy(ptr, &properties, sizeof properties);
            return 1;
        }
        case effGetVstVersion: return getVstVersion();
        case effEditKeyDown:
        case effEditKeyUp: {
            if (!editor) return 0;
            VstKeyCode key{index, static_cast<unsigned char>(value), static_cast<unsigned char>(opt)};
            return (opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key)) ? 1 : 0;
        }
        case effSetEditKnobMode: return editor && editor->setKnobMode(static_cast<VstInt32>(value)) ? 1 : 0;
        case effGetCurrentMidiProgram: return getCurrentMidiProgram();
        case effSetTotalSampleToProcess: return setTotalSampleToProcess(value);
        default: return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

VstInt32 AudioEffectX::getOutputLatency() {
    return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

bool AudioEffectX::isInputConnected(VstInt32 input) { return callHost(audioMasterPinConnected, input, 0) == 0; }
bool AudioEffectX::isOutputConnected(VstInt32 output) { return callHost(audioMasterPinConnected, output, 1) == 0; }
