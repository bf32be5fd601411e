#pragma once
// A host callback for tests that build the effect directly: answers the version request and the
// pin queries from a state the test sets.

#include "host/VstAbi.h"

namespace velunor::testing {

struct TestHostState {
    bool secondInputConnected = true;
    bool secondOutputConnected = true;
    VstInt32 outputLatency = 0;
    int pinQueries = 0;
    int automations = 0;
};

inline TestHostState& testHost() {
    static TestHostState state;
    return state;
}

extern "C" inline VstIntPtr testHostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                             void*, float) {
    TestHostState& s = testHost();
    switch (opcode) {
        case audioMasterVersion: return kVstVersion;
        case audioMasterAutomate: ++s.automations; return 0;
        case audioMasterPinConnected:
            ++s.pinQueries;
            if (index != 1) return 0;
            return (value ? s.secondOutputConnected : s.secondInputConnected) ? 0 : 1;
        case audioMasterGetOutputLatency: return s.outputLatency;
        default: return 0;
    }
}

}  // namespace velunor::testing
