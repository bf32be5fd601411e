#pragma once
// Which build of the engines' block loops runs. Each loop is built three times: for processors
// at the x86-64-v4 level (AVX-512: twice the registers, so a whole block's state stays in them),
// for AVX (three-operand forms, which spare the register copies of the two-operand ones) and for
// any x86-64. Everything is built without contracting a multiply and an add into one, so the
// three round alike, bit for bit; the widest the processor runs is taken.

#include <span>

namespace velunor {

enum class BlockLoopBuild { Baseline, Avx, Avx512 };

const char* blockLoopBuildName(BlockLoopBuild build);
// Narrowest first.
std::span<const BlockLoopBuild> supportedBlockLoopBuilds();
BlockLoopBuild blockLoopBuild();
// For tests and benchmarks: run this build from now on, if the processor supports it (returns
// whether it does).
bool chooseBlockLoopBuild(BlockLoopBuild build);

}  // namespace velunor
