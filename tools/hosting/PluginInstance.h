#pragma once
// One instance of a loaded plug-in, talked to only through its AEffect record, as a host does.

#include <memory>
#include <string>

#include "tools/hosting/HostCallback.h"
#include "tools/hosting/PluginLibrary.h"

namespace velunor::hosting {

class PluginInstance {
public:
    // Null with a message in `error` when the entry point refuses or answers something that is not
    // an AEffect record. The instance is closed (effClose) when destroyed.
    static std::unique_ptr<PluginInstance> create(const PluginLibrary& library, std::string& error);
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    AEffect* effect() const { return effect_; }
    HostState& host() { return *state_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);
    // The text a string request writes (into a zeroed buffer larger than any limit).
    std::string text(VstInt32 opcode, VstInt32 index = 0);

    void setParameter(VstInt32 index, float value) { effect_->setParameter(effect_, index, value); }
    float getParameter(VstInt32 index) { return effect_->getParameter(effect_, index); }
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) {
        effect_->processReplacing(effect_, inputs, outputs, frames);
    }
    // effSetSpeakerArrangement with the two channel counts.
    bool setSpeakerArrangement(VstInt32 inputs, VstInt32 outputs);

private:
    PluginInstance(AEffect* effect, std::unique_ptr<HostState> state)
        : effect_(effect), state_(std::move(state)) {}
    AEffect* effect_;
    std::unique_ptr<HostState> state_;
};

}  // namespace velunor::hosting
