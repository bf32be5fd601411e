// The state chunk, and how saving and restoring meets the three calibration modes when several
// instances share one process.
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "tests/effect/EffectFixture.h"

namespace velunor {
namespace {

using testing::EffectFixture;

constexpr float kGlobal = 0.0f;
constexpr float kSession = 0.5f;
constexpr float kInstance = 1.0f;

std::vector<unsigned char> chunkOf(Templete& effect) {
    void* data = nullptr;
    const VstInt32 size = effect.getChunk(&data, false);
    EXPECT_EQ(size, 596);
    EXPECT_NE(data, nullptr);
    if (size <= 0 || !data) return {};
    const auto* bytes = static_cast<const unsigned char*>(data);
    return {bytes, bytes + size};
}

float slot(const std::vector<unsigned char>& chunk, int index) {
    float v;
    std::memcpy(&v, chunk.data() + 4 * index, sizeof v);  // the test machine is little-endian
    return v;
}

void setSlot(std::vector<unsigned char>& chunk, int index, float v) { std::memcpy(chunk.data() + 4 * index, &v, sizeof v); }

// Restores the first `size` bytes from a heap block of exactly that size, so that a read past its
// end is caught by AddressSanitizer.
void restore(Templete& effect, const std::vector<unsigned char>& chunk, std::size_t size) {
    auto block = std::make_unique<unsigned char[]>(size == 0 ? 1 : size);
    std::memcpy(block.get(), chunk.data(), size);
    EXPECT_EQ(effect.setChunk(block.get(), static_cast<VstInt32>(size), false), 0);
}

class TempleteState : public EffectFixture {};

TEST_F(TempleteState, NewInstanceChunkLayout) {
    auto effect = newEffect();
    const auto chunk = chunkOf(*effect);
    ASSERT_EQ(chunk.size(), 596u);
    EXPECT_EQ(slot(chunk, 0), 300.0f);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(chunk.data() + 4), 12), "Master Track");
    for (int b = 16; b < 44; ++b) EXPECT_EQ(chunk[static_cast<std::size_t>(b)], 0) << b;
    for (VstInt32 i = 0; i < 64; ++i) EXPECT_EQ(slot(chunk, 11 + i), effect->getParameter(i)) << i;
    for (int s = 28; s <= 74; ++s) EXPECT_EQ(slot(chunk, s), 0.5f) << s;
    for (std::size_t i = 0; i < kMeterSettings.size(); ++i)
        EXPECT_EQ(slot(chunk, 75 + static_cast<int>(i)), kMeterSettings[i].defaultValue) << kMeterSettings[i].registryName;
    EXPECT_EQ(slot(chunk, 75), effect->getParameter(72));
    EXPECT_EQ(slot(chunk, 85), effect->getParameter(83));
    EXPECT_EQ(slot(chunk, 101), effect->getParameter(100));
    for (std::size_t b = 408; b < 596; ++b) EXPECT_EQ(chunk[b], 0) << b;

    // The effect's own buffer, the same on every call.
    void* first = nullptr;
    void* second = nullptr;
    effect->getChunk(&first, false);
    effect->getChunk(&second, true);
    EXPECT_EQ(first, second);
    EXPECT_EQ(effect->getChunk(nullptr, false), 0);
}

TEST_F(TempleteState, RoundTripIntoANewInstance) {
    auto saved = newEffect();
    saved->setParameter(kCalibrationMode, kInstance);
    const std::pair<VstInt32, float> changes[] = {{kTrim, 0.3f},  {kMeter, 1.0f}, {kMidSide, 1.0f}, {kHold, 0.5f},
                                                  {kLagTime, 0.2f}, {kHighPassFrequency, 0.4f}, {72, 0.2f},
                                                  {84, 0.9f},     {93, 0.3f},     {100, 1.0f}};
    for (const auto& [index, v] : changes) saved->setParameter(index, v);
    const char label[] = "Overheads \"L\" / R";
    auto chunk = chunkOf(*saved);
    std::memcpy(chunk.data() + 4, label, sizeof label);

    reloadLibrary();
    auto restored = newEffect();
    restore(*restored, chunk, chunk.size());
    EXPECT_STREQ(restored->label(), label);
    for (const auto& [index, v] : changes) EXPECT_EQ(restored->getParameter(index), v) << index;
    EXPECT_EQ(restored->ppmMeter().getParameter(93), 0.3f);
    EXPECT_EQ(restored->vuMeter().getParameter(84), 0.9f);
    EXPECT_EQ(restored->ppmMeter().midSide(), 1);
    EXPECT_EQ(restored->meterType(), 2);
    EXPECT_EQ(chunkOf(*restored), chunk);
}

