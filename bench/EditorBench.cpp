// One editor idle tick (effEditIdle) of the plug-in's real editor while the needles of the shown
// face move: the front panel reads the engine, both faces redraw into the frame's back buffer
// and, in the window case, go to an X11 window. Between two ticks the effect processes what a
// host delivers at the editor's idle rate of about 30 ticks a second, six blocks of 256 frames
// at 48 kHz (31.25 ticks a second), of a 1 kHz tone whose level changes from tick to tick; that
// processing is not timed. More than one block matters: a falling needle shows the last block's
// start, which a single block per tick would leave where the last tick showed it.
//
// Every timed tick is checked for what it claims: in the moving cases the pixels under both
// needle views changed in the back buffer, at rest they did not. A tick that breaks either ends
// the case with an error instead of a figure.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include <cairo.h>

#include "core/EditorFactory.h"
#include "editor/TemepleteEditor.h"
#include "effect/ParameterTable.h"
#include "effect/Templete.h"
#include "gui/CFrame.h"
#include "platform/linux/LinuxPlatformFactory.h"
#include "tests/support/OffscreenPlatform.h"
#include "views/CQVXMeter2.h"
#include "views/CQVXMeterFULLPANEL.h"

// Last: Xlib's macros (None, Bool, Status) would clash with the names above.
#include <X11/Xlib.h>

namespace velunor::bench {
namespace {

constexpr float kRate = 48000.0f;
constexpr VstInt32 kBlockFrames = 256;
constexpr int kBlocksPerTick = 6;
// Peak levels in dBFS, one per tick in turn: far enough apart that every needle moves on every
// tick (the PPM falls slowly, but it falls), all below the over LEDs.
constexpr std::array<double, 4> kLevels{-30.0, -20.0, -14.0, -24.0};
// Ticks before the timing starts: the first ones redraw the whole window after the open.
constexpr int kWarmUpTicks = 8;
constexpr const char* kMeterNames[] = {"VU", "RMS", "PPM"};

extern "C" VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    switch (opcode) {
        case audioMasterVersion: return kVstVersion;
        case audioMasterSizeWindow: return 1;
        default: return 0;  // every pin connected
    }
}

// The effect with its editor open on `parent`, fed one tick's audio at a time.
class EditorSession {
public:
    EditorSession(int meter, IPlatformFactory& platform, void* parent) {
        platform::installLinuxPlatform();  // the clock that stamps the blocks and the ticks
        setPlatformFactory(&platform);
        setEditorFactory([](AudioEffect* e) -> AEffEditor* { return new TemepleteEditor(static_cast<Templete*>(e)); });
        effect_ = std::make_unique<Templete>(benchHost);
        effect_->setParameter(kMeter, static_cast<float>(meter) * 0.5f);
        effect_->dispatcher(effSetSampleRate, 0, 0, nullptr, kRate);
        effect_->dispatcher(effSetBlockSize, 0, kBlockFrames, nullptr, 0.0f);
        effect_->dispatcher(effMainsChanged, 0, 1, nullptr, 0.0f);
        open_ = effect_->dispatcher(effEditOpen, 0, 0, parent, 0.0f) != 0;
    }
    ~EditorSession() {
        if (open_) effect_->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
        effect_.reset();
        setEditorFactory(nullptr);
        setPlatformFactory(nullptr);
    }
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    bool isOpen() const { return open_; }
    CFrame& frame() const { return *editor().getFrame(); }
    CQVXMeterFULLPANEL& shown() const { return *editor().panel(editor().currentMeter()); }

    // One tick's audio: the tone at `peakDb` dBFS on both inputs, or silence below -200.
    void feed(double peakDb) {
        const double amplitude = peakDb < -200.0 ? 0.0 : std::pow(10.0, peakDb / 20.0);
        const double step = 2.0 * std::numbers::pi * 1000.0 / kRate;
        for (int block = 0; block < kBlocksPerTick; ++block) {
            for (auto& x : tone_) {
                x = static_cast<float>(amplitude * std::sin(step * static_cast<double>(sample_++ % 48)));
            }
            float* in[2] = {tone_.data(), tone_.data()};
            float* out[2] = {outL_.data(), outR_.data()};
            effect_->processReplacing(in, out, kBlockFrames);
        }
    }
    void idle() { effect_->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f); }

private:
    TemepleteEditor& editor() const { return *static_cast<TemepleteEditor*>(effect_->getEditor()); }

    std::unique_ptr<Templete> effect_;
    bool open_ = false;
    long sample_ = 0;
    std::vector<float> tone_ = std::vector<float>(kBlockFrames);
    std::vector<float> outL_ = std::vector<float>(kBlockFrames);
    std::vector<float> outR_ = std::vector<float>(kBlockFrames);
};

// The two needle views' areas in frame coordinates.
std::array<CRect, 2> faceAreas(const CQVXMeterFULLPANEL& panel) {
    std::array<CRect, 2> areas;
    const std::array<const CQVXMeter2*, 2> views{panel.leftView(), panel.rightView()};
    for (std::size_t i = 0; i < 2; ++i) {
        CRect r = views[i]->getViewSize();
        const CPoint origin = views[i]->localToFrame(CPoint(0, 0));
        areas[i] = r.offset(origin.x, origin.y);
    }
    return areas;
}

