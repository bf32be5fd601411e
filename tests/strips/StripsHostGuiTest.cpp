// The strips end to end: velunor-host shows the built plug-in's editor on a private X server, the
// user opens both strips, switches the filters in and types a track name, and the host saves the
// state chunk with that name in it. The window is saved too (docs/strips.png is such a picture).

#include <gtest/gtest.h>

#include <cairo.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "PrivateXServer.h"
#include "tests/plugin/ToolRunner.h"

namespace velunor::testing {
namespace {

namespace fs = std::filesystem;

// The window with both strips open: the face, the filters strip, the label strip.
constexpr int kWidth = 586;
constexpr int kHeightBothOpen = 169 + 53 + 39;
// Where the user clicks, in window coordinates, as the layout puts the controls: the filters
// strip's open button on the closed bar at 169, then the label strip's on its bar below the open
// filters strip (222), the FILTERS IN switch and the track name's tape.
constexpr const char* kOpenFilters = "580,175";
constexpr const char* kOpenLabel = "580,228";
constexpr const char* kFiltersIn = "556,188";
constexpr const char* kTrackName = "270,240";

// The free font that stands in for the private one, as the installer does.
constexpr const char* kFont = "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf";

struct Png {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface;
    explicit Png(const std::string& path)
        : surface(cairo_image_surface_create_from_png(path.c_str()), &cairo_surface_destroy) {}
    bool ok() const { return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface.get()); }
    int height() const { return cairo_image_surface_get_height(surface.get()); }
    std::array<int, 3> at(int x, int y) const {
        const unsigned char* data = cairo_image_surface_get_data(surface.get());
        const int stride = cairo_image_surface_get_stride(surface.get());
        const auto p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
        return {static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff)};
    }
};

class StripsHostGui : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(server_.start(why)) << why;
        // The track name is drawn in the private font, found next to the manual.
        const fs::path folder = testTmp("manual");
        fs::create_directories(folder);
        ASSERT_TRUE(fs::exists(kFont)) << "is fonts-liberation installed?";
        fs::copy_file(kFont, folder / "QVXVelunor.qxf", fs::copy_options::overwrite_existing);
        const fs::path manual = folder / "QVXVelunor User Manual Version 3.pdf";
        std::ofstream(manual) << "%PDF-1.4\n";
        const ToolResult set = runTool("velunor-settings' set ManualPath" + quoted(manual.string()));
        ASSERT_EQ(set.status, 0) << set.output;
    }
    void TearDown() override { server_.stop(); }

    guitest::PrivateXServer server_;
};

TEST_F(StripsHostGui, BothStripsOpenedTheFiltersInAndATypedTrackNameInTheSavedChunk) {
    const std::string shot = testTmp("strips.png"), chunk = testTmp("strips.chunk");
    const std::string name = "Kick drum, room mics";
    const ToolResult r =
        runTool("velunor-host' gui" + quoted(binDir() + "/QVXVelunor_x64.so") +
                    " --seconds 3 --param 0=1 --param 6=1 --param 7=0 --param 15=0" +
                    " --click " + kOpenFilters + "@0.5 --click " + kOpenLabel + "@0.9 --click " + kFiltersIn +
                    "@1.3 --click " + kTrackName + "@1.7 --enter" + quoted(name + "@2.1") +
                    " --screenshot" + quoted(shot) + " --save-chunk" + quoted(chunk),
                "DISPLAY=" + server_.display());
    ASSERT_EQ(r.status, 0) << r.output;

    std::ifstream in(chunk, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(bytes.size(), 596u);
    // Bytes 4 to 43 hold the label, zero-terminated.
    EXPECT_EQ(std::string(bytes.data() + 4, strnlen(bytes.data() + 4, 40)), name);
    // Slot 11 + 8 is "ProcFlt", a float; it was switched in.
    float filtersIn = 0;
    std::memcpy(&filtersIn, bytes.data() + 4 * (11 + 8), sizeof filtersIn);
    EXPECT_EQ(filtersIn, 1.0f);

    const Png png(shot);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.width(), kWidth);
    EXPECT_EQ(png.height(), kHeightBothOpen);
}

}  // namespace
}  // namespace velunor::testing
