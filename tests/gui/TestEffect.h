#pragma once
// An effect with a host callback that records what the plug-in asks of the host.

#include <vector>

#include "host/AudioEffect.h"

namespace guitest {

struct HostCall {
    VstInt32 opcode, index;
    VstIntPtr value;
    bool operator==(const HostCall&) const = default;
};

inline std::vector<HostCall>& hostCalls() {
    static std::vector<HostCall> calls;
    return calls;
}

inline VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    hostCalls().push_back({opcode, index, value});
    return 1;
}

class TestEffect : public AudioEffectX {
public:
    TestEffect() : AudioEffectX(&recordingHost, 1, 4) {}
    void processReplacing(float**, float**, VstInt32) override {}
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0) {
        return cEffect.dispatcher(&cEffect, opcode, index, value, ptr, opt);
    }
};

}  // namespace guitest