// The back buffer's pixels under each needle view, compared from one tick to the next.
class FacePixels {
public:
    FacePixels(CFrame& frame, const std::array<CRect, 2>& areas) : frame_(frame), areas_(areas) { takeSnapshot(last_); }

    // Which faces look different from the last call (or the construction).
    std::array<bool, 2> changed() {
        takeSnapshot(now_);
        const std::array<bool, 2> result{now_[0] != last_[0], now_[1] != last_[1]};
        std::swap(now_, last_);
        return result;
    }

private:
    void takeSnapshot(std::array<std::vector<std::uint32_t>, 2>& out) const {
        cairo_surface_t* surface = frame_.getBackBuffer();
        cairo_surface_flush(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const CRect bounds(0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
        for (std::size_t i = 0; i < 2; ++i) {
            CRect area = areas_[i];
            area.bound(bounds);
            const auto left = static_cast<int>(area.left), right = static_cast<int>(std::ceil(area.right));
            out[i].clear();
            for (auto y = static_cast<int>(area.top); y < static_cast<int>(std::ceil(area.bottom)); ++y) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
                out[i].insert(out[i].end(), row + left, row + right);
            }
        }
    }

    CFrame& frame_;
    std::array<CRect, 2> areas_;
    std::array<std::vector<std::uint32_t>, 2> last_, now_;
};

bool covers(const std::vector<CRect>& presented, const CRect& area) {
    return std::any_of(presented.begin(), presented.end(), [&](const CRect& p) {
        return p.left <= area.left && p.top <= area.top && p.right >= area.right && p.bottom >= area.bottom;
    });
}

// Runs the timed ticks: `moving` feeds the changing tone and asks both faces to change on every
// tick, otherwise silence and neither may change. `window`, when the frame's window is the
// offscreen one, also tells whether both faces were presented.
void timeTicks(benchmark::State& state, EditorSession& session, bool moving, testing::OffscreenWindow* window) {
    auto level = [&](std::size_t tick) { return moving ? kLevels[tick % kLevels.size()] : -300.0; };
    std::size_t tick = 0;
    for (; tick < kWarmUpTicks; ++tick) {
        session.feed(level(tick));
        session.idle();
    }
    const auto areas = faceAreas(session.shown());
    FacePixels pixels(session.frame(), areas);
    long presentedBoth = 0;
    for (auto _ : state) {
        session.feed(level(tick));
        if (window) window->presented.clear();
        const auto start = std::chrono::steady_clock::now();
        session.idle();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        ++tick;

        const auto changed = pixels.changed();
        if (moving && !(changed[0] && changed[1])) {
            state.SkipWithError(("tick " + std::to_string(tick) + ": a needle did not move on the picture").c_str());
            break;
        }
        if (!moving && (changed[0] || changed[1])) {
            state.SkipWithError(("tick " + std::to_string(tick) + ": a needle moved in silence").c_str());
            break;
        }
        if (window && covers(window->presented, areas[0]) && covers(window->presented, areas[1])) ++presentedBoth;
    }
    // At rest the faces redraw all the same (the panel marks them dirty on every tick): this
    // shows whether they still do.
    if (window)
        state.counters["both_faces_redrawn"] =
            benchmark::Counter(static_cast<double>(presentedBoth), benchmark::Counter::kAvgIterations);
}

void offscreenTicks(benchmark::State& state, int meter, bool moving) {
    testing::OffscreenPlatform platform;
    int parent = 0;
    EditorSession session(meter, platform, &parent);
    if (!session.isOpen()) {
        state.SkipWithError("the editor did not open");
        return;
    }
    state.SetLabel(std::string(kMeterNames[meter]) + (moving ? "" : " at rest"));
    timeTicks(state, session, moving, static_cast<testing::OffscreenWindow*>(session.frame().getPlatformFrame()));
}

// range(0): the meter, 0 VU, 1 RMS, 2 PPM.
void idleTick(benchmark::State& state) { offscreenTicks(state, static_cast<int>(state.range(0)), true); }
BENCHMARK(idleTick)->ArgName("meter")->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMicrosecond);

void idleTickAtRest(benchmark::State& state) { offscreenTicks(state, 0, false); }
BENCHMARK(idleTickAtRest)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The VU meter in a real X11 window, a child of a window of ours on $DISPLAY: the tick includes
// handing the redrawn areas to the X server (XPutImage and a flush), not the server's own work.
void idleTickX11Window(benchmark::State& state) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        state.SkipWithError("no X display: set DISPLAY or run under xvfb-run");
        return;
    }
    const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, TemepleteEditor::kWidth,
                                              TemepleteEditor::kInitialHeight, 0, 0, 0);
    XSelectInput(display, parent, StructureNotifyMask);
    XMapWindow(display, parent);
    XEvent event;
    do XNextEvent(display, &event);
    while (event.type != MapNotify);
    {
        platform::LinuxPlatformFactory platform;
        EditorSession session(0, platform, reinterpret_cast<void*>(parent));
        if (session.isOpen()) {
            state.SetLabel("VU in an X11 window");
            timeTicks(state, session, true, nullptr);
        } else {
            state.SkipWithError("the editor did not open on the X11 window");
        }
    }
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}
BENCHMARK(idleTickX11Window)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velunor::bench

BENCHMARK_MAIN();
