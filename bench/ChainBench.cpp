// processReplacing through the effect: the pass-through, and the trim with and without the
// strip filters, in front of whatever meter the effect has.
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
    auto inL = benchNoise(static_cast<std::size_t>(frames), 1);
    auto inR = benchNoise(static_cast<std::size_t>(frames), 2);
    std::vector<float> outL(inL.size()), outR(inR.size());
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        effect->processReplacing(in, out, frames);
        benchmark::ClobberMemory();
    }
    countSamples(state, frames);
}
void passThrough(benchmark::State& state) { chain(state, 0); }
void trim(benchmark::State& state) { chain(state, 1); }
void trimAndFilters(benchmark::State& state) { chain(state, 2); }
BENCHMARK(passThrough)->ArgNames({"rate", "frames"})->ArgsProduct({{44100, 96000, 192000}, {32, 256, 1024}});
BENCHMARK(trim)->ArgNames({"rate", "frames"})->ArgsProduct({{44100, 96000, 192000}, {32, 256, 1024}});
BENCHMARK(trimAndFilters)->ArgNames({"rate", "frames"})->ArgsProduct({{44100, 96000, 192000}, {32, 256, 1024}});

}  // namespace
}  // namespace velunor::bench

BENCHMARK_MAIN();
