#pragma once
// The host side of the VST 2.4 callback for our own tools: what a plug-in may ask of the host, and
// the answers. Each instance points its AEffect's `user` field at its HostState.

#include <cstdint>

#include "host/VstAbi.h"

namespace velunor::hosting {

struct HostState {
    // audioMasterPinConnected: the published convention answers 0 for a connected pin.
    bool secondInputConnected = true;
    bool secondOutputConnected = true;
    VstInt32 outputLatency = 0;
    // Requests the plug-in made, for the curious and for tests.
    std::int64_t automations = 0;
    VstInt32 lastAutomatedIndex = -1;
    float lastAutomatedValue = 0.0f;
    std::int64_t openEdits = 0;  // begin edit minus end edit
    VstInt32 windowWidth = 0;
    VstInt32 windowHeight = 0;
};

// Answers audioMasterVersion with 2400 even before an instance exists.
extern "C" VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt);

}  // namespace velunor::hosting
