#include "meters/PeakBallistics.h"

#include <cmath>

namespace velunor {

void PeakBallistics::updateAttack(double rate) {
    const double ms = integrationMs_;
    attack_ = ms > 0.05 ? 1.0 - std::pow(0.01, 1.0 / (rate * ms * 0.001)) : 1.0;
}

void PeakBallistics::updateRelease(double rate) {
    release_ = 1.0 - std::pow(0.0625, 1.0 / (rate * fallBackMs_ * 0.001));
}

}  // namespace velunor
