// velunor-meter as a script runs it: the CSV contract, the summary, the block size rule and the
// errors of a bad command line.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ShellCommand.h"

namespace {

struct Result {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

std::string tmp(const std::string& name) { return std::string(std::getenv("VELUNOR_TEST_TMP")) + "/" + name; }

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

Result meter(const std::string& arguments) {
    const std::string errPath = tmp("stderr.txt");
    const velunor::testing::ShellResult run = velunor::testing::runShellCommand(
        "'" + std::string(std::getenv("VELUNOR_BIN_DIR")) + "/velunor-meter' " + arguments + " 2>'" + errPath + "'");
    Result r;
    r.status = run.status;
    r.out = run.output;
    r.err = readText(errPath);
    return r;
}

// A 32-bit float WAV of `frames` frames; sample(frame, channel).
std::string writeWav(const std::string& name, int rate, int channels, long frames,
                     const std::function<float(long, int)>& sample) {
    const std::string path = tmp(name);
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(f, nullptr) << path;
    if (!f) return path;
    std::vector<float> data(static_cast<std::size_t>(frames * channels));
    for (long n = 0; n < frames; ++n)
        for (int c = 0; c < channels; ++c) data[static_cast<std::size_t>(n * channels + c)] = sample(n, c);
    sf_writef_float(f, data.data(), frames);
    sf_close(f);
    return path;
}

// The 1 kHz tone at -12 dBFS peak, the PPM's reference level.
float referenceTone(long n, int rate = 44100) {
    return static_cast<float>(std::pow(10.0, -12.0 / 20.0) * std::sin(2.0 * std::numbers::pi * 1000.0 * static_cast<double>(n) / rate));
}

using Table = std::vector<std::vector<std::string>>;

Table parseCsv(const std::string& text) {
    Table rows;
    std::stringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ',')) fields.push_back(cell);
        rows.push_back(fields);
    }
    return rows;
}

double column(const Table& t, std::size_t row, std::size_t col) { return std::stod(t.at(row).at(col)); }

double highest(const Table& t, std::size_t col) {
    double m = -1e300;
    for (std::size_t r = 1; r < t.size(); ++r) m = std::max(m, column(t, r, col));
    return m;
}

std::string q(const std::string& path) { return "'" + path + "'"; }

TEST(MeterTool, PpmBurstAndSteadyToneReadTheQuotedFigures) {
    const std::string burst = writeWav("burst.wav", 44100, 1, 44100 * 2, [](long n, int) {
        return n >= 4410 && n < 4410 + 441 ? referenceTone(n) : 0.0f;
    });
    const std::string steady = writeWav("steady.wav", 44100, 2, 44100 * 3, [](long n, int) { return referenceTone(n); });
    const std::string csv = tmp("out.csv");

    const Result b = meter("--meter ppm --set Appmreturn=0.7 --csv " + q(csv) + " " + q(burst));
    ASSERT_EQ(b.status, 0) << b.err;
    Table t = parseCsv(readText(csv));
    ASSERT_EQ(t.size(), 1u + 200u);  // 88200 frames in blocks of 441
    EXPECT_EQ(t[0], (std::vector<std::string>{"time_s", "a", "b", "held_a", "held_b", "over_a", "over_b"}));
    EXPECT_NEAR(highest(t, 3), 0.827, 0.003);
    EXPECT_EQ(highest(t, 3), highest(t, 4));  // a mono file feeds both channels
    for (const char* expected : {"PPMK", "Appmreturn", "2.80s", "Appmreference", "-12.0dBFS", "PPM mark"})
        EXPECT_NE(b.out.find(expected), std::string::npos) << expected << "\n" << b.out;

    const Result s = meter("--meter ppm --set Appmreturn=0.7 --csv " + q(csv) + " " + q(steady));
    ASSERT_EQ(s.status, 0) << s.err;
    t = parseCsv(readText(csv));
    EXPECT_NEAR(column(t, t.size() - 1, 1), 0.988, 0.002);
    EXPECT_NEAR(column(t, t.size() - 1, 2), 0.988, 0.002);
    EXPECT_EQ(column(t, t.size() - 1, 0), 3.0);
}

