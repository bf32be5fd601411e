#include "tools/hosting/PluginInstance.h"

#include <vector>

namespace velunor::hosting {

std::unique_ptr<PluginInstance> PluginInstance::create(const PluginLibrary& library, std::string& error) {
    AEffect* effect = library.entryPoint()(&hostCallback);
    if (!effect) {
        error = "the entry point of '" + library.path() + "' returned no instance";
        return nullptr;
    }
    if (effect->magic != kEffectMagic || !effect->dispatcher) {
        error = "'" + library.path() + "' answered something that is not a VST 2.4 effect";
        return nullptr;
    }
    auto state = std::make_unique<HostState>();
    effect->user = state.get();
    return std::unique_ptr<PluginInstance>(new PluginInstance(effect, std::move(state)));
}

PluginInstance::~PluginInstance() { dispatch(effClose); }

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index) {
    std::vector<char> buffer(512, 0);
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = 0;
    return buffer.data();
}

bool PluginInstance::setSpeakerArrangement(VstInt32 inputs, VstInt32 outputs) {
    VstSpeakerArrangement in{};
    VstSpeakerArrangement out{};
    in.numChannels = inputs;
    out.numChannels = outputs;
    return dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out) != 0;
}

}  // namespace velunor::hosting
