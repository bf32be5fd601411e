#include "tools/hosting/HostCallback.h"

namespace velunor::hosting {

extern "C" VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* /*ptr*/, float opt) {
    // Until the instance is handed to us its `user` field is empty: answer with the defaults.
    static HostState defaults;
    HostState& state = effect && effect->user ? *static_cast<HostState*>(effect->user) : defaults;
    switch (opcode) {
        case audioMasterVersion: return kVstVersion;
        case audioMasterAutomate:
            ++state.automations;
            state.lastAutomatedIndex = index;
            state.lastAutomatedValue = opt;
            return 0;
        case audioMasterPinConnected: {
            const bool output = value != 0;
            if (index == 0) return 0;
            if (index == 1) return (output ? state.secondOutputConnected : state.secondInputConnected) ? 0 : 1;
            return 1;
        }
        case audioMasterGetOutputLatency: return state.outputLatency;
        case audioMasterBeginEdit: ++state.openEdits; return 1;
        case audioMasterEndEdit: --state.openEdits; return 1;
        case audioMasterSizeWindow:
            state.windowWidth = index;
            state.windowHeight = static_cast<VstInt32>(value);
            return 1;
        default: return 0;
    }
}

}  // namespace velunor::hosting
