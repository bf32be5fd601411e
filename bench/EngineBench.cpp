// Each meter engine's process() alone: CPU SAFE and PRECISE, at the rates and block sizes hosts
// use, the CPU SAFE loop in every build this processor runs, and the PRECISE stage by itself in
// every variant.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "BenchSignal.h"
#include "meters/BlockLoopBuild.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/TruePeakDetector.h"
#include "meters/TruePeakDispatch.h"
#include "meters/VUmeter.h"

namespace velunor::bench {
namespace {

class NullOwner final : public EngineOwner {
public:
    void setParameter(VstInt32 index, float value) override {
        if (engine) engine->setParameter(index, value);
    }
    MeterEngine* engine = nullptr;
};

// ns per stereo sample, the figure every table here quotes.
void countSamples(benchmark::State& state, long frames) {
    state.counters["ns_per_sample"] = benchmark::Counter(static_cast<double>(frames) * 1e-9,
                                                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <typename Engine>
void timeEngine(benchmark::State& state, VstInt32 preciseIndex, bool precise, float rate, VstInt32 frames) {
    NullOwner owner;
    auto engine = std::make_unique<Engine>(owner);
    owner.engine = engine.get();
    engine->setParameter(preciseIndex, precise ? 1.0f : 0.0f);
    engine->setSampleRate(rate);
    engine->prepare();
    auto left = benchNoise(static_cast<std::size_t>(frames), 1);
    auto right = benchNoise(static_cast<std::size_t>(frames), 2);
    float* channels[2] = {left.data(), right.data()};
    for (auto _ : state) {
        engine->process(channels, channels, frames);
        benchmark::DoNotOptimize(engine->value(MeterValue::Level, 0));
    }
    countSamples(state, frames);
}

template <typename Engine>
void engineProcess(benchmark::State& state, VstInt32 preciseIndex) {
    timeEngine<Engine>(state, preciseIndex, state.range(0) != 0, static_cast<float>(state.range(1)),
                       static_cast<VstInt32>(state.range(2)));
}

// The CPU SAFE loop in the build given by its place among those this processor runs.
template <typename Engine>
void engineBuild(benchmark::State& state, VstInt32 preciseIndex) {
    const auto builds = supportedBlockLoopBuilds();
    const auto which = static_cast<std::size_t>(state.range(0));
    if (which >= builds.size()) {
        state.SkipWithError("build not supported here");
        return;
    }
    chooseBlockLoopBuild(builds[which]);
    state.SetLabel(blockLoopBuildName(builds[which]));
    timeEngine<Engine>(state, preciseIndex, false, 48000.0f, 256);
    chooseBlockLoopBuild(builds.back());
}

void engineArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"precise", "rate", "frames"});
    for (int precise : {0, 1})
        for (int rate : {44100, 48000, 96000, 192000})
            for (int frames : {32, 256, 1024}) b->Args({precise, rate, frames});
}

void vuProcess(benchmark::State& state) { engineProcess<VUmeter>(state, 91); }
void ppmProcess(benchmark::State& state) { engineProcess<PPMmeter>(state, 100); }
void rmsProcess(benchmark::State& state) { engineProcess<RMSMeter>(state, 80); }
BENCHMARK(vuProcess)->Apply(engineArgs);
BENCHMARK(ppmProcess)->Apply(engineArgs);
BENCHMARK(rmsProcess)->Apply(engineArgs);

void vuBuild(benchmark::State& state) { engineBuild<VUmeter>(state, 91); }
void ppmBuild(benchmark::State& state) { engineBuild<PPMmeter>(state, 100); }
void rmsBuild(benchmark::State& state) { engineBuild<RMSMeter>(state, 80); }
BENCHMARK(vuBuild)->ArgName("build")->DenseRange(0, 2);
BENCHMARK(ppmBuild)->ArgName("build")->DenseRange(0, 2);
BENCHMARK(rmsBuild)->ArgName("build")->DenseRange(0, 2);

// The PRECISE stage alone, both channels, with the variant given by its place in the list.
void truePeakStage(benchmark::State& state) {
    const auto kernels = supportedTruePeakKernels();
    const auto which = static_cast<std::size_t>(state.range(0));
    if (which >= kernels.size()) {
        state.SkipWithError("variant not supported here");
        return;
    }
    const auto rate = static_cast<float>(state.range(1));
    const auto frames = static_cast<int>(state.range(2));
    state.SetLabel(kernels[which]->name);
    TruePeakDetector stage(*kernels[which]);
    const auto noiseL = benchNoise(static_cast<std::size_t>(frames), 1);
    const auto noiseR = benchNoise(static_cast<std::size_t>(frames), 2);
    std::vector<double> left(noiseL.begin(), noiseL.end()), right(noiseR.begin(), noiseR.end());
    for (auto _ : state) {
        stage.beginBlock(rate);
        stage.process(left.data(), right.data(), frames);
        benchmark::ClobberMemory();
        // Fresh input each time: the stage replaces the samples in place.
        std::copy(noiseL.begin(), noiseL.end(), left.begin());
        std::copy(noiseR.begin(), noiseR.end(), right.begin());
    }
    countSamples(state, frames);
}
BENCHMARK(truePeakStage)->ArgNames({"variant", "rate", "frames"})->ArgsProduct({{0, 1, 2, 3}, {48000, 96000}, {256}});

// One dependent integer add per step, a cycle each on every x86-64: gives the clock the
// arithmetic limits in docs/performance.md are worked out from.
void clockEstimate(benchmark::State& state) {
    constexpr int kAdds = 1024;
    std::uint64_t x = 0;
    const std::uint64_t one = 1;
    for (auto _ : state) {
        for (int i = 0; i < kAdds / 8; ++i) {
            asm volatile("add %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\t"
                         "add %1, %0\n\tadd %1, %0\n\tadd %1, %0\n\tadd %1, %0"
                         : "+r"(x)
                         : "r"(one));
        }
    }
    benchmark::DoNotOptimize(x);
    state.counters["ns_per_cycle"] = benchmark::Counter(kAdds * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(clockEstimate);

}  // namespace
}  // namespace velunor::bench

BENCHMARK_MAIN();
