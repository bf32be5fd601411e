#include "meters/BlockLoopBuild.h"

#include <algorithm>
#include <array>

#include "core/Relaxed.h"

namespace velunor {
namespace {

struct Supported {
    std::array<BlockLoopBuild, 3> builds{};
    std::size_t count = 0;
};

const Supported& supported() {
    static const Supported found = [] {
        __builtin_cpu_init();  // may run before the library's own constructors
        Supported s;
        s.builds[s.count++] = BlockLoopBuild::Baseline;
        if (__builtin_cpu_supports("avx")) s.builds[s.count++] = BlockLoopBuild::Avx;
        if (__builtin_cpu_supports("x86-64-v4")) s.builds[s.count++] = BlockLoopBuild::Avx512;
        return s;
    }();
    return found;
}

Relaxed<int>& chosen() {
    static Relaxed<int> build{static_cast<int>(supported().builds[supported().count - 1])};
    return build;
}

}  // namespace

const char* blockLoopBuildName(BlockLoopBuild build) {
    switch (build) {
        case BlockLoopBuild::Baseline: return "x86-64";
        case BlockLoopBuild::Avx: return "avx";
        case BlockLoopBuild::Avx512: return "x86-64-v4";
    }
    return "?";
}

std::span<const BlockLoopBuild> supportedBlockLoopBuilds() {
    return {supported().builds.data(), supported().count};
}

BlockLoopBuild blockLoopBuild() { return static_cast<BlockLoopBuild>(chosen().load()); }

bool chooseBlockLoopBuild(BlockLoopBuild build) {
    const auto builds = supportedBlockLoopBuilds();
    if (std::find(builds.begin(), builds.end(), build) == builds.end()) return false;
    chosen() = static_cast<int>(build);
    return true;
}

}  // namespace velunor
