// The plug-in as a host sees it: the entry point, the AEffect record and the dispatcher's answers.

#include <dlfcn.h>

#include <array>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/plugin/PluginFixture.h"

namespace velunor::testing {
namespace {

int gVersionRequests = 0;
VstIntPtr gVersionAnswer = 0;

extern "C" VstIntPtr countingHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterVersion) {
        ++gVersionRequests;
        return gVersionAnswer;
    }
    return 0;
}

TEST(EntryPoint, BothNamesBuildAnInstanceAndAHostWithoutVersionGetsNone) {
    void* handle = dlopen(pluginPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    for (const char* name : {"VSTPluginMain", "main"}) {
        auto entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(handle, name));
        ASSERT_NE(entry, nullptr) << name;

        gVersionRequests = 0;
        gVersionAnswer = 0;
        EXPECT_EQ(entry(&countingHost), nullptr) << name;
        EXPECT_EQ(entry(nullptr), nullptr) << name;

        gVersionRequests = 0;
        gVersionAnswer = 2400;
        AEffect* e = entry(&countingHost);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_EQ(gVersionRequests, 2) << name;
        EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    }
    dlclose(handle);
}

// The settings file is found through the environment as it stands at the first call of the entry
// point, not when the library is loaded, and its meter defaults reach the first instance.
TEST(EntryPoint, ReadsTheSettingsFileTheEnvironmentNamesAtTheFirstCall) {
    void* handle = dlopen(pluginPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    const std::string config = std::string(std::getenv("VELUNOR_TEST_TMP")) + "/chosen-later";
    ASSERT_EQ(std::system(("mkdir -p '" + config + "/Vantorell'").c_str()), 0);
    FILE* file = std::fopen((config + "/Vantorell/QVXVELUNOR300.reg").c_str(), "w");
    ASSERT_NE(file, nullptr);
    // 0.3f and 1.0f as little-endian float bits.
    std::fputs("REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorell\\QVXVELUNOR300]\n"
               "\"Appmreference\"=hex:9a,99,99,3e\n\"Avuoverled\"=hex:00,00,80,3f\n",
               file);
    std::fclose(file);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    auto entry = reinterpret_cast<AEffect* (*)(audioMasterCallback)>(dlsym(handle, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    gVersionAnswer = 2400;
    AEffect* e = entry(&countingHost);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->getParameter(e, 93), 0.3f);
    EXPECT_EQ(e->getParameter(e, 89), 1.0f);
    EXPECT_EQ(e->getParameter(e, 83), 0.25f);  // not in the file: the default
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    dlclose(handle);
}

TEST(EntryPoint, ExportsExactlyTheTwoEntryNames) {
    const std::string command = "nm -D --defined-only '" + pluginPath() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        char address[64], type[8], name[400];
        if (std::sscanf(line, "%63s %7s %399s", address, type, name) == 3) names.insert(name);
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    EXPECT_EQ(names, (std::set<std::string>{"VSTPluginMain", "main"}));
}

using Binding = PluginTest;

TEST_F(Binding, RecordOfANewInstance) {
    AEffect* e = effect();
    EXPECT_EQ(e->magic, fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, 64);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->uniqueID, 0x4B773772);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_NE(e->processDoubleReplacing, nullptr);
    EXPECT_NE(e->process, nullptr);
    EXPECT_NE(e->object, nullptr);
    // The two deprecated or unused audio calls do nothing.
    std::array<float, 8> in{1, 2, 3, 4, 5, 6, 7, 8}, out{};
    float* ins[2] = {in.data(), in.data()};
    float* outs[2] = {out.data(), out.data()};
    e->process(e, ins, outs, 8);
    EXPECT_EQ(out, (std::array<float, 8>{}));
    std::array<double, 4> din{1, 2, 3, 4}, dout{};
    double* dins[2] = {din.data(), din.data()};
    double* douts[2] = {dout.data(), dout.data()};
    e->processDoubleReplacing(e, dins, douts, 4);
    EXPECT_EQ(dout, (std::array<double, 4>{}));
}

struct OpcodeCase {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    VstIntPtr answer;
};

TEST_F(Binding, DispatcherAnswers) {
    const OpcodeCase cases[] = {
        {effOpen, 0, 0, 0},
        {effSetProgram, 0, 0, 0},
        {effSetProgram, 0, 1, 0},
        {effGetProgram, 0, 0, 0},
        {effSetSampleRate, 0, 0, 0},
        {effSetBlockSize, 0, 256, 0},
        {effMainsChanged, 0, 1, 0},
        {effMainsChanged, 0, 0, 0},
        {effIdentify, 0, 0, fourCharCode('N', 'v', 'E', 'f')},
        {effProcessEvents, 0, 0, 0},
        {effCanBeAutomated, 0, 0, 1},
        {effCanBeAutomated, 16, 0, 1},
        {effCanBeAutomated, 17, 0, 0},
        {effCanBeAutomated, 63, 0, 0},
        {effCanBeAutomated, -1, 0, 0},
        {effCanBeAutomated, 72, 0, 0},
        {effGetPlugCategory, 0, 0, 4},
        {effSetBypass, 0, 1, 0},
        {effGetVendorVersion, 0, 0, 3000},
        {effGetTailSize, 0, 0, 0},
        {effGetVstVersion, 0, 0, 2400},
        {effGetCurrentMidiProgram, 0, 0, -1},
        {effSetTotalSampleToProcess, 0, 12345, 12345},
        {effBeginSetProgram, 0, 0, 0},
        {effEndSetProgram, 0, 0, 0},
        {effSetPanLaw, 0, 0, 0},
        {effSetProcessPrecision, 0, 1, 0},
        {effProcessVarIo, 0, 0, 0},
        {effOfflineNotify, 0, 0, 0},
        {effOfflinePrepare, 0, 0, 0},
        {effOfflineRun, 0, 0, 0},
        {effVendorSpecific, 0, 0, 0},
        // The editor without a window: no rectangle buffer, no parent, no keys taken.
        {effEditGetRect, 0, 0, 0},
        {effEditOpen, 0, 0, 0},
        {effEditKeyDown, 'a', 0, 0},
        {effEditKeyUp, 'a', 0, 0},
        {effSetEditKnobMode, 0, 2, 1},
        // Unknown requests.
        {9, 0, 0, 0},
        {16, 0, 0, 0},
        {57, 0, 0, 0},
        {78, 0, 0, 0},
        {1000, 0, 0, 0},
        {-1, 0, 0, 0},
    };
    for (const OpcodeCase& c : cases)
        EXPECT_EQ(plugin->dispatch(c.opcode, c.index, c.value), c.answer) << "opcode " << c.opcode << " index " << c.index;
    char text[] = "0.5";
    EXPECT_EQ(plugin->dispatch(effString2Parameter, 1, 0, text), 0);
    EXPECT_EQ(plugin->getParameter(1), 0.5f);
}

TEST_F(Binding, NamesAndTexts) {
    EXPECT_EQ(plugin->text(effGetEffectName), "QVX Velunor");
    EXPECT_EQ(plugin->text(effGetProductString), "QVX Velunor");
    EXPECT_FALSE(plugin->text(effGetVendorString).empty());
    for (VstInt32 index : {0, 16, 17, 63, 100, -1}) EXPECT_EQ(plugin->text(effGetParamLabel, index), "  ") << index;
    const char* names[] = {"Process", "Trim", "GSIcal", "Meter", "LR/MS", "Hold", "Strips", "ShowFlt", "ProcFlt",
                           "HPStat", "HPSlope", "HPFreq", "LPStat", "LPSlope", "LPFreq", "ShowLbl", "LagTime"};
    for (VstInt32 i = 0; i < 17; ++i) EXPECT_EQ(plugin->text(effGetParamName, i), names[i]);
    for (VstInt32 index : {17, 63, 64, -1}) {
        EXPECT_EQ(plugin->text(effGetParamName, index), "") << index;
        EXPECT_EQ(plugin->text(effGetParamDisplay, index), "") << index;
    }
    // Texts of a new instance; GSIcal, LR/MS, Hold and LagTime come from the selected meter's engine.
    const char* displays[] = {"Off", "0.0dB", "Session", "VUK", "LR", "Off", "Show", "Hide", "Out",
                              "In",  "12",    "20.0", "In", "6", "30k", "Hide", "0 ms"};
    for (VstInt32 i = 0; i < 17; ++i) EXPECT_EQ(plugin->text(effGetParamDisplay, i), displays[i]) << i;
    plugin->setParameter(1, 0.25f);
    EXPECT_EQ(plugin->text(effGetParamDisplay, 1), "-10.0dB");
    plugin->setParameter(14, 0.6f);
    EXPECT_EQ(plugin->text(effGetParamDisplay, 14), "4k75");
}

TEST_F(Binding, HostTextBuffersAreNeverOverrun) {
    // A host buffer of the nominal size for each request: nothing is written past it.
    struct Request {
        VstInt32 opcode, index;
        std::size_t size;
    };
    const Request requests[] = {{effGetEffectName, 0, 32},   {effGetVendorString, 0, 64}, {effGetProductString, 0, 64},
                                {effGetProgramName, 0, 24},  {effGetParamName, 0, 64},    {effGetParamDisplay, 1, 64},
                                {effGetParamLabel, 0, 64},   {effGetProgramNameIndexed, 0, 24}};
    for (const Request& r : requests) {
        std::vector<char> buffer(r.size + 32, '#');
        plugin->dispatch(r.opcode, r.index, 0, buffer.data());
        for (std::size_t i = r.size; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], '#') << r.opcode;
    }
}

