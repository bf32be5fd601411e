#pragma once
// The short human summary of a run: the meter, the settings in use with their texts, the highest
// reading per channel on the meter's own scale and the overs with their times.

#include <cstdio>
#include <vector>

#include "tools/velunor-meter/OfflineMeter.h"

namespace velunor::metercli {

class MeterSummary {
public:
    void add(double timeSeconds, const MeterReading& reading);
    void print(std::FILE* out, OfflineMeter& meter) const;

private:
    struct Channel {
        double highest = -1e300;
        double highestHeld = -1e300;
        double highestRms = -1e300;
        std::vector<double> overTimes;
    };
    void printChannel(std::FILE* out, const char* name, const Channel& c, int meterType) const;

    Channel a_, b_;
    long rows_ = 0;
};

// Mark 4 at the reference, 4 dB per mark from 2 to 7, 6 dB between 1 and 2.
double ppmMark(double dbRelativeToReference);

}  // namespace velunor::metercli
