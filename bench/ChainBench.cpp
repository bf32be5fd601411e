// processReplacing through the effect: the pass-through, the trim with and without the strip
// filters (in front of the default meter, VU in CPU SAFE), and each meter behind the pass-through.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSignal.h"
#include "effect/ParameterTable.h"
#include "effect/Templete.h"

namespace velunor::bench {
namespace {

extern "C" VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;  // every pin connected
}

void countSamples(benchmark::State& state, long frames) {
    state.counters["ns_per_sample"] = benchmark::Counter(static_cast<double>(frames) * 1e-9,
                                                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The same blocks of stereo noise through the effect, as often as the benchmark asks.
void processNoise(benchmark::State& state, Templete& effect, VstInt32 frames) {
    auto inL = benchNoise(static_cast<std::size_t>(frames), 1);
    auto inR = benchNoise(static_cast<std::size_t>(frames), 2);
    std::vector<float> outL(inL.size()), outR(inR.size());
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        effect.processReplacing(in, out, frames);
        benchmark::ClobberMemory();
    }
    countSamples(state, frames);
}

// mode 0 pass-through, 1 trim, 2 trim and filters (high-pass 24 dB/oct, low-pass 18 dB/oct).
void chain(benchmark::State& state, int mode) {
    const auto rate = static_cast<float>(state.range(0));
    const auto frames = static_cast<VstInt32>(state.range(1));
    auto effect = std::make_unique<Templete>(benchHost);
    effect->setParameter(kProcess, mode >= 1 ? 1.0f : 0.0f);
    effect->setParameter(kTrim, 0.6f);
    effect->setParameter(kFiltersIn, mode >= 2 ? 1.0f : 0.0f);
    effect->setParameter(kHighPassSlope, 1.0f);
    effect->setParameter(kLowPassSlope, 1.0f);
    effect->setSampleRate(rate);
    effect->resume();
    processNoise(state, *effect, frames);
}
void passThrough(benchmark::State& state) { chain(state, 0); }
void trim(benchmark::State& state) { chain(state, 1); }
void trimAndFilters(benchmark::State& state) { chain(state, 2); }
BENCHMARK(passThrough)->ArgNames({"rate", "frames"})->ArgsProduct({{44100, 96000, 192000}, {32, 256, 1024}});
BENCHMARK(trim)->ArgNames({"rate", "frames"})->ArgsProduct({{44100, 96000, 192000}, {32, 256, 1024}});
BENCHMARK(trimAndFilters)->ArgNames({"rate", "frames"})->ArgsProduct({{44100, 96000, 192000}, {32, 256, 1024}});

// The selected meter measuring the pass-through, as most sessions run the plug-in.
// range(0): meter (0 VU, 1 RMS, 2 PPM), range(1): PRECISE.
void meter(benchmark::State& state) {
    constexpr VstInt32 kPrecise[] = {91, 80, 100};  // PRECISE of the VU, RMS and PPM meters
    const auto which = static_cast<std::size_t>(state.range(0));
    const auto rate = static_cast<float>(state.range(2));
    const auto frames = static_cast<VstInt32>(state.range(3));
    auto effect = std::make_unique<Templete>(benchHost);
    effect->setParameter(kMeter, static_cast<float>(which) * 0.5f);
    effect->setParameter(kPrecise[which], state.range(1) != 0 ? 1.0f : 0.0f);
    effect->setSampleRate(rate);
    effect->resume();
    processNoise(state, *effect, frames);
}
BENCHMARK(meter)
    ->ArgNames({"meter", "precise", "rate", "frames"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}, {44100, 96000, 192000}, {32, 256, 1024}});

}  // namespace
}  // namespace velunor::bench

BENCHMARK_MAIN();
