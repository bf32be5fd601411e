// The engines run a block with their state in registers and the needle's section cached; these
// tests hold that loop, in every build this processor runs, to the straightforward per-sample
// code, bit for bit, in CPU SAFE.
#include <algorithm>
#include <limits>
#include <random>
#include <string>

#include "MeterTestSupport.h"
#include "meters/BlockLoopBuild.h"
#include "meters/NeedleFilterBank.h"
#include "meters/PPMmeter.h"
#include "meters/RMSMeter.h"
#include "meters/VUmeter.h"

namespace velunor {
namespace {

using namespace velunor::test;

// The per-sample code in its plain form: every value read from and written to the state on
// every sample, the needle bank stepped section by section.
struct PlainState {
    std::array<double, 2> level{}, held{}, meanSquare{}, overCount{};
    std::array<int, 2> holdCount{};

    explicit PlainState(const MeterEngine& e) {
        for (int c = 0; c < 2; ++c) {
            level[c] = e.value(MeterValue::Level, c);
            held[c] = e.value(MeterValue::Held, c);
            meanSquare[c] = e.value(MeterValue::MeanSquare, c);
            overCount[c] = e.overCount(c);
            holdCount[c] = e.holdCount(c);
        }
    }
    void countOver(int c, bool over, double needed) {
        if (over) overCount[c] += 1.0;
        else if (needed > overCount[c]) overCount[c] = 0.0;
    }
    void follow(int c, double t, double attack, double release) {
        level[c] = level[c] + (t - level[c]) * (t > level[c] ? attack : release);
        level[c] = (level[c] + 1e-14) - 1e-14;
    }
    void peakHold(int c, double peak, double decay, double length) {
        if (peak > held[c]) {
            held[c] = peak;
            holdCount[c] = 0;
        }
        if (holdCount[c] >= length) held[c] = held[c] + (0.0 - held[c]) * decay;
        if (holdCount[c] < length) ++holdCount[c];
        held[c] = (held[c] + 1e-14) - 1e-14;
    }
};

struct PlainNeedle {
    std::array<NeedleSection, NeedleFilterBank::kSections> sections;
    int current;
    explicit PlainNeedle(const NeedleFilterBank& bank) : current(bank.currentSection()) {
        for (int i = 0; i < NeedleFilterBank::kSections; ++i) sections[i] = bank.section(i);
    }
    double step(double x) {
        const double y = static_cast<float>(sections[current].step(x));
        const float f = static_cast<float>(y);
        const int next = static_cast<int>(15.0f * (f < 0.0f ? 0.0f : f > 1.0f ? 1.0f : f) + 0.5f);
        if (next != current) sections[next].setHistory(sections[current].history());
        current = next;
        return y;
    }
};

// Loud and quiet noise with NaN and infinity sprinkled in: it moves the needle through its
// sections, raises overs and holds, and lets everything fall back. Then silence, in which the
// quasi-peak detectors with a short fall-back decay far enough for the tiny-value flush to act.
std::vector<float> testSignal(unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<float> x(30000 + 90000, 0.0f);
    for (std::size_t n = 0; n < 30000; ++n) {
        const double envelope = (n / 4000) % 2 == 0 ? 0.6 : 0.02;
        x[n] = static_cast<float>(envelope * noise(random));
    }
    x[777] = std::numeric_limits<float>::quiet_NaN();
    x[12345] = std::numeric_limits<float>::infinity();
    return x;
}

template <typename Engine, typename Plain>
void expectSameAsPlain(Engine& engine, Plain plainSample, const std::function<void()>& prepared = {}) {
    const auto left = testSignal(1);
    const auto right = testSignal(2);
    for (int midSide : {0, 1}) {
        engine.setLrMs(static_cast<float>(midSide));
        engine.setLagTime(midSide ? 0.05f : 0.0f);  // history ticks inside the blocks
        engine.prepare();
        if (prepared) prepared();
        PlainState plain(engine);
        std::mt19937 random(9);
        std::uniform_int_distribution<int> length(1, 600);
        std::size_t done = 0;
        while (done < left.size()) {
            const int n = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(length(random)), left.size() - done));
            float* channels[2] = {const_cast<float*>(left.data() + done), const_cast<float*>(right.data() + done)};
            engine.process(channels, channels, n);
            for (int i = 0; i < n; ++i) {
                double l = left[done + static_cast<std::size_t>(i)], r = right[done + static_cast<std::size_t>(i)];
                bool badL = !std::isfinite(l), badR = !std::isfinite(r);
                if (badL) l = 0.0;
                if (badR) r = 0.0;
                double a = l, b = r;
                if (midSide) {
                    a = (l + r) * 0.7080000042915344;  // M3, the default
                    b = l - r;
                    badL = badR = badL || badR;
                }
                plainSample(plain, 0, std::fabs(a) * engine.gain(), badL);
                plainSample(plain, 1, std::fabs(b) * engine.gain(), badR);
                // The lag's history tick consumes overs the same way in both.
                if (midSide && (done + static_cast<std::size_t>(i) + 1) % static_cast<std::size_t>(engine.samplesPerTick()) == 0)
                    for (int c = 0; c < 2; ++c)
                        if (plain.overCount[c] >= engine.oversNeeded()) plain.overCount[c] = 0.0;
            }
            done += static_cast<std::size_t>(n);
            for (int c = 0; c < 2; ++c) {
                ASSERT_EQ(engine.value(MeterValue::Level, c), plain.level[c]) << done << " channel " << c;
                ASSERT_EQ(engine.value(MeterValue::Held, c), plain.held[c]) << done << " channel " << c;
                ASSERT_EQ(engine.value(MeterValue::MeanSquare, c), plain.meanSquare[c]) << done << " channel " << c;
                ASSERT_EQ(engine.overCount(c), plain.overCount[c]) << done << " channel " << c;
                ASSERT_EQ(engine.holdCount(c), plain.holdCount[c]) << done << " channel " << c;
            }
        }
    }
}

