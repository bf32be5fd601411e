#include "effect/FrequencyText.h"

#include <cmath>
#include <cstring>

#include "core/ValueText.h"

namespace velunor {

bool formatFrequencyText(double x, char* text) {
    if (!text || !std::isfinite(x) || x < 0.0 || x >= 1e9) return false;
    if (x < 10.0) return formatValueText(x, 2, text);
    if (x < 100.0) return formatValueText(x, 1, text);
    if (x < 1000.0) return formatValueText(x, 0, text);

    // Kilohertz, then the hundreds digit and, below 10 kHz, the tens digit in place of a point.
    const double k = std::trunc(x / 1000.0);
    char out[kValueTextCapacity] = {};
    if (!formatValueText(k, 0, out)) return false;
    std::size_t length = std::strlen(out);
    out[length++] = 'k';
    const double r = x - 1000.0 * k;
    const int h = static_cast<int>(r / 100.0);
    const int t = static_cast<int>((r - 100.0 * h) / 10.0);
    if (h != 0 || t != 0) {
        out[length++] = static_cast<char>('0' + h);
        if (t != 0 && x < 10000.0) out[length++] = static_cast<char>('0' + t);
    }
    out[length] = 0;
    std::memcpy(text, out, length + 1);
    return true;
}

}  // namespace velunor
