#include "meters/NeedleSection.h"

#include <cmath>
#include <numbers>

namespace velunor {

void NeedleSection::computeLowPass() {
    const double fs = sampleRate_;
    double f = frequency_;
    if (f > 0.499 * fs) {
        f = 0.499 * fs;
        frequency_ = f;
    }
    // Lowers Q only close to the Nyquist frequency, where the bilinear design would peak.
    const double g = std::pow(f / (0.50001 * fs), 8.0);
    const double q = (1.0 - g) * q_;
    offset_ = 1e-12;
    const double w = 2.0 * std::numbers::pi * f / fs;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double cosw = std::cos(w);
    a1_ = -2.0 * cosw / a0;
    a2_ = (1.0 - alpha) / a0;
    b0_ = (1.0 - cosw) / 2.0 / a0;
    b2_ = (1.0 - cosw) / 2.0 / a0;
    b1_ = (1.0 - cosw) / a0;
}

}  // namespace velunor