TEST_F(Binding, ProgramRequests) {
    EXPECT_EQ(plugin->text(effGetProgramName), "");
    char name[] = "Drum bus";
    plugin->dispatch(effSetProgramName, 0, 0, name);
    EXPECT_EQ(plugin->text(effGetProgramName), "Drum bus");
    char tooLong[64] = "abcdefghijklmnopqrstuvwxyz0123456789";
    plugin->dispatch(effSetProgramName, 0, 0, tooLong);
    EXPECT_EQ(plugin->text(effGetProgramName), "abcdefghijklmnopqrstuvw");
    plugin->dispatch(effSetProgram, 0, 1);
    EXPECT_EQ(plugin->dispatch(effGetProgram), 0);
    for (VstInt32 i = 0; i < 3; ++i) {
        char text[64] = "junk";
        EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, i, 0, text), 1);
        EXPECT_STREQ(text, i == 0 ? "abcdefghijklmnopqrstuvw" : "");
    }
    char text[64] = "junk";
    EXPECT_EQ(plugin->dispatch(effGetProgramNameIndexed, 3, 0, text), 0);
    EXPECT_STREQ(text, "junk");
}

TEST_F(Binding, CanDoComparesWholeTexts) {
    const std::pair<const char*, VstIntPtr> cases[] = {
        {"offline", 1},         {"plugAsChannelInsert", 1}, {"1in1out", 1},   {"1in2out", 1},
        {"2in2out", 1},         {"1in2out ", 0},            {"1in2ou", 0},     {"receiveVstEvents", 0},
        {"receiveVstMidiEvent", 0}, {"", 0},                {"OFFLINE", 0},    {"bypass", 0},
    };
    for (const auto& [text, answer] : cases) {
        std::string copy = text;
        EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, copy.data()), answer) << '"' << text << '"';
    }
    // A text without a terminator within 64 bytes is not read past them.
    std::vector<char> endless(64, 'x');
    EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, endless.data()), 0);
}

