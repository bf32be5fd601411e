// velunor-signal: test signals and comparisons for the demo and for checking a processed file.
//   velunor-signal sine OUT.wav [--freq HZ] [--seconds S] [--rate HZ] [--channels 1|2] [--level DBFS]
//   velunor-signal compare REFERENCE.wav OTHER.wav [--skip SECONDS]
// sine writes a 32-bit float WAV; compare says whether the sample data are bit-identical and how
// many dB louder OTHER is than REFERENCE per channel (RMS after the skipped start).

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "tools/cli/StrictNumber.h"

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using SoundFile = std::unique_ptr<SNDFILE, SndfileCloser>;

int usage() {
    std::fputs("usage: velunor-signal sine OUT.wav [--freq HZ] [--seconds S] [--rate HZ] [--channels 1|2] "
               "[--level DBFS]\n       velunor-signal compare REFERENCE.wav OTHER.wav [--skip SECONDS]\n",
               stderr);
    return 2;
}

int sine(int argc, char** argv) {
    if (argc < 1) return usage();
    const char* path = argv[0];
    double freq = 1000.0, seconds = 2.0, rate = 44100.0, channels = 2.0, level = -20.0;
    for (int i = 1; i < argc; i += 2) {
        double* target = std::strcmp(argv[i], "--freq") == 0       ? &freq
                         : std::strcmp(argv[i], "--seconds") == 0  ? &seconds
                         : std::strcmp(argv[i], "--rate") == 0     ? &rate
                         : std::strcmp(argv[i], "--channels") == 0 ? &channels
                         : std::strcmp(argv[i], "--level") == 0    ? &level
                                                                   : nullptr;
        if (!target || i + 1 >= argc || !velunor::cli::parseDouble(argv[i + 1], *target)) return usage();
    }
    if (!(channels == 1.0 || channels == 2.0) || rate < 1000.0 || rate > 768000.0 || seconds <= 0.0 || seconds > 3600.0)
        return usage();
    SF_INFO info{};
    info.samplerate = static_cast<int>(rate);
    info.channels = static_cast<int>(channels);
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SoundFile file(sf_open(path, SFM_WRITE, &info));
    if (!file) {
        std::fprintf(stderr, "velunor-signal: cannot write '%s': %s\n", path, sf_strerror(nullptr));
        return 1;
    }
    sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    const double amplitude = std::pow(10.0, level / 20.0);
    const auto frames = static_cast<sf_count_t>(seconds * rate);
    std::vector<float> data(static_cast<std::size_t>(frames * info.channels));
    for (sf_count_t n = 0; n < frames; ++n)
        for (int c = 0; c < info.channels; ++c)
            data[static_cast<std::size_t>(n * info.channels + c)] = static_cast<float>(
                amplitude * std::sin(2.0 * std::numbers::pi * freq * static_cast<double>(n) / rate));
    if (sf_writef_float(file.get(), data.data(), frames) != frames) {
        std::fprintf(stderr, "velunor-signal: cannot write '%s'\n", path);
        return 1;
    }
    return 0;
}

bool readAll(const char* path, SF_INFO& info, std::vector<float>& data) {
    SoundFile file(sf_open(path, SFM_READ, &info));
    if (!file) {
        std::fprintf(stderr, "velunor-signal: cannot read '%s': %s\n", path, sf_strerror(nullptr));
        return false;
    }
    data.resize(static_cast<std::size_t>(info.frames * info.channels));
    return sf_readf_float(file.get(), data.data(), info.frames) == info.frames;
}

int compare(int argc, char** argv) {
    if (argc < 2) return usage();
    double skip = 0.0;
    if (argc == 4 && std::strcmp(argv[2], "--skip") == 0) {
        if (!velunor::cli::parseDouble(argv[3], skip) || skip < 0.0) return usage();
    } else if (argc != 2) {
        return usage();
    }
    SF_INFO a{}, b{};
    std::vector<float> x, y;
    if (!readAll(argv[0], a, x) || !readAll(argv[1], b, y)) return 1;
    const bool identical = a.channels == b.channels && a.frames == b.frames &&
                           std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) == 0;
    std::printf("sample data bit-identical: %s\n", identical ? "yes" : "no");
    if (a.frames != b.frames) {
        std::printf("frames differ: %ld and %ld\n", static_cast<long>(a.frames), static_cast<long>(b.frames));
        return 1;
    }
    const auto start = static_cast<sf_count_t>(skip * a.samplerate);
    for (int c = 0; c < b.channels; ++c) {
        const int ca = c < a.channels ? c : 0;  // a mono reference feeds both channels
        double sa = 0.0, sb = 0.0;
        for (sf_count_t n = start; n < a.frames; ++n) {
            const double va = x[static_cast<std::size_t>(n * a.channels + ca)];
            const double vb = y[static_cast<std::size_t>(n * b.channels + c)];
            sa += va * va;
            sb += vb * vb;
        }
        const double levelA = 10.0 * std::log10(sa / static_cast<double>(a.frames - start));
        const double levelB = 10.0 * std::log10(sb / static_cast<double>(a.frames - start));
        std::printf("channel %d: %.4f dBFS -> %.4f dBFS, difference %+.4f dB\n", c + 1, levelA, levelB,
                    levelB - levelA);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    if (std::strcmp(argv[1], "sine") == 0) return sine(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "compare") == 0) return compare(argc - 2, argv + 2);
    return usage();
}
