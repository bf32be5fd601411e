#include "resources/artwork/Problems.h"

#include <cstdio>

namespace velunor::artwork {

namespace {
int gProblems = 0;
}

void reportProblem(int id, const std::string& what) {
    std::fprintf(stderr, "velunor-artwork: resource %d: %s\n", id, what.c_str());
    ++gProblems;
}

int problemCount() { return gProblems; }

}  // namespace velunor::artwork