TEST_F(TempleteState, NullOrNegativeBlocksChangeNothing) {
    auto effect = newEffect();
    effect->setParameter(kTrim, 0.8f);
    const auto before = chunkOf(*effect);
    std::vector<unsigned char> other(596, 0);
    EXPECT_EQ(effect->setChunk(nullptr, 596, false), 0);
    EXPECT_EQ(effect->setChunk(other.data(), -1, false), 0);
    EXPECT_EQ(effect->setChunk(other.data(), std::numeric_limits<VstInt32>::min(), false), 0);
    EXPECT_EQ(chunkOf(*effect), before);
}

TEST_F(TempleteState, ShortBlocksRestoreOnlyTheSlotsTheyHold) {
    auto source = newEffect();
    source->setParameter(kCalibrationMode, kInstance);
    source->setParameter(kTrim, 0.25f);      // slot 12
    source->setParameter(kMidSide, 1.0f);    // slot 15, bytes 60..63
    source->setParameter(kLagTime, 0.5f);    // slot 27
    source->setParameter(81, 0.0f);          // slot 84, bytes 336..339: the last RMS setting
    source->setParameter(83, 0.9f);          // slot 85, bytes 340..343
    source->setParameter(100, 1.0f);         // slot 101, bytes 404..407
    auto chunk = chunkOf(*source);
    std::memcpy(chunk.data() + 4, "Short", 6);

    struct Case {
        std::size_t size;
        bool label, trim, midSide, lag, rmsLast, vuFirst, ppmLast;
    };
    const Case cases[] = {
        {0, false, false, false, false, false, false, false},
        {43, false, false, false, false, false, false, false},  // the label field is cut
        {44, true, false, false, false, false, false, false},
        {52, true, true, false, false, false, false, false},
        {63, true, true, false, false, false, false, false},   // slot 15 is one byte short
        {64, true, true, true, false, false, false, false},
        {300, true, true, true, true, false, false, false},    // parameters only
        {340, true, true, true, true, true, false, false},
        {407, true, true, true, true, true, true, false},
        {408, true, true, true, true, true, true, true},
    };
    for (const Case& c : cases) {
        reloadLibrary();
        auto effect = newEffect();
        effect->setParameter(kCalibrationMode, kInstance);  // so that the settings apply in every case
        restore(*effect, chunk, c.size);
        EXPECT_EQ(std::string(effect->label()), c.label ? "Short" : "Master Track") << c.size;
        EXPECT_EQ(effect->getParameter(kTrim), c.trim ? 0.25f : 0.5f) << c.size;
        EXPECT_EQ(effect->getParameter(kMidSide), c.midSide ? 1.0f : 0.0f) << c.size;
        EXPECT_EQ(effect->getParameter(kLagTime), c.lag ? 0.5f : 0.0f) << c.size;
        EXPECT_EQ(effect->rmsMeter().getParameter(81), c.rmsLast ? 0.0f : 0.5f) << c.size;
        EXPECT_EQ(effect->vuMeter().getParameter(83), c.vuFirst ? 0.9f : 0.25f) << c.size;
        EXPECT_EQ(effect->ppmMeter().getParameter(100), c.ppmLast ? 1.0f : 0.0f) << c.size;
    }
}

TEST_F(TempleteState, LabelWithoutAnEndingZeroKeeps39Characters) {
    auto effect = newEffect();
    auto chunk = chunkOf(*effect);
    std::memset(chunk.data() + 4, 'x', 40);
    restore(*effect, chunk, chunk.size());
    EXPECT_EQ(std::string(effect->label()), std::string(39, 'x'));
    // Bytes after an ending zero are kept as they stand, so the block saves again unchanged.
    std::memcpy(chunk.data() + 4, "ab\0cd", 5);
    restore(*effect, chunk, chunk.size());
    EXPECT_STREQ(effect->label(), "ab");
    EXPECT_EQ(chunkOf(*effect), chunk);
}

TEST_F(TempleteState, GarbageSlotsAreClampedLikeAnyOtherValue) {
    auto effect = newEffect();
    auto chunk = chunkOf(*effect);
    setSlot(chunk, 11 + kCalibrationMode, kInstance);
    setSlot(chunk, 11 + kTrim, std::numeric_limits<float>::quiet_NaN());
    setSlot(chunk, 11 + kLagTime, 1e30f);
    setSlot(chunk, 85, -std::numeric_limits<float>::infinity());
    setSlot(chunk, 0, 12345.0f);  // the marker is not checked
    restore(*effect, chunk, chunk.size());
    EXPECT_EQ(effect->getParameter(kTrim), 0.0f);
    EXPECT_EQ(effect->getParameter(kLagTime), 1.0f);
    EXPECT_EQ(effect->vuMeter().getParameter(83), 0.0f);
    EXPECT_EQ(effect->vuMeter().lagMs(), 999);
}