class BlockLoopTest : public MeterFixture, public testing::WithParamInterface<BlockLoopBuild> {
protected:
    void SetUp() override {
        MeterFixture::SetUp();
        ASSERT_TRUE(chooseBlockLoopBuild(GetParam()));
    }
    void TearDown() override {
        chooseBlockLoopBuild(supportedBlockLoopBuilds().back());
        MeterFixture::TearDown();
    }
};

INSTANTIATE_TEST_SUITE_P(Builds, BlockLoopTest,
                         testing::ValuesIn(supportedBlockLoopBuilds().begin(), supportedBlockLoopBuilds().end()),
                         [](const testing::TestParamInfo<BlockLoopBuild>& build) {
                             std::string name = blockLoopBuildName(build.param);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST_P(BlockLoopTest, PpmMatchesThePlainLoop) {
    Owned<PPMmeter> ppm;
    ppm->setParameter(100, 0.0f);  // CPU SAFE
    ppm->setParameter(95, 0.1f);  // a short hold, so that the marker falls within the test
    ppm->setParameter(96, 0.0f);  // and the shortest fall-back, so that both reach the flush in the silence
    const auto& bal = ppm->ballistics();
    expectSameAsPlain(*ppm, [&](PlainState& s, int c, double t, bool bad) {
        s.countOver(c, bad || t >= ppm->overThreshold(), ppm->oversNeeded());
        s.follow(c, t, bal.attack(), bal.release());
        s.peakHold(c, s.level[c], bal.release(), bal.holdLengthSamples());
    });
}

TEST_P(BlockLoopTest, RmsMatchesThePlainLoop) {
    Owned<RMSMeter> rms;
    rms->setParameter(80, 0.0f);
    rms->setParameter(75, 0.1f);
    rms->setParameter(76, 0.0f);
    rms->setParameter(74, 0.0f);  // the shortest RMS integration: the mean square moves fast
    const auto& bal = rms->ballistics();
    expectSameAsPlain(*rms, [&](PlainState& s, int c, double t, bool bad) {
        s.countOver(c, bad || t >= rms->overThreshold(), rms->oversNeeded());
        s.follow(c, t, bal.attack(), bal.release());
        s.peakHold(c, s.level[c], bal.release(), bal.holdLengthSamples());
        const double ms = s.meanSquare[c];
        s.meanSquare[c] = ((t * t - ms) * static_cast<double>(rms->rmsCoefficient()) + ms + 1e-14) - 1e-14;
    });
}

TEST_P(BlockLoopTest, VuMatchesThePlainLoop) {
    Owned<VUmeter> vu;
    vu->setParameter(91, 0.0f);
    vu->setParameter(85, 0.1f);
    std::array<PlainNeedle, 2> needles{PlainNeedle(vu->needleBank(0)), PlainNeedle(vu->needleBank(1))};
    // prepare points the needle back at section 0 and redesigns every section.
    auto prepared = [&] { needles = {PlainNeedle(vu->needleBank(0)), PlainNeedle(vu->needleBank(1))}; };
    int sectionsVisited = 0;
    expectSameAsPlain(*vu, [&](PlainState& s, int c, double t, bool bad) {
        const double needle = needles[c].step(t * VUmeter::kNeedleScale);
        sectionsVisited = std::max(sectionsVisited, needles[c].current);
        s.level[c] = needle;
        s.countOver(c, bad || t >= vu->overThreshold(), vu->oversNeeded());
        if (needle >= s.held[c]) {
            s.held[c] = needle;
            s.holdCount[c] = 0;
        }
        if (static_cast<float>(s.holdCount[c]) >= vu->holdLengthSamples())
            s.held[c] = s.held[c] + (0.0 - s.held[c]) * vu->holdDecay();
        if (static_cast<float>(s.holdCount[c]) < vu->holdLengthSamples()) ++s.holdCount[c];
    }, prepared);
    EXPECT_GE(sectionsVisited, 8);
    // The sections the needle left keep the history of their last step.
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < NeedleFilterBank::kSections; ++i) {
            EXPECT_EQ(vu->needleBank(c).section(i).history().y1, needles[c].sections[i].history().y1) << c << " " << i;
            EXPECT_EQ(vu->needleBank(c).section(i).offset(), needles[c].sections[i].offset()) << c << " " << i;
        }
}

}  // namespace
}  // namespace velunor