TEST_F(Binding, PinProperties) {
    for (VstInt32 opcode : {VstInt32{effGetInputProperties}, VstInt32{effGetOutputProperties}}) {
        const char* direction = opcode == effGetInputProperties ? "In" : "Out";
        for (VstInt32 pin : {0, 1}) {
            VstPinProperties p{};
            ASSERT_EQ(plugin->dispatch(opcode, pin, 0, &p), 1);
            EXPECT_EQ(std::string(p.label), "QVX Velunor " + std::to_string(pin + 1) + " " + direction);
            EXPECT_EQ(p.flags, kVstPinIsActive | kVstPinIsStereo);
        }
        for (VstInt32 pin : {2, 3, -1, 1 << 30}) {
            VstPinProperties p;
            std::memset(&p, 0x5a, sizeof p);
            EXPECT_EQ(plugin->dispatch(opcode, pin, 0, &p), 0) << pin;
            const auto* bytes = reinterpret_cast<const unsigned char*>(&p);
            for (std::size_t i = 0; i < sizeof p; ++i) ASSERT_EQ(bytes[i], 0x5a) << "pin " << pin << " byte " << i;
        }
    }
}

TEST_F(Binding, ParameterProperties) {
    VstParameterProperties p{};
    ASSERT_EQ(plugin->dispatch(effGetParameterProperties, 3, 0, &p), 1);
    EXPECT_STREQ(p.label, "Meter");
    EXPECT_STREQ(p.shortLabel, "Meter");
    EXPECT_EQ(p.flags, kVstParameterIsSwitch | kVstParameterUsesFloatStep);
    ASSERT_EQ(plugin->dispatch(effGetParameterProperties, 16, 0, &p), 1);
    EXPECT_EQ(p.flags, kVstParameterUsesFloatStep);
    EXPECT_FLOAT_EQ(p.smallStepFloat, 1.0f / 999.0f);
    ASSERT_EQ(plugin->dispatch(effGetParameterProperties, 1, 0, &p), 1);
    EXPECT_FLOAT_EQ(p.stepFloat, 1.0f / 41.0f);
    EXPECT_FLOAT_EQ(p.smallStepFloat, 1.0f / 401.0f);
    for (VstInt32 index : {17, 63, -1}) EXPECT_EQ(plugin->dispatch(effGetParameterProperties, index, 0, &p), 0);
}