TEST_F(TempleteState, GlobalChunkTakesTheGlobalStoreNotItsOwnSettings) {
    writeRegistryFloat("Avureference", 0.6f);
    reloadLibrary();
    auto saved = newEffect();
    saved->setParameter(kCalibrationMode, kGlobal);
    EXPECT_EQ(saved->getParameter(83), 0.6f);
    saved->setParameter(83, 0.9f);
    auto chunk = chunkOf(*saved);
    EXPECT_EQ(slot(chunk, 85), 0.9f);

    reloadLibrary();  // a new run: the Global store is the registry's again
    auto restored = newEffect();
    restore(*restored, chunk, chunk.size());
    EXPECT_EQ(restored->calibrationMode(), 0);
    EXPECT_EQ(restored->getParameter(83), 0.6f);
    EXPECT_EQ(restored->vuMeter().getParameter(83), 0.6f);
}

TEST_F(TempleteState, SessionChunkDecidesTheSessionValuesOfLaterInstances) {
    auto saved = newEffect();  // Session is where a fresh library starts
    saved->setParameter(93, 0.3f);
    saved->setParameter(74, 0.65f);
    const auto chunk = chunkOf(*saved);

    reloadLibrary();
    auto earlier = newEffect();
    auto restored = newEffect();
    restore(*restored, chunk, chunk.size());
    EXPECT_EQ(restored->ppmMeter().getParameter(93), 0.3f);
    auto later = newEffect();
    EXPECT_EQ(later->getParameter(93), 0.3f);
    EXPECT_EQ(later->ppmMeter().getParameter(93), 0.3f);
    EXPECT_EQ(later->rmsMeter().getParameter(74), 0.65f);
    // An instance that was already there follows at its next sync.
    EXPECT_EQ(earlier->getParameter(93), 0.5f);
    earlier->ppmMeter().syncCalibration();
    EXPECT_EQ(earlier->getParameter(93), 0.3f);
}

TEST_F(TempleteState, InstanceChunkComesBackAfterADetourThroughSession) {
    auto saved = newEffect();
    saved->setParameter(kCalibrationMode, kInstance);
    saved->setParameter(93, 0.3f);
    saved->setParameter(84, 0.9f);
    const auto chunk = chunkOf(*saved);

    reloadLibrary();
    auto sessionPeer = newEffect();
    sessionPeer->setParameter(93, 0.7f);  // the Session store now differs from the chunk
    auto restored = newEffect();
    restore(*restored, chunk, chunk.size());
    EXPECT_EQ(restored->getParameter(93), 0.3f);
    EXPECT_EQ(restored->getParameter(84), 0.9f);
    EXPECT_EQ(sessionCalibrationStore().get(93), 0.7f);

    restored->setParameter(kCalibrationMode, kSession);
    EXPECT_EQ(restored->getParameter(93), 0.7f);
    EXPECT_EQ(restored->ppmMeter().getParameter(93), 0.7f);
    EXPECT_EQ(restored->getParameter(84), 0.5f);

    restored->setParameter(kCalibrationMode, kInstance);
    EXPECT_EQ(restored->getParameter(93), 0.3f);
    EXPECT_EQ(restored->ppmMeter().getParameter(93), 0.3f);
    EXPECT_EQ(restored->getParameter(84), 0.9f);
    EXPECT_EQ(chunkOf(*restored), chunk);
    EXPECT_EQ(sessionPeer->getParameter(93), 0.7f);  // nothing of the private values leaked
}

TEST_F(TempleteState, GlobalInstancesShareAtSyncAndTheRegistryAtTheSaveCommand) {
    auto a = newEffect();
    a->setParameter(kCalibrationMode, kGlobal);
    auto b = newEffect();
    EXPECT_EQ(b->calibrationMode(), 0);  // the last mode chosen in the process
    auto session = newEffect();
    session->setParameter(kCalibrationMode, kSession);

    a->setParameter(83, 0.4f);
    EXPECT_EQ(b->getParameter(83), 0.25f);  // not before its front panel syncs
    b->ppmMeter().syncCalibration();        // another meter type: no change
    EXPECT_EQ(b->getParameter(83), 0.25f);
    b->vuMeter().syncCalibration();
    EXPECT_EQ(b->getParameter(83), 0.4f);
    EXPECT_EQ(b->vuMeter().getParameter(83), 0.4f);
    session->vuMeter().syncCalibration();
    EXPECT_EQ(session->getParameter(83), 0.25f);

    EXPECT_EQ(registryFloat("Avureference"), -1.0f);  // nothing written yet
    session->setParameter(kSaveGlobalCalibration, 0.0f);  // any mode writes the Global store
    EXPECT_EQ(registryFloat("Avureference"), 0.4f);
    reloadLibrary();
    EXPECT_EQ(newEffect()->getParameter(83), 0.4f);
}

}  // namespace
}  // namespace velunor
