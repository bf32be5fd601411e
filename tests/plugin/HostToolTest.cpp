// velunor-host as a user runs it: info, process, and the errors of a bad command line or file
// (gui's among them).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/plugin/ToolRunner.h"

namespace velunor::testing {
namespace {

std::string host() { return "velunor-host'"; }
std::string signal() { return "velunor-signal'"; }

TEST(HostTool, InfoDescribesThePlugin) {
    const ToolResult r = runTool(host() + " info" + quoted(pluginPath()));
    ASSERT_EQ(r.status, 0) << r.output;
    for (const char* expected : {"effect name:    QVX Velunor", "product:        QVX Velunor",
                                 "unique ID:      'Kw7r' (0x4B773772)", "pins:           2 in, 2 out",
                                 "\"QVX Velunor 2 In\" flags 0x3", "\"QVX Velunor 1 Out\" flags 0x3",
                                 "LagTime", "\"0.0dB\"", "\"30k\"", "1in2out              1",
                                 "receiveVstEvents     0", "vendor version: 3000"})
        EXPECT_NE(r.output.find(expected), std::string::npos) << expected << "\n" << r.output;
    EXPECT_EQ(r.output.find("parameters 17..100"), std::string::npos);
    const ToolResult all = runTool(host() + " info --all" + quoted(pluginPath()));
    ASSERT_EQ(all.status, 0) << all.output;
    EXPECT_NE(all.output.find("   40  0.500000"), std::string::npos) << all.output;
    EXPECT_NE(all.output.find("  100  0.000000"), std::string::npos) << all.output;
}

TEST(HostTool, ProcessPassesAFileThroughAndTrims) {
    for (const char* channels : {"2", "1"}) {
        const std::string in = testTmp(std::string("sine") + channels + ".wav");
        ASSERT_EQ(runTool(signal() + " sine" + quoted(in) + " --seconds 1 --channels " + channels).status, 0);
        const std::string off = testTmp("off.wav");
        const ToolResult pass = runTool(host() + " process" + quoted(pluginPath()) + quoted(in) + quoted(off) + " --block 333");
        ASSERT_EQ(pass.status, 0) << pass.output;
        const ToolResult same = runTool(signal() + " compare" + quoted(in) + quoted(off));
        EXPECT_EQ(same.status, 0) << same.output;
        if (std::string(channels) == "2") {
            EXPECT_NE(same.output.find("bit-identical: yes"), std::string::npos) << same.output;
        }
        EXPECT_NE(same.output.find("channel 2: -23.0103 dBFS -> -23.0103 dBFS, difference +0.0000 dB"),
                  std::string::npos) << same.output;

        const std::string up = testTmp("up.wav");
        const ToolResult trim = runTool(host() + " process" + quoted(pluginPath()) + quoted(in) + quoted(up) +
                                " --param 0=1 --param 8=0 --param 1=1");
        ASSERT_EQ(trim.status, 0) << trim.output;
        const ToolResult louder = runTool(signal() + " compare" + quoted(in) + quoted(up) + " --skip 0.1");
        EXPECT_NE(louder.output.find("channel 1: -23.0103 dBFS -> -3.0103 dBFS, difference +20.0000 dB"),
                  std::string::npos) << louder.output;
        EXPECT_NE(louder.output.find("channel 2: -23.0103 dBFS -> -3.0103 dBFS, difference +20.0000 dB"),
                  std::string::npos) << louder.output;
    }
}

TEST(HostTool, ClearErrorsAndExitCodes) {
    const std::string in = testTmp("in.wav");
    ASSERT_EQ(runTool(signal() + " sine" + quoted(in) + " --seconds 0.1").status, 0);
    const std::string text = testTmp("text.so");
    std::ofstream(text) << "not a library\n";
    const std::string out = testTmp("out.wav");
    struct Case {
        std::string arguments;
        int status;
        const char* message;
    };
    const std::string plugin = quoted(pluginPath());
    const Case cases[] = {
        {"", 2, "usage"},
        {" frobnicate", 2, "unknown command"},
        {" info", 2, "no plug-in given"},
        {" info" + quoted(testTmp("missing.so")), 1, "no such file"},
        {" info" + quoted(text), 1, "cannot load plug-in"},
        {" info" + quoted(binDir() + "/velunor_test_not_a_plugin.so"), 1, "is not a VST 2.4 plug-in"},
        {" info" + quoted(binDir() + "/velunor_test_null_entry.so"), 1, "returned no instance"},
        {" info" + plugin + " --everything", 2, "unknown option"},
        {" process" + plugin + quoted(in), 2, "needs PLUGIN IN.wav OUT.wav"},
        {" process" + plugin + quoted(testTmp("missing.wav")) + quoted(out), 1, "cannot read audio file"},
        {" process" + plugin + quoted(text) + quoted(out), 1, "cannot read audio file"},
        {" process" + plugin + quoted(in) + quoted(testTmp("no/such/folder/out.wav")), 1, "cannot write audio file"},
        {" process" + plugin + quoted(in) + quoted(out) + " --block 0", 2, "--block"},
        {" process" + plugin + quoted(in) + quoted(out) + " --block 12x", 2, "--block"},
        {" process" + plugin + quoted(in) + quoted(out) + " --block", 2, "--block"},
        {" process" + plugin + quoted(in) + quoted(out) + " --param 101=1", 2, "--param"},
        {" process" + plugin + quoted(in) + quoted(out) + " --param -1=1", 2, "--param"},
        {" process" + plugin + quoted(in) + quoted(out) + " --param 1=loud", 2, "--param"},
        {" process" + plugin + quoted(in) + quoted(out) + " --param 1=nan", 2, "--param"},
        {" process" + plugin + quoted(in) + quoted(out) + " --param 1", 2, "--param"},
        {" process" + plugin + quoted(in) + quoted(out) + " --load-chunk" + quoted(testTmp("missing.chunk")), 1,
         "cannot read chunk file"},
        {" process" + quoted(text) + quoted(in) + quoted(out), 1, "cannot load plug-in"},
        {" gui", 2, "needs PLUGIN"},
        {" gui" + plugin + quoted(in) + quoted(in), 2, "needs PLUGIN and at most one IN.wav"},
        {" gui" + plugin + quoted(testTmp("missing.wav")), 1, "cannot read audio file"},
        {" gui" + plugin + " --seconds 0", 2, "--seconds"},
        {" gui" + plugin + " --seconds soon", 2, "--seconds"},
        {" gui" + plugin + " --click 10,10", 2, "--click"},
        {" gui" + plugin + " --click 10x10@1", 2, "--click"},
        {" gui" + plugin + " --click -1,10@1", 2, "--click"},
        {" gui" + plugin + " --param 101=1", 2, "--param"},
        {" gui" + plugin + " --screenshot", 2, "--screenshot"},
        {" gui" + quoted(text), 1, "cannot load plug-in"},
    };
    for (const Case& c : cases) {
        const ToolResult r = runTool(host() + c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.output;
        EXPECT_NE(r.output.find(c.message), std::string::npos) << c.arguments << "\n" << r.output;
    }
}

// An Instance-mode chunk with a changed PPM reference survives a reload into a new process: the
// meter settings, bytes 300..407, come back byte for byte.
TEST(HostTool, InstanceChunkKeepsItsMeterSettingsAcrossProcesses) {
    const std::string in = testTmp("chunk-tone.wav");
    ASSERT_EQ(runTool(signal() + " sine" + quoted(in) + " --seconds 0.2").status, 0);
    const std::string a = testTmp("A.chunk");
    const std::string b = testTmp("B.chunk");
    const ToolResult save = runTool(host() + " process" + quoted(pluginPath()) + quoted(in) + quoted(testTmp("a.wav")) +
                            " --param 2=1 --param 93=0.3 --save-chunk" + quoted(a));
    ASSERT_EQ(save.status, 0) << save.output;
    const ToolResult load = runTool(host() + " process" + quoted(pluginPath()) + quoted(in) + quoted(testTmp("b.wav")) +
                            " --load-chunk" + quoted(a) + " --save-chunk" + quoted(b));
    ASSERT_EQ(load.status, 0) << load.output;
    auto bytes = [](const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    };
    const std::string first = bytes(a);
    const std::string second = bytes(b);
    ASSERT_EQ(first.size(), 596u);
    ASSERT_EQ(second.size(), 596u);
    EXPECT_EQ(first.substr(300, 108), second.substr(300, 108));
    float reference = 0.0f;
    std::memcpy(&reference, first.data() + 376, sizeof reference);
    EXPECT_EQ(reference, 0.3f);
}

}  // namespace
}  // namespace velunor::testing
