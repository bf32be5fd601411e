// A small LV2 host that times a peer meter: instantiates one plug-in by URI, connects every audio
// input to the benchmarks' noise and every control port to its default, and times run() on
// blocks of 256 frames at 48 kHz. Prints the median over repetitions in ns per stereo sample.
//   velunor_lilv_peer URI [repetitions]
#include <lilv/lilv.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../BenchSignal.h"

namespace {

constexpr double kRate = 48000.0;
constexpr int kFrames = 256;
constexpr int kBlocksPerRepetition = 4000;

int fail(const char* what, const char* uri) {
    std::fprintf(stderr, "velunor_lilv_peer: %s: %s\n", what, uri);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return fail("usage", "velunor_lilv_peer URI [repetitions]");
    const char* uriText = argv[1];
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;

    LilvWorld* world = lilv_world_new();
    lilv_world_load_all(world);
    LilvNode* uri = lilv_new_uri(world, uriText);
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
    if (!plugin) return fail("no such plug-in", uriText);

    LilvInstance* instance = lilv_plugin_instantiate(plugin, kRate, nullptr);
    if (!instance) return fail("cannot instantiate", uriText);

    LilvNode* audio = lilv_new_uri(world, LILV_URI_AUDIO_PORT);
    LilvNode* control = lilv_new_uri(world, LILV_URI_CONTROL_PORT);
    LilvNode* input = lilv_new_uri(world, LILV_URI_INPUT_PORT);
    const uint32_t ports = lilv_plugin_get_num_ports(plugin);
    std::vector<float> defaults(ports, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    std::vector<float> controls(ports, 0.0f);
    std::vector<std::vector<float>> buffers;
    buffers.reserve(ports);
    int audioInputs = 0;
    for (uint32_t p = 0; p < ports; ++p) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
        if (lilv_port_is_a(plugin, port, audio)) {
            const bool in = lilv_port_is_a(plugin, port, input);
            buffers.push_back(in ? velunor::bench::benchNoise(kFrames, static_cast<std::uint32_t>(1 + audioInputs))
                                 : std::vector<float>(kFrames));
            if (in) ++audioInputs;
            lilv_instance_connect_port(instance, p, buffers.back().data());
        } else if (lilv_port_is_a(plugin, port, control)) {
            controls[p] = std::isnan(defaults[p]) ? 0.0f : defaults[p];
            lilv_instance_connect_port(instance, p, &controls[p]);
        } else {
            return fail("port of a kind this host does not offer", uriText);
        }
    }

    lilv_instance_activate(instance);
    for (int i = 0; i < 200; ++i) lilv_instance_run(instance, kFrames);  // warm up
    std::vector<double> perSample;
    for (int r = 0; r < repetitions; ++r) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kBlocksPerRepetition; ++i) lilv_instance_run(instance, kFrames);
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        perSample.push_back(elapsed.count() / (static_cast<double>(kBlocksPerRepetition) * kFrames));
    }
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    std::sort(perSample.begin(), perSample.end());
    std::printf("%s %.3f\n", uriText, perSample[perSample.size() / 2]);

    lilv_node_free(audio);
    lilv_node_free(control);
    lilv_node_free(input);
    lilv_node_free(uri);
    lilv_world_free(world);
    return 0;
}
