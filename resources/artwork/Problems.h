#pragma once
// Layout faults found while drawing (an engraving where a control draws its own text, say). The
// generator fails the build when there are any, so a misplaced label never ships.

#include <string>

namespace velunor::artwork {

void reportProblem(int id, const std::string& what);
int problemCount();

}  // namespace velunor::artwork
