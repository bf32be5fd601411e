// The whole plug-in as a host runs it: the built .so loaded with dlopen and driven only through its
// AEffect record, each meter with PRECISE on and "Process" off, at 48 kHz in blocks of 256.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "BenchSignal.h"
#include "tools/hosting/PluginInstance.h"
#include "tools/hosting/PluginLibrary.h"

namespace velunor::bench {
namespace {

constexpr VstInt32 kMeterIndex = 3;
constexpr VstInt32 kPreciseIndex[] = {91, 80, 100};  // VU, RMS, PPM
constexpr const char* kMeterNames[] = {"VU", "RMS", "PPM"};

std::string pluginPath() {
    const char* dir = std::getenv("VELUNOR_BIN_DIR");
    return std::string(dir ? dir : ".") + "/QVXVelunor_x64.so";
}

void plugin(benchmark::State& state) {
    const auto which = static_cast<std::size_t>(state.range(0));
    constexpr VstInt32 kFrames = 256;
    std::string error;
    auto library = hosting::PluginLibrary::load(pluginPath(), error);
    auto instance = library ? hosting::PluginInstance::create(*library, error) : nullptr;
    if (!instance) {
        state.SkipWithError(error.c_str());
        return;
    }
    state.SetLabel(kMeterNames[which]);
    instance->dispatch(effOpen);
    instance->dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    instance->dispatch(effSetBlockSize, 0, kFrames);
    instance->setParameter(kMeterIndex, static_cast<float>(which) * 0.5f);
    instance->setParameter(kPreciseIndex[which], 1.0f);
    instance->setParameter(0, 0.0f);  // "Process" off
    instance->dispatch(effMainsChanged, 0, 1);
    auto inL = benchNoise(kFrames, 1);
    auto inR = benchNoise(kFrames, 2);
    std::vector<float> outL(kFrames), outR(kFrames);
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        instance->processReplacing(in, out, kFrames);
        benchmark::ClobberMemory();
    }
    state.counters["ns_per_sample"] = benchmark::Counter(kFrames * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    instance->dispatch(effMainsChanged, 0, 0);
}
BENCHMARK(plugin)->ArgName("meter")->DenseRange(0, 2);

}  // namespace
}  // namespace velunor::bench

BENCHMARK_MAIN();
