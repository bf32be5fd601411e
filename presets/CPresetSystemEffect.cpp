#include "presets/CPresetSystemEffect.h"

#include <cstring>

CPresetSystemEffect::CPresetSystemEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params)
    : AudioEffectX(master, programs, params), programs_(std::make_unique<Program[]>(kProgramCount)) {
    programsAreChunks(true);
    curProgram = 0;
    // Pushing the current program through setParameter is how a program is loaded; at
    // construction every value is 0 and the effect above is not built yet.
    loading_ = true;
    for (VstInt32 i = 0; i < kProgramValueCount; ++i)
        CPresetSystemEffect::setParameter(i, programs_[static_cast<std::size_t>(currentProgram_)].values[i]);
    loading_ = false;
}

void CPresetSystemEffect::recordInProgram(VstInt32 index, float value) {
    if (loading_ || !programs_ || index < 0 || index >= kProgramValueCount) return;
    programs_[static_cast<std::size_t>(currentProgram_)].values[index] = value;
}

void CPresetSystemEffect::setParameter(VstInt32 index, float value) { recordInProgram(index, value); }

float CPresetSystemEffect::getParameter(VstInt32 index) {
    if (index < 0 || index >= kProgramValueCount) return 0.0f;
    return programs_[static_cast<std::size_t>(currentProgram_)].values[index];
}

void CPresetSystemEffect::setProgramName(char* name) {
    if (!name) return;
    char text[kProgramNameSize + 1] = {};
    std::memcpy(text, name, strnlen(name, kProgramNameSize));
    char* stored = programs_[static_cast<std::size_t>(currentProgram_)].name;
    // Longer names keep their first 23 characters.
    std::memset(stored, 0, kProgramNameSize);
    std::memcpy(stored, text, kProgramNameSize - 1);
    if (editor) editor->programNameChanged(text);
}

void CPresetSystemEffect::getProgramName(char* name) {
    if (!name) return;
    std::memcpy(name, programs_[static_cast<std::size_t>(currentProgram_)].name, kProgramNameSize);
}

bool CPresetSystemEffect::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!text || index < 0 || index >= kProgramCount) return false;
    std::memcpy(text, programs_[static_cast<std::size_t>(index)].name, kProgramNameSize);
    return true;
}
