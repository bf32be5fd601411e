#pragma once
// The preset-system layer between the VST 2.4 binding and the effect. Here it keeps the program
// table: three named programs, each with a copy of the 64 host parameters that the effect's
// setParameter keeps up to date. The host sees one program and the current one is always 0; the
// state hosts save is the effect's own chunk, not this table.

#include <memory>

#include "core/Relaxed.h"
#include "host/AudioEffect.h"

class CPresetSystemEffect : public AudioEffectX {
public:
    static constexpr int kProgramCount = 3;
    static constexpr int kProgramValueCount = 64;
    static constexpr int kProgramNameSize = 24;  // terminator included: 23 characters at most

    struct Program {
        char name[kProgramNameSize] = {};
        velunor::Relaxed<float> values[kProgramValueCount] = {};
    };

    CPresetSystemEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params);

    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    VstInt32 getProgram() override { return 0; }
    void setProgram(VstInt32 /*program*/) override {}
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    const Program& program(int index) const { return programs_[static_cast<std::size_t>(index)]; }
    int currentProgram() const { return currentProgram_; }

protected:
    // Copies a host parameter (0..63) into the current program, unless the preset system is
    // itself pushing a program through setParameter.
    void recordInProgram(VstInt32 index, float value);

private:
    std::unique_ptr<Program[]> programs_;
    int currentProgram_ = 0;
    bool loading_ = false;
};
