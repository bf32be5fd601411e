// velunor-host gui end to end on a private Xvfb server: it shows a test plug-in's editor in a real
// window, plays its tone through the plug-in on an audio thread, clicks, and saves the window.
#include <gtest/gtest.h>

#include <cairo.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PrivateXServer.h"
#include "tests/plugin/FacePluginLayout.h"
#include "tests/plugin/ToolRunner.h"
#include "views/ScaleLaws.h"

namespace velunor::testing {
namespace {

namespace layout = faceplugin;

// One private X server per test: with the XTest extension (clicks as a user's pointer makes them)
// or without it (clicks sent as events to the window under the point).
class HostGui : public ::testing::Test {
protected:
    void startServer(const std::vector<std::string>& extraArguments = {}) {
        std::string why;
        ASSERT_TRUE(server_.start(why, extraArguments)) << why;
    }
    void TearDown() override { server_.stop(); }

    ToolResult gui(const std::string& options) {
        return runTool("velunor-host' gui" + quoted(binDir() + "/velunor_test_face_plugin.so") + options,
                       "DISPLAY=" + server_.display());
    }

    // The tone moves the needle to 0 VU, the editor's size request is honoured and a click at the
    // LED reaches the face, which lights the LED.
    void checkToneAndClick();

    guitest::PrivateXServer server_;
};

struct Png {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface;
    explicit Png(const std::string& path)
        : surface(cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy) {}
    bool ok() const { return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface.get()); }
    int height() const { return cairo_image_surface_get_height(surface.get()); }
    // Red, green and blue of one pixel.
    std::array<int, 3> at(double x, double y) const {
        const unsigned char* data = cairo_image_surface_get_data(surface.get());
        const int stride = cairo_image_surface_get_stride(surface.get());
        const auto p = *reinterpret_cast<const std::uint32_t*>(data + static_cast<int>(y) * stride + static_cast<int>(x) * 4);
        return {static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff)};
    }
};

// A VU face's pivot in the editor window, for a face whose top-left corner is at `origin`.
scale::Point pivot(scale::Point origin = {layout::kFaceX, layout::kFaceY}) {
    return scale::offsetBy(scale::kVuFace.pivot, origin);
}

// Where the needle crosses the arc between the percentage and the dB scales, where the paper
// carries nothing else: the centre of the dark samples along it, NaN when there are none.
double needleDegrees(const Png& png, scale::Point origin = {layout::kFaceX, layout::kFaceY}) {
    constexpr double kRadius = 112;
    double sum = 0, moment = 0;
    for (double a = 40; a <= 145; a += 0.05) {
        const scale::Point p = scale::pointOnRay(pivot(origin), kRadius, scale::degreesToRadians(a));
        const auto c = png.at(p.x, p.y);
        if (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2] < 110) {
            sum += 1;
            moment += a;
        }
    }
    return sum > 0 ? moment / sum : std::nan("");
}

void HostGui::checkToneAndClick() {
    const std::string shot = testTmp("face.png");
    // The middle of the face's LED, clicked half way through.
    const scale::Rect led = scale::offsetBy(scale::kVuFace.led, {layout::kFaceX, layout::kFaceY});
    const int ledX = static_cast<int>((led.left + led.right) / 2), ledY = static_cast<int>((led.top + led.bottom) / 2);
    const ToolResult r = gui(" --seconds 1.5 --click " + std::to_string(ledX) + "," + std::to_string(ledY) +
                             "@0.7 --screenshot" + quoted(shot));
    ASSERT_EQ(r.status, 0) << r.output;
    const Png png(shot);
    ASSERT_TRUE(png.ok());
    // The editor asked for this size after it opened: the host window followed.
    EXPECT_EQ(png.width(), layout::kWidth);
    EXPECT_EQ(png.height(), layout::kHeight);
    EXPECT_NEAR(needleDegrees(png), scale::vuAngleDegrees(1.0), 1.0);
    // The LED lit: bright red (with a highlight in its middle).
    const auto lit = png.at(ledX, ledY);
    EXPECT_GT(lit[0], 180);
    EXPECT_GT(lit[0] - lit[1], 60);
}

TEST_F(HostGui, TheToneMovesTheNeedleToZeroVuAndAClickReachesTheFace) {
    startServer();
    checkToneAndClick();
}

TEST_F(HostGui, WithoutXTestTheClickIsSentAsAnEventToTheWindowUnderIt) {
    startServer({"-extension", "XTEST"});
    checkToneAndClick();
}

TEST_F(HostGui, AQuietMonoFileLeavesTheNeedleAtTheScaleStartAndTheLedDark) {
    startServer();
    const std::string silence = testTmp("silence.wav");
    ASSERT_EQ(runTool("velunor-signal' sine" + quoted(silence) + " --seconds 1 --channels 1 --level -200").status, 0);
    const std::string shot = testTmp("rest.png");
    const ToolResult r = gui(quoted(silence) + " --seconds 0.5 --screenshot" + quoted(shot));
    ASSERT_EQ(r.status, 0) << r.output;
    const Png png(shot);
    ASSERT_TRUE(png.ok());
    EXPECT_NEAR(needleDegrees(png), scale::vuAngleDegrees(0.0), 1.0);
    const scale::Rect led = scale::offsetBy(scale::kVuFace.led, {layout::kFaceX, layout::kFaceY});
    const auto dark = png.at((led.left + led.right) / 2, (led.top + led.bottom) / 2);
    EXPECT_LT(dark[0], 150);
}

double luminance(const std::array<int, 3>& c) { return 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]; }

// The plug-in itself: its VU faces follow the tone, and a click on the meter selector's left
// arrow switches to the PPM, whose faces are dark.
TEST_F(HostGui, ThePluginsEditorFollowsTheToneAndItsMeterSelector) {
    startServer();
    const std::string plugin = quoted(binDir() + "/QVXVelunor_x64.so");
    const scale::Point leftFace{12, 18};
    const std::string vuShot = testTmp("vu.png");
    ToolResult r = runTool("velunor-host' gui" + plugin + " --seconds 1.5 --screenshot" + quoted(vuShot),
                           "DISPLAY=" + server_.display());
    ASSERT_EQ(r.status, 0) << r.output;
    const Png vu(vuShot);
    ASSERT_TRUE(vu.ok());
    EXPECT_EQ(vu.width(), 586);
    EXPECT_EQ(vu.height(), 195);
    EXPECT_NEAR(needleDegrees(vu, leftFace), scale::vuAngleDegrees(1.0), 2.0);
    EXPECT_GT(luminance(vu.at(60, 40)), 150);

    const std::string ppmShot = testTmp("ppm.png");
    r = runTool("velunor-host' gui" + plugin + " --seconds 1.2 --click 202,156@0.5 --screenshot" + quoted(ppmShot),
                "DISPLAY=" + server_.display());
    ASSERT_EQ(r.status, 0) << r.output;
    const Png ppm(ppmShot);
    ASSERT_TRUE(ppm.ok());
    EXPECT_LT(luminance(ppm.at(60, 40)), 80);
}

}  // namespace
}  // namespace velunor::testing
