#include "tools/velunor-host/AudioStream.h"

#include <sndfile.h>

#include <chrono>
#include <cmath>

namespace velunor::hostcli {
namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

bool AudioStream::loadFile(const std::string& path, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = "cannot read audio file '" + path + "': " + sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0) {
        sf_close(file);
        error = "'" + path + "' has " + std::to_string(info.channels) + " channels; 1 or 2 are supported";
        return false;
    }
    const auto frames = static_cast<std::size_t>(info.frames);
    std::vector<float> interleaved(frames * static_cast<std::size_t>(info.channels));
    const sf_count_t got = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    const auto n = static_cast<std::size_t>(got > 0 ? got : 0);
    channels_ = info.channels;
    sampleRate_ = info.samplerate;
    left_.resize(n);
    right_.assign(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        left_[i] = interleaved[i * static_cast<std::size_t>(channels_)];
        if (channels_ == 2) right_[i] = interleaved[i * 2 + 1];
    }
    return true;
}

void AudioStream::playTone() {
    tone_ = true;
    channels_ = 2;
    sampleRate_ = kToneSampleRate;
    left_.clear();
    right_.clear();
}

void AudioStream::start(hosting::PluginInstance& plugin) {
    stop();
    running_ = true;
    thread_ = std::thread([this, &plugin] { run(plugin); });
}

void AudioStream::stop() {
    running_ = false;
    if (thread_.joinable()) thread_.join();
}

void AudioStream::run(hosting::PluginInstance& plugin) {
    using Clock = std::chrono::steady_clock;
    std::vector<float> inL(kBlockFrames), inR(kBlockFrames), outL(kBlockFrames), outR(kBlockFrames);
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    const auto blockDuration = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(kBlockFrames / sampleRate_));
    const double toneAmplitude = std::pow(10.0, kToneDbfs / 20.0);
    const double toneStep = 2.0 * kPi * kToneHz / sampleRate_;
    double tonePhase = 0.0;
    auto deadline = Clock::now();
    std::size_t position = 0;
    while (running_) {
        for (std::size_t i = 0; i < kBlockFrames; ++i, ++position) {
            if (tone_) {
                inL[i] = inR[i] = static_cast<float>(toneAmplitude * std::sin(tonePhase));
                tonePhase = std::fmod(tonePhase + toneStep, 2.0 * kPi);
            } else {
                const bool playing = position < left_.size();
                inL[i] = playing ? left_[position] : 0.0f;
                inR[i] = playing ? right_[position] : 0.0f;
            }
        }
        plugin.processReplacing(inputs, outputs, kBlockFrames);
        deadline += blockDuration;
        std::this_thread::sleep_until(deadline);
    }
}

}  // namespace velunor::hostcli
