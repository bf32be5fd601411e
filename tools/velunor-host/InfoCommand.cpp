// velunor-host info PLUGIN [--all]: what the plug-in says about itself.

#include <cstdio>
#include <string>

#include "tools/hosting/PluginInstance.h"
#include "tools/hosting/PluginLibrary.h"
#include "tools/velunor-host/Commands.h"

namespace velunor::hostcli {
namespace {

std::string fourChars(VstInt32 code) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<std::uint32_t>(code) >> shift) & 0xff);
        s += (c >= 32 && c < 127) ? c : '?';
    }
    return s;
}

std::string flagNames(VstInt32 flags) {
    std::string names;
    const struct { VstInt32 bit; const char* name; } known[] = {
        {effFlagsHasEditor, "HasEditor"},       {effFlagsCanReplacing, "CanReplacing"},
        {effFlagsProgramChunks, "ProgramChunks"}, {effFlagsIsSynth, "IsSynth"},
        {effFlagsNoSoundInStop, "NoSoundInStop"}, {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    for (const auto& k : known)
        if (flags & k.bit) names += (names.empty() ? "" : " ") + std::string(k.name);
    return names.empty() ? "none" : names;
}

void printPins(hosting::PluginInstance& plugin, VstInt32 opcode, const char* direction, VstInt32 count) {
    for (VstInt32 pin = 0; pin < count; ++pin) {
        VstPinProperties p{};
        if (plugin.dispatch(opcode, pin, 0, &p) == 0) {
            std::printf("  %-3s %d: (no properties)\n", direction, static_cast<int>(pin));
            continue;
        }
        p.label[sizeof p.label - 1] = 0;
        std::printf("  %-3s %d: \"%s\" flags 0x%x%s%s\n", direction, static_cast<int>(pin), p.label,
                    static_cast<unsigned>(p.flags), (p.flags & kVstPinIsActive) ? " active" : "",
                    (p.flags & kVstPinIsStereo) ? " stereo" : "");
    }
}

std::string propertiesText(hosting::PluginInstance& plugin, VstInt32 index) {
    VstParameterProperties p{};
    if (plugin.dispatch(effGetParameterProperties, index, 0, &p) == 0) return "(none)";
    char text[160];
    std::snprintf(text, sizeof text, "%s%sstep %.6g small %.6g large %.6g",
                  (p.flags & kVstParameterIsSwitch) ? "switch " : "",
                  (p.flags & kVstParameterUsesFloatStep) ? "float-step " : "",
                  static_cast<double>(p.stepFloat), static_cast<double>(p.smallStepFloat),
                  static_cast<double>(p.largeStepFloat));
    return text;
}

}  // namespace

int runInfo(const std::vector<std::string>& args) {
    std::string path;
    bool all = false;
    for (const std::string& a : args) {
        if (a == "--all") all = true;
        else if (!a.empty() && a[0] == '-') return usageError("info", "unknown option '" + a + "'");
        else if (path.empty()) path = a;
        else return usageError("info", "unexpected argument '" + a + "'");
    }
    if (path.empty()) return usageError("info", "no plug-in given");

    std::string error;
    auto library = hosting::PluginLibrary::load(path, error);
    auto plugin = library ? hosting::PluginInstance::create(*library, error) : nullptr;
    if (!plugin) return fail(error);
    plugin->dispatch(effOpen);
    AEffect* e = plugin->effect();

    std::printf("plug-in:        %s\n", path.c_str());
    std::printf("effect name:    %s\n", plugin->text(effGetEffectName).c_str());
    std::printf("vendor:         %s\n", plugin->text(effGetVendorString).c_str());
    std::printf("product:        %s\n", plugin->text(effGetProductString).c_str());
    std::printf("vendor version: %ld\n", static_cast<long>(plugin->dispatch(effGetVendorVersion)));
    std::printf("VST version:    %ld\n", static_cast<long>(plugin->dispatch(effGetVstVersion)));
    std::printf("version:        %d\n", static_cast<int>(e->version));
    std::printf("unique ID:      '%s' (0x%08X)\n", fourChars(e->uniqueID).c_str(),
                static_cast<unsigned>(e->uniqueID));
    std::printf("category:       %ld\n", static_cast<long>(plugin->dispatch(effGetPlugCategory)));
    std::printf("flags:          0x%x (%s)\n", static_cast<unsigned>(e->flags), flagNames(e->flags).c_str());
    std::printf("programs:       %d, program name \"%s\"\n", static_cast<int>(e->numPrograms),
                plugin->text(effGetProgramName).c_str());
    std::printf("parameters:     %d\n", static_cast<int>(e->numParams));
    std::printf("initial delay:  %d\n", static_cast<int>(e->initialDelay));
    std::printf("pins:           %d in, %d out\n", static_cast<int>(e->numInputs), static_cast<int>(e->numOutputs));
    printPins(*plugin, effGetInputProperties, "in", e->numInputs);
    printPins(*plugin, effGetOutputProperties, "out", e->numOutputs);

    std::printf("parameters 0..16:\n");
    std::printf("  %3s  %-8s %-6s %-10s %-9s %-4s %s\n", "#", "name", "label", "display", "value", "auto",
                "properties");
    for (VstInt32 i = 0; i <= 16; ++i) {
        std::printf("  %3d  %-8s \"%s\"   %-10s %-9.6f %-4s %s\n", static_cast<int>(i),
                    plugin->text(effGetParamName, i).c_str(), plugin->text(effGetParamLabel, i).c_str(),
                    ("\"" + plugin->text(effGetParamDisplay, i) + "\"").c_str(),
                    static_cast<double>(plugin->getParameter(i)),
                    plugin->dispatch(effCanBeAutomated, i) ? "yes" : "no", propertiesText(*plugin, i).c_str());
    }
    if (all) {
        std::printf("parameters 17..100 (getParameter):\n");
        for (VstInt32 i = 17; i <= 100; ++i)
            std::printf("  %3d  %.6f\n", static_cast<int>(i), static_cast<double>(plugin->getParameter(i)));
    }

    std::printf("canDo:\n");
    const char* questions[] = {"offline", "plugAsChannelInsert", "1in1out", "1in2out", "2in2out",
                               "receiveVstEvents", "receiveVstMidiEvent", "bypass"};
    for (const char* q : questions) {
        std::string text = q;
        std::printf("  %-20s %ld\n", q, static_cast<long>(plugin->dispatch(effCanDo, 0, 0, text.data())));
    }
    return kExitOk;
}

}  // namespace velunor::hostcli