TEST(MeterTool, BlocksFollowTheTickAndTheLastOneIsShorter) {
    // 1000 frames at 48 kHz: 7.3 ms is floor(350.4 + 0.5) = 350 frames, so 350, 350, 300.
    const std::string wav = writeWav("short.wav", 48000, 2, 1000, [](long, int c) { return c == 0 ? 0.1f : 0.2f; });
    const Result r = meter("--tick-ms 7.3 --csv - " + q(wav));
    ASSERT_EQ(r.status, 0) << r.err;
    const Table t = parseCsv(r.out);  // standard output holds the CSV only ...
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1][0], "0.00729166667");  // 9 significant digits
    EXPECT_EQ(t[2][0], "0.0145833333");
    EXPECT_EQ(t[3][0], "0.0208333333");
    EXPECT_NE(r.err.find("VUK"), std::string::npos) << r.err;  // ... and the summary goes to standard error
    EXPECT_EQ(r.out.find("VUK"), std::string::npos);

    const Result single = meter("--tick-ms 0 --csv - " + q(wav));
    ASSERT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(parseCsv(single.out).size(), 1001u);  // never fewer than one frame a block
}

TEST(MeterTool, RmsColumnsAndTheFirstTwoOfManyChannels) {
    const std::string wav = writeWav("three.wav", 44100, 3, 44100, [](long n, int c) {
        return c == 2 ? 1.0f : (c == 0 ? 0.5f : 0.25f) * referenceTone(n);
    });
    // CPU SAFE: PRECISE takes the larger of a raw and an interpolated point 31 samples apart,
    // which lifts the mean square of a steady tone.
    const Result r = meter("--meter rms --set Armsprecise=0 --csv - " + q(wav));
    ASSERT_EQ(r.status, 0) << r.err;
    const Table t = parseCsv(r.out);
    EXPECT_EQ(t[0], (std::vector<std::string>{"time_s", "a", "b", "held_a", "held_b", "over_a", "over_b", "rms_a",
                                               "rms_b"}));
    const std::size_t last = t.size() - 1;
    EXPECT_NEAR(column(t, last, 1) / column(t, last, 2), 2.0, 0.01);  // channel 3 is ignored
    // A sine's RMS needle, x 1.4142, reads its peak.
    EXPECT_NEAR(column(t, last, 7) / column(t, last, 1), 1.0, 0.02);
    EXPECT_EQ(column(t, last, 5), -1.0);
    EXPECT_NE(r.err.find("RMSK"), std::string::npos);
}

TEST(MeterTool, SettingsApplyInCommandLineOrderAndOversAreCounted) {
    const std::string wav = writeWav("full.wav", 44100, 2, 4410, [](long n, int) { return n >= 2000 ? 1.0f : 0.0f; });
    const Result later = meter("--meter ppm --set Appmreference=0.3 --set GSIcal=0 " + q(wav));
    ASSERT_EQ(later.status, 0) << later.err;
    EXPECT_NE(later.out.find("-12.0dBFS"), std::string::npos) << later.out;  // GSIcal replaced it
    const Result first = meter("--meter ppm --set GSIcal=0 --set Appmreference=0.3 --csv - " + q(wav));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.err.find("-16.8dBFS"), std::string::npos) << first.err;
    EXPECT_NE(first.err.find("Global"), std::string::npos) << first.err;
    const Table t = parseCsv(first.out);
    EXPECT_EQ(column(t, 5, 5), 1.0);  // the block where full scale starts lights the LED
    EXPECT_EQ(column(t, 1, 5), -1.0);
    // Full scale held: the count reaches the three overs again in every block.
    EXPECT_NE(first.err.find("overs: 6 at 0.050 s, 0.060 s"), std::string::npos) << first.err;
}

TEST(MeterTool, BadCommandLinesNameWhatIsWrong) {
    const std::string wav = writeWav("ok.wav", 44100, 1, 100, [](long, int) { return 0.0f; });
    struct Case {
        std::string arguments;
        std::string named;
    };
    const Case cases[] = {
        {"--set Bogus=0.5 " + q(wav), "'Bogus'"},
        {"--set Trim=loud " + q(wav), "'loud'"},
        {"--set Trim=nan " + q(wav), "'nan'"},
        {"--set Trim " + q(wav), "'Trim'"},
        {"--set trim=0.5 " + q(wav), "'trim'"},  // names are spelled exactly
        {"--meter dB " + q(wav), "'dB'"},
        {"--tick-ms -3 " + q(wav), "'-3'"},
        {"--frobnicate " + q(wav), "'--frobnicate'"},
        {"", "no WAV file"},
        {q(tmp("missing.wav")), "missing.wav"},
        {"--csv " + q(tmp("no/such/folder/out.csv")) + " " + q(wav), "out.csv"},
    };
    for (const Case& c : cases) {
        const Result r = meter(c.arguments);
        EXPECT_NE(r.status, 0) << c.arguments;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << c.arguments << "\n" << r.err;
        EXPECT_EQ(r.out, "") << c.arguments;
    }
}

}  // namespace
