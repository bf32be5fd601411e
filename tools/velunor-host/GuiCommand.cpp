// velunor-host gui PLUGIN [IN.wav] [options]: shows the plug-in's editor in a top-level window of
// our own, as a DAW does, while a file or a line-up tone plays through the plug-in in real time on
// an audio thread; clicks at given times, then saves the window's pixels.

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tools/cli/ArgumentReader.h"
#include "tools/hosting/PluginInstance.h"
#include "tools/hosting/PluginLibrary.h"
#include "tools/velunor-host/AudioStream.h"
#include "tools/velunor-host/Commands.h"
#include "tools/velunor-host/HostWindow.h"

namespace velunor::hostcli {
namespace {

constexpr double kDefaultSeconds = 3.0;
constexpr double kMaxSeconds = 24 * 3600.0;
// How often the editor is idled: about what hosts do.
constexpr auto kIdleInterval = std::chrono::milliseconds(33);

struct Click {
    int x = 0, y = 0;
    double atSeconds = 0;
};

struct GuiOptions {
    std::string plugin, input, screenshot;
    double seconds = kDefaultSeconds;
    std::vector<std::pair<VstInt32, float>> params;
    std::vector<Click> clicks;
};

int usage(const std::string& message) { return usageError("gui", message); }

// "X,Y@T": window coordinates and a time in seconds from the start.
bool parseClick(const std::string& text, Click& click) {
    const std::size_t comma = text.find(','), at = text.find('@');
    if (comma == std::string::npos || at == std::string::npos || at < comma) return false;
    long x = 0, y = 0;
    float t = 0;
    if (!parseInt(text.substr(0, comma), x) || !parseInt(text.substr(comma + 1, at - comma - 1), y) ||
        !parseFloat(text.substr(at + 1), t) || x < 0 || y < 0 || x > 32767 || y > 32767 || t < 0)
        return false;
    click = {static_cast<int>(x), static_cast<int>(y), t};
    return true;
}

int parse(const std::vector<std::string>& args, GuiOptions& o) {
    std::vector<std::string> files;
    cli::ArgumentReader words(args);
    while (words.next()) {
        const std::string& a = words.current();
        std::string v;
        if (a == "--seconds") {
            float s = 0;
            if (!words.value(v) || !parseFloat(v, s) || s <= 0 || s > kMaxSeconds)
                return usage("--seconds needs a time in seconds above 0 (got '" + v + "')");
            o.seconds = s;
        } else if (a == "--param") {
            std::pair<VstInt32, float> parameter;
            if (!words.value(v) || !parseParameterOption(v, parameter))
                return usage("--param needs INDEX=VALUE with INDEX 0..100 and a finite VALUE (got '" + v + "')");
            o.params.push_back(parameter);
        } else if (a == "--click") {
            Click click;
            if (!words.value(v) || !parseClick(v, click))
                return usage("--click needs X,Y@T: window coordinates and a time in seconds (got '" + v + "')");
            o.clicks.push_back(click);
        } else if (a == "--screenshot") {
            if (!words.value(o.screenshot)) return usage("--screenshot needs a file");
        } else if (words.isOption()) {
            return usage("unknown option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
    if (files.empty() || files.size() > 2) return usage("needs PLUGIN and at most one IN.wav");
    o.plugin = files[0];
    if (files.size() == 2) o.input = files[1];
    std::sort(o.clicks.begin(), o.clicks.end(), [](const Click& a, const Click& b) { return a.atSeconds < b.atSeconds; });
    return kExitOk;
}

// The editor's size as the plug-in answers effEditGetRect; false when it gives none.
bool editorSize(hosting::PluginInstance& plugin, int& width, int& height) {
    ERect* rect = nullptr;
    plugin.dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return true;
}

}  // namespace

int runGui(const std::vector<std::string>& args) {
    GuiOptions o;
    if (int status = parse(args, o); status != kExitOk) return status;

    AudioStream audio;
    std::string error;
    if (!o.input.empty()) {
        if (!audio.loadFile(o.input, error)) return fail(error);
    } else {
        audio.playTone();
    }

    auto library = hosting::PluginLibrary::load(o.plugin, error);
    auto plugin = library ? hosting::PluginInstance::create(*library, error) : nullptr;
    if (!plugin) return fail(error);
    if (!(plugin->effect()->flags & effFlagsHasEditor))
        return fail("the plug-in '" + o.plugin + "' has no editor to show");

    plugin->host().secondInputConnected = !audio.isMono();
    plugin->dispatch(effOpen);
    plugin->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(audio.sampleRate()));
    plugin->dispatch(effSetBlockSize, 0, AudioStream::kBlockFrames);
    plugin->setSpeakerArrangement(audio.isMono() ? 1 : 2, 2);
    for (const auto& [index, value] : o.params) plugin->setParameter(index, value);

    int width = 0, height = 0;
    if (!editorSize(*plugin, width, height)) return fail("the plug-in's editor reports no size (effEditGetRect)");
    HostWindow window;
    if (!window.open(width, height, "velunor-host: " + o.plugin, error)) return fail(error);
    if (plugin->dispatch(effEditOpen, 0, 0, window.nativeHandle()) == 0)
        return fail("the plug-in's editor did not open in the host window");
    // Some editors know their size only once open.
    if (editorSize(*plugin, width, height)) window.resize(width, height);

    plugin->dispatch(effMainsChanged, 0, 1);
    audio.start(*plugin);

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o.seconds));
    std::size_t nextClick = 0;
    auto tick = start;
    bool open = true;
    while (open && Clock::now() < end) {
        open = window.processEvents();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        for (; nextClick < o.clicks.size() && o.clicks[nextClick].atSeconds <= elapsed; ++nextClick)
            window.click(o.clicks[nextClick].x, o.clicks[nextClick].y);
        plugin->dispatch(effEditIdle);
        // audioMasterSizeWindow from the editor: the host window follows.
        const hosting::HostState& host = plugin->host();
        window.resize(host.windowWidth, host.windowHeight);
        tick += kIdleInterval;
        std::this_thread::sleep_until(std::min(tick, end));
    }

    // One last idle so that the picture shows the latest values, drawn and on the server.
    plugin->dispatch(effEditIdle);
    window.sync();
    const bool saved = o.screenshot.empty() || window.saveScreenshot(o.screenshot, error);

    plugin->dispatch(effEditClose);
    audio.stop();
    plugin->dispatch(effMainsChanged, 0, 0);
    if (!saved) return fail(error);
    return kExitOk;
}

}  // namespace velunor::hostcli
