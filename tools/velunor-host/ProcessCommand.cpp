// velunor-host process PLUGIN IN.wav OUT.wav [options]: runs an audio file through the plug-in in
// blocks, in the order a DAW goes: load, open, rate and block size, chunk, parameters, resume,
// process, suspend, save the chunk.

#include <sndfile.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/cli/ArgumentReader.h"
#include "tools/hosting/PluginInstance.h"
#include "tools/hosting/PluginLibrary.h"
#include "tools/velunor-host/Commands.h"

namespace velunor::hostcli {
namespace {

constexpr long kDefaultBlock = 512;
constexpr long kMaxBlock = 1 << 20;

struct ProcessOptions {
    std::string plugin, input, output, loadChunk, saveChunk;
    long block = kDefaultBlock;
    std::vector<std::pair<VstInt32, float>> params;
};

int usage(const std::string& message) { return usageError("process", message); }

// Answers kExitOk or the exit status for a bad command line.
int parse(const std::vector<std::string>& args, ProcessOptions& o) {
    std::vector<std::string> files;
    cli::ArgumentReader words(args);
    while (words.next()) {
        const std::string& a = words.current();
        std::string v;
        if (a == "--block") {
            if (!words.value(v) || !parseInt(v, o.block) || o.block < 1 || o.block > kMaxBlock)
                return usage("--block needs a block size of 1 to " + std::to_string(kMaxBlock) + " frames");
        } else if (a == "--param") {
            std::pair<VstInt32, float> parameter;
            if (!words.value(v) || !parseParameterOption(v, parameter))
                return usage("--param needs INDEX=VALUE with INDEX 0..100 and a finite VALUE (got '" + v + "')");
            o.params.push_back(parameter);
        } else if (a == "--load-chunk") {
            if (!words.value(o.loadChunk)) return usage("--load-chunk needs a file");
        } else if (a == "--save-chunk") {
            if (!words.value(o.saveChunk)) return usage("--save-chunk needs a file");
        } else if (words.isOption()) {
            return usage("unknown option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 3) return usage("needs PLUGIN IN.wav OUT.wav");
    o.plugin = files[0];
    o.input = files[1];
    o.output = files[2];
    return kExitOk;
}

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using SoundFile = std::unique_ptr<SNDFILE, SndfileCloser>;

bool readFile(const std::string& path, std::vector<char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int runProcess(const std::vector<std::string>& args) {
    ProcessOptions o;
    if (int status = parse(args, o); status != kExitOk) return status;

    SF_INFO inInfo{};
    SoundFile in(sf_open(o.input.c_str(), SFM_READ, &inInfo));
    if (!in) return fail("cannot read audio file '" + o.input + "': " + sf_strerror(nullptr));
    if (inInfo.channels < 1 || inInfo.channels > 2)
        return fail("'" + o.input + "' has " + std::to_string(inInfo.channels) + " channels; 1 or 2 are supported");

    std::vector<char> chunk;
    if (!o.loadChunk.empty() && !readFile(o.loadChunk, chunk))
        return fail("cannot read chunk file '" + o.loadChunk + "'");

    std::string error;
    auto library = hosting::PluginLibrary::load(o.plugin, error);
    auto plugin = library ? hosting::PluginInstance::create(*library, error) : nullptr;
    if (!plugin) return fail(error);

    SF_INFO outInfo{};
    outInfo.samplerate = inInfo.samplerate;
    outInfo.channels = 2;
    outInfo.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SoundFile out(sf_open(o.output.c_str(), SFM_WRITE, &outInfo));
    if (!out) return fail("cannot write audio file '" + o.output + "': " + sf_strerror(nullptr));
    // No PEAK chunk: the same samples always give the same file.
    sf_command(out.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);

    const bool mono = inInfo.channels == 1;
    plugin->host().secondInputConnected = !mono;
    plugin->dispatch(effOpen);
    plugin->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(inInfo.samplerate));
    plugin->dispatch(effSetBlockSize, 0, o.block);
    plugin->setSpeakerArrangement(mono ? 1 : 2, 2);
    if (!o.loadChunk.empty())
        plugin->dispatch(effSetChunk, 0, static_cast<VstIntPtr>(chunk.size()), chunk.data());
    for (const auto& [index, value] : o.params) plugin->setParameter(index, value);
    plugin->dispatch(effMainsChanged, 0, 1);

    const auto frames = static_cast<std::size_t>(o.block);
    std::vector<float> interleaved(frames * 2);
    std::vector<float> inL(frames), inR(frames, 0.0f), outL(frames), outR(frames);
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    for (;;) {
        const sf_count_t got = sf_readf_float(in.get(), interleaved.data(), o.block);
        if (got <= 0) break;
        const auto n = static_cast<std::size_t>(got);
        for (std::size_t i = 0; i < n; ++i) {
            inL[i] = interleaved[i * static_cast<std::size_t>(inInfo.channels)];
            if (!mono) inR[i] = interleaved[i * 2 + 1];
        }
        plugin->processReplacing(inputs, outputs, static_cast<VstInt32>(got));
        for (std::size_t i = 0; i < n; ++i) {
            interleaved[i * 2] = outL[i];
            interleaved[i * 2 + 1] = outR[i];
        }
        if (sf_writef_float(out.get(), interleaved.data(), got) != got)
            return fail("cannot write audio file '" + o.output + "': " + sf_strerror(out.get()));
    }
    plugin->dispatch(effMainsChanged, 0, 0);

    if (!o.saveChunk.empty()) {
        void* data = nullptr;
        const VstIntPtr size = plugin->dispatch(effGetChunk, 0, 0, &data);
        if (size <= 0 || !data) return fail("the plug-in gave no state chunk to save");
        std::ofstream file(o.saveChunk, std::ios::binary);
        file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!file) return fail("cannot write chunk file '" + o.saveChunk + "'");
    }
    if (sf_close(out.release()) != 0) return fail("cannot finish audio file '" + o.output + "'");
    return kExitOk;
}

}  // namespace velunor::hostcli
