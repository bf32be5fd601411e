#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "meters/TruePeakDetector.h"
#include "meters/TruePeakDispatch.h"

namespace velunor {
namespace {

// Random input of the given scale, with runs of silence and of one repeated value that put raw and
// interpolated candidates close together.
std::vector<double> randomSignal(std::size_t n, unsigned seed, double scale) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(-scale, scale);
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i) x[i] = uniform(random);
    for (std::size_t i = 300; i < 400 && i < n; ++i) x[i] = 0.0;
    for (std::size_t i = 500; i < 600 && i < n; ++i) x[i] = 0.5 * scale;
    return x;
}

void expectClose(double actual, double plain, const char* what, std::size_t i) {
    // A raw sample is passed on untouched; an interpolated one within 1e-12 of its own size.
    ASSERT_LE(std::fabs(actual - plain), 1e-12 * std::fabs(plain)) << what << " at " << i << ": " << actual << " vs " << plain;
}

TEST(TruePeakDispatch, EveryVariantMatchesThePlainKernel) {
    const TruePeakTaps& taps = truePeakTaps();
    const int counts[] = {1, 5, 32, 33, 250, 1000};
    for (const TruePeakKernel* kernel : supportedTruePeakKernels()) {
        SCOPED_TRACE(kernel->name);
        for (double scale : {1.0, 1e-20, 3e30}) {
            for (int count : counts) {
                const auto window = randomSignal(static_cast<std::size_t>(count + 63 + kTruePeakKernelGroup), 11u + static_cast<unsigned>(count), scale);
                for (auto pick : {&TruePeakKernel::fourTimes, &TruePeakKernel::twoTimes}) {
                    std::vector<double> expected(static_cast<std::size_t>(count) + kTruePeakKernelGroup);
                    std::vector<double> actual(expected.size());
                    (kTruePeakPlain.*pick)(window.data(), count, taps, expected.data());
                    (kernel->*pick)(window.data(), count, taps, actual.data());
                    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
                        expectClose(actual[i], expected[i], pick == &TruePeakKernel::fourTimes ? "four times" : "two times", i);
                }
            }
        }
    }
}

TEST(TruePeakDispatch, TheWidestSupportedVariantIsChosen) {
    const auto kernels = supportedTruePeakKernels();
    ASSERT_GE(kernels.size(), 2u);  // plain and SSE2 run everywhere
    EXPECT_EQ(kernels.front(), &kTruePeakPlain);
    EXPECT_EQ(&selectedTruePeakKernel(), kernels.back());
    if (__builtin_cpu_supports("avx512f")) {
        EXPECT_EQ(&selectedTruePeakKernel(), &kTruePeakAvx512);
    }
}

// Blocks of any length through the detector, with its history carried from block to block, give
// what the plain kernel gives one sample at a time.
TEST(TruePeakDispatch, DetectorCarriesItsHistoryAcrossBlocksOfAnyLength) {
    for (float rate : {44100.0f, 96000.0f, 192000.0f}) {
        for (const TruePeakKernel* kernel : supportedTruePeakKernels()) {
            SCOPED_TRACE(kernel->name);
            TruePeakDetector blocks(*kernel);
            TruePeakDetector single(kTruePeakPlain);
            const auto left = randomSignal(3000, 3, 1.0);
            const auto right = randomSignal(3000, 4, 0.25);
            std::mt19937 random(5);
            std::uniform_int_distribution<int> length(0, 700);
            std::size_t done = 0;
            while (done < left.size()) {
                const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length(random)), left.size() - done);
                std::vector<double> l(left.begin() + static_cast<long>(done), left.begin() + static_cast<long>(done + n));
                std::vector<double> r(right.begin() + static_cast<long>(done), right.begin() + static_cast<long>(done + n));
                blocks.beginBlock(rate);
                blocks.process(l.data(), r.data(), static_cast<int>(n));
                single.beginBlock(rate);
                for (std::size_t i = 0; i < n; ++i) {
                    double sl = left[done + i], sr = right[done + i];
                    single.process(&sl, &sr, 1);
                    expectClose(l[i], sl, "left", done + i);
                    expectClose(r[i], sr, "right", done + i);
                }
                done += n;
            }
        }
    }
}

}  // namespace
}  // namespace velunor
