#pragma once
// The noise every benchmark and the peer host measure: uniform white noise at about -10 dBFS from
// a fixed xorshift generator, so that ours and the peers' figures come from the same samples.

#include <cstdint>
#include <vector>

namespace velunor::bench {

inline std::vector<float> benchNoise(std::size_t frames, std::uint32_t seed) {
    std::vector<float> x(frames);
    std::uint32_t s = seed;
    for (float& v : x) {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        v = static_cast<float>(static_cast<double>(s) / 4294967296.0 - 0.5) * 0.6f;
    }
    return x;
}

}  // namespace velunor::bench
