// velunor-meter: the plug-in's meters run offline over a WAV file.
//   velunor-meter [--meter vu|ppm|rms] [--set NAME=VALUE ...] [--tick-ms N] [--csv FILE|-] FILE.wav
// One CSV row per block of max(1, floor(rate x N / 1000 + 0.5)) frames; a summary on standard
// output, or on standard error when the CSV goes to standard output. Exit status 0 done, 1 a file
// could not be read or written, 2 the command line was wrong.

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "meters/CalibrationStores.h"
#include "platform/linux/ProcessSettingsStore.h"
#include "tools/velunor-meter/MeterOptions.h"
#include "tools/velunor-meter/MeterSummary.h"
#include "tools/velunor-meter/OfflineMeter.h"

namespace {

using namespace velunor::metercli;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f && f != stdout) std::fclose(f);
    }
};

int fail(const std::string& message, int status) {
    std::fprintf(stderr, "velunor-meter: %s\n", message.c_str());
    if (status == kExitUsage)
        std::fputs("usage: velunor-meter [--meter vu|ppm|rms] [--set NAME=VALUE ...] [--tick-ms N] [--csv FILE|-] "
                   "FILE.wav\n",
                   stderr);
    return status;
}

void writeRow(std::FILE* csv, double time, const MeterReading& r, bool rms) {
    std::fprintf(csv, "%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g", time, r.a, r.b, r.heldA, r.heldB, r.overA, r.overB);
    if (rms) std::fprintf(csv, ",%.9g,%.9g", r.rmsA, r.rmsB);
    std::fputc('\n', csv);
}

int run(const MeterOptions& options) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> wav(sf_open(options.wavPath.c_str(), SFM_READ, &info));
    if (!wav) return fail("cannot read '" + options.wavPath + "': " + sf_strerror(nullptr), kExitFailure);
    if (info.channels < 1 || info.samplerate <= 0)
        return fail("'" + options.wavPath + "' has no usable channels or rate", kExitFailure);

    std::unique_ptr<std::FILE, FileCloser> csv;
    if (options.csvPath == "-") {
        csv.reset(stdout);
    } else if (!options.csvPath.empty()) {
        csv.reset(std::fopen(options.csvPath.c_str(), "w"));
        if (!csv) return fail("cannot write CSV file '" + options.csvPath + "'", kExitFailure);
    }

    // The same path as the plug-in: the settings store first, then the calibration stores.
    velunor::installProcessSettingsStore();
    velunor::loadCalibrationStores();
    const double rate = info.samplerate;
    OfflineMeter meter(static_cast<float>(rate), options);
    const bool rms = meter.hasRms();
    if (csv) std::fprintf(csv.get(), "time_s,a,b,held_a,held_b,over_a,over_b%s\n", rms ? ",rms_a,rms_b" : "");

    // A tick longer than the file is one block: no buffer larger than the file.
    const long block = static_cast<long>(std::min<sf_count_t>(blockFrames(rate, options.tickMs), std::max<sf_count_t>(info.frames, 1)));
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<float> interleaved(static_cast<std::size_t>(block) * channels);
    std::vector<float> left(static_cast<std::size_t>(block)), right(static_cast<std::size_t>(block));
    MeterSummary summary;
    long long done = 0;
    for (;;) {
        const sf_count_t got = sf_readf_float(wav.get(), interleaved.data(), block);
        if (got <= 0) break;
        for (std::size_t n = 0; n < static_cast<std::size_t>(got); ++n) {
            left[n] = interleaved[n * channels];
            right[n] = interleaved[n * channels + (channels > 1 ? 1 : 0)];  // mono feeds both
        }
        const MeterReading reading = meter.process(left.data(), right.data(), static_cast<long>(got));
        done += got;
        const double time = static_cast<double>(done) / rate;
        if (csv) writeRow(csv.get(), time, reading, rms);
        summary.add(time, reading);
    }
    if (sf_error(wav.get()) != SF_ERR_NO_ERROR)
        return fail("cannot read '" + options.wavPath + "': " + sf_strerror(wav.get()), kExitFailure);
    if (csv && (std::fflush(csv.get()) != 0 || std::ferror(csv.get())))
        return fail("cannot write CSV file '" + options.csvPath + "'", kExitFailure);
    summary.print(options.csvPath == "-" ? stderr : stdout, meter);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    MeterOptions options;
    std::string error;
    if (!parseMeterOptions(args, options, error)) return fail(error, kExitUsage);
    return run(options);
}
