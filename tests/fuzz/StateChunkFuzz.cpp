// A state chunk is outside input: any bytes of any length must restore without a fault or a read
// past the block, leave every value in range and the label terminated, and what the effect then
// saves must restore into a new instance unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "effect/LastChoices.h"
#include "effect/Templete.h"
#include "meters/CalibrationStores.h"

namespace {

void require(bool ok, int line) {
    if (ok) return;
    std::fprintf(stderr, "StateChunkFuzz.cpp:%d: requirement failed\n", line);
    std::abort();
}
#define REQUIRE(condition) require((condition), __LINE__)

extern "C" VstIntPtr fuzzHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

std::vector<unsigned char> save(Templete& effect) {
    void* data = nullptr;
    const VstInt32 size = effect.getChunk(&data, false);
    REQUIRE(size == 596 && data != nullptr);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return {bytes, bytes + size};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every input starts from a freshly loaded library, so a run does not depend on the ones before.
    velunor::LastChoices::meterType = 0;
    velunor::reloadCalibrationStores();

    Templete effect(&fuzzHost);
    // A copy of exactly `size` bytes, so that AddressSanitizer sees any read past the block.
    std::vector<std::uint8_t> block(data, data + size);
    REQUIRE(effect.setChunk(block.data(), static_cast<VstInt32>(size), false) == 0);

    REQUIRE(std::memchr(effect.label(), 0, Templete::kLabelSize) != nullptr);
    for (VstInt32 i = 0; i <= 100; ++i) {
        const float v = effect.getParameter(i);
        REQUIRE(v >= 0.0f && v <= 1.0f);
        if (i >= 17 && i < 64) REQUIRE(v == 0.5f);
    }
    const auto saved = save(effect);

    Templete again(&fuzzHost);
    REQUIRE(again.setChunk(const_cast<unsigned char*>(saved.data()), static_cast<VstInt32>(saved.size()), false) == 0);
    // The label and the host parameters come back exactly. The meter settings do in Instance mode;
    // in Global and Session mode they come from the shared store, which keeps the RMS time
    // settings as their time steps.
    const auto resaved = save(again);
    const bool instance = again.calibrationMode() == 2;
    REQUIRE(std::memcmp(resaved.data(), saved.data(), instance ? resaved.size() : 300) == 0);
    return 0;
}
