#pragma once
// Plays audio through a plug-in's processReplacing at real-time pace on a thread of its own, as a
// DAW's audio thread would: a file read into memory up front and then silence, or a test tone.
// The thread touches only buffers made before it starts.

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tools/hosting/PluginInstance.h"

namespace velunor::hostcli {

class AudioStream {
public:
    static constexpr int kBlockFrames = 512;
    static constexpr double kToneHz = 1000.0;
    // The line-up tone: a sine with its peaks at -18 dBFS, the level the VU meter reads as 0 VU.
    static constexpr double kToneDbfs = -18.0;
    static constexpr double kToneSampleRate = 44100.0;

    // The whole file, at most two channels; false with a message in `error` when it cannot be read.
    bool loadFile(const std::string& path, std::string& error);
    // The tone on both channels, for as long as the stream runs.
    void playTone();

    double sampleRate() const { return sampleRate_; }
    bool isMono() const { return channels_ == 1; }

    // The instance must be resumed and must outlive the stream (or its stop()).
    void start(hosting::PluginInstance& plugin);
    void stop();
    ~AudioStream() { stop(); }

private:
    void run(hosting::PluginInstance& plugin);

    std::vector<float> left_, right_;
    bool tone_ = false;
    int channels_ = 2;
    double sampleRate_ = kToneSampleRate;
    std::thread thread_;
    std::atomic<bool> running_{false};
};

}  // namespace velunor::hostcli