TEST_F(Binding, SpeakerArrangements) {
    const std::array<VstInt32, 3> answers[] = {{1, 1, 1}, {1, 2, 1}, {2, 2, 1}, {2, 1, 0}, {0, 0, 0}, {6, 6, 0}};
    for (const auto& [ins, outs, answer] : answers)
        EXPECT_EQ(plugin->setSpeakerArrangement(ins, outs), answer != 0) << ins << "/" << outs;
    VstSpeakerArrangement one{};
    one.numChannels = 1;
    EXPECT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, 0, &one), 0);
    EXPECT_EQ(plugin->dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&one), nullptr), 0);

    auto* sentinel = reinterpret_cast<VstSpeakerArrangement*>(&one);
    VstSpeakerArrangement* in = sentinel;
    VstSpeakerArrangement* out = sentinel;
    EXPECT_EQ(plugin->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 0);
    EXPECT_EQ(in, nullptr);
    EXPECT_EQ(out, nullptr);
}

TEST_F(Binding, NullPointersAndOddArgumentsOnEveryRequest) {
    for (VstInt32 opcode = 0; opcode <= 80; ++opcode) {
        if (opcode == effClose) continue;
        for (VstInt32 index : {0, 1, 2, 63, 64, 100, -1, 1 << 30})
            plugin->dispatch(opcode, index, 0, nullptr, 0.0f);
    }
    // Odd stream settings and parameter values.
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -1.0f, 0.0f, 1e30f};
    for (float v : odd) {
        plugin->dispatch(effSetSampleRate, 0, 0, nullptr, v);
        for (VstInt32 index : {-100, -1, 0, 16, 40, 63, 64, 65, 67, 69, 72, 100, 101, 1 << 30}) plugin->setParameter(index, v);
        plugin->dispatch(effMainsChanged, 0, 1);
        plugin->dispatch(effMainsChanged, 0, 0);
    }
    plugin->dispatch(effSetBlockSize, 0, -1);
    plugin->dispatch(effSetChunk, 0, -10, nullptr);
    char chunk[16] = {};
    plugin->dispatch(effSetChunk, 0, 16, chunk);
    EXPECT_EQ(plugin->dispatch(effIdentify), fourCharCode('N', 'v', 'E', 'f'));
}

}  // namespace
}  // namespace velunor::testing
