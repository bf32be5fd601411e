// Bitmaps, lines and text drawn through CDrawContext, checked on the pixels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "GuiTestSupport.h"
#include "gui/CDrawContext.h"
#include "gui/CTextLabel.h"
#include "platform/linux/LinuxPlatformFactory.h"

using namespace guitest;

namespace {

struct Surface {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 100, 60);
    CDrawContext context{s};
    Surface() { fill({0, 0, 0, 255}); }
    ~Surface() { cairo_surface_destroy(s); }
    void fill(Rgba c) {
        context.setFillColor(MakeCColor(static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                                        static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.a)));
        context.drawRect(CRect(0, 0, 100, 60), kDrawFilled);
    }
    Rgba at(int x, int y) { return pixelAt(s, x, y); }
    // The columns / rows that hold white ink (the test colours have no green).
    std::pair<int, int> inkColumns(int top, int bottom) {
        int first = -1, last = -1;
        for (int x = 0; x < 100; ++x)
            for (int y = top; y < bottom; ++y)
                if (at(x, y).g > 60) {
                    if (first < 0) first = x;
                    last = x;
                }
        return {first, last};
    }
    int lowestInkRow(int left, int right) {
        int lowest = -1;
        for (int y = 0; y < 60; ++y)
            for (int x = left; x < right; ++x)
                if (at(x, y).g > 128) lowest = y;
        return lowest;
    }
};

std::vector<unsigned char> encodePng(cairo_surface_t* surface) {
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<unsigned char>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

}  // namespace

TEST(Bitmap, CopiesTheAreaAtItsOffsetClippedToTheDestination) {
    Surface out;
    CBitmap* strip = makeFilmStrip(10, 10, 3);
    strip->draw(&out.context, CRect(20, 20, 30, 30), CPoint(0, 10));
    EXPECT_EQ(out.at(20, 20), frameColor(1));
    EXPECT_EQ(out.at(29, 29), frameColor(1));
    EXPECT_EQ(out.at(30, 30), (Rgba{0, 0, 0, 255}));
    // Half a frame down: the top half of the destination shows frame 1, the bottom half frame 2.
    strip->draw(&out.context, CRect(40, 20, 50, 30), CPoint(0, 15));
    EXPECT_EQ(out.at(45, 24), frameColor(1));
    EXPECT_EQ(out.at(45, 25), frameColor(2));
    // Past the bitmap's end nothing is drawn.
    strip->draw(&out.context, CRect(60, 20, 70, 30), CPoint(0, 25));
    EXPECT_EQ(out.at(65, 24), frameColor(2));
    EXPECT_EQ(out.at(65, 25), (Rgba{0, 0, 0, 255}));
    // The context's offset moves everything.
    out.context.setOffset(CPoint(5, 5));
    strip->draw(&out.context, CRect(75, 40, 80, 45), CPoint(0, 0));
    EXPECT_EQ(out.at(80, 45), frameColor(0));
    EXPECT_EQ(out.at(79, 44), (Rgba{0, 0, 0, 255}));
    strip->forget();
}

TEST(Bitmap, AlphaMultipliesTheContextsGlobalAlpha) {
    struct Case {
        float bitmapAlpha, globalAlpha;
    };
    CBitmap* white = new CBitmap(10, 10);
    cairo_t* cr = cairo_create(white->getSurface());
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    for (const Case& c : {Case{1.0f, 1.0f}, Case{0.5f, 1.0f}, Case{1.0f, 0.5f}, Case{0.5f, 0.5f}, Case{0.0f, 1.0f}}) {
        Surface out;
        out.context.setGlobalAlpha(c.globalAlpha);
        white->draw(&out.context, CRect(0, 0, 10, 10), CPoint(0, 0), c.bitmapAlpha);
        const int expected = static_cast<int>(255 * c.bitmapAlpha * c.globalAlpha + 0.5f);
        EXPECT_NEAR(out.at(5, 5).r, expected, 1) << c.bitmapAlpha << " x " << c.globalAlpha;
    }
    white->forget();
}

TEST(Bitmap, LoadsFromPngBytesAndRefusesOthers) {
    CBitmap* strip = makeFilmStrip(4, 3, 2);
    std::vector<unsigned char> png = encodePng(strip->getSurface());
    strip->forget();
    CBitmap* loaded = CBitmap::fromPng(png.data(), png.size());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->getWidth(), 4);
    EXPECT_EQ(loaded->getHeight(), 6);
    Surface out;
    loaded->draw(&out.context, CRect(0, 0, 4, 3), CPoint(0, 3));
    EXPECT_EQ(out.at(1, 1), frameColor(1));
    loaded->forget();

    const unsigned char garbage[] = {0x89, 'P', 'N', 'G', 0, 1, 2, 3};
    EXPECT_EQ(CBitmap::fromPng(garbage, sizeof garbage), nullptr);
    EXPECT_EQ(CBitmap::fromPng(png.data(), png.size() / 2), nullptr) << "a cut-off PNG";
    EXPECT_EQ(CBitmap::fromPng(nullptr, 0), nullptr);
    CBitmap missing(4242);  // a number the resource list does not use
    EXPECT_FALSE(missing.isLoaded());
    missing.draw(&out.context, CRect(0, 0, 10, 10));  // draws nothing, fails nothing
}

TEST(DrawContext, LinesLieAtSubPixelPositions) {
    // A vertical anti-aliased line one pixel wide, centred on x = 10.5 covers column 10 fully;
    // centred on x = 10.25 it shares its ink between columns 9 and 10.
    auto column = [](double x) {
        Surface out;
        out.context.setDrawMode(kAntiAliasing);
        out.context.setFrameColor(kWhiteCColor);
        out.context.setLineWidth(1);
        out.context.moveTo(CPoint(x, 5));
        out.context.lineTo(CPoint(x, 50));
        EXPECT_EQ(out.context.getPenPosition(), CPoint(x, 50));
        return std::pair{out.at(9, 20).r, out.at(10, 20).r};
    };
    EXPECT_EQ(column(10.5), (std::pair{0, 255}));
    auto [left, right] = column(10.25);
    EXPECT_NEAR(left, 64, 3);
    EXPECT_NEAR(right, 191, 3);
}

TEST(DrawContext, ClipRectsAndSavedStatesNest) {
    Surface out;
    out.context.setClipRect(CRect(10, 10, 20, 20));
    out.context.saveGlobalState();
    out.context.setOffset(CPoint(5, 0));
    out.context.setFillColor(kWhiteCColor);
    out.context.drawRect(CRect(0, 0, 100, 60), kDrawFilled);
    EXPECT_EQ(out.context.getClipRect(), CRect(5, 10, 15, 20)) << "the clip in offset coordinates";
    out.context.restoreGlobalState();
    EXPECT_EQ(out.context.getOffset(), CPoint(0, 0));
    EXPECT_EQ(out.at(10, 10).r, 255);
    EXPECT_EQ(out.at(9, 10).r, 0);
    EXPECT_EQ(out.at(20, 15).r, 0);
}

struct Text : ::testing::Test {
    static void SetUpTestSuite() { velunor::platform::installLinuxPlatform(); }
};

TEST_F(Text, StandardFontsComeFromTheSystem) {
    IPlatformFont* font = kNormalFontVerySmall->getPlatformFont();
    ASSERT_NE(font, nullptr) << "fontconfig found no font for Arial at all";
    EXPECT_EQ(kNormalFontVerySmall->getSize(), 9);
    EXPECT_EQ(kNormalFontSmaller->getSize(), 10);
    EXPECT_GT(font->getCapHeight(), 4);
    EXPECT_LT(font->getCapHeight(), 9);
    EXPECT_GT(font->getAscent(), font->getCapHeight());
}

TEST_F(Text, LabelsAlignTheirTextAndSitItOnTheCapHeightLine) {
    struct Case {
        CHoriTxtAlign align;
        int minFirst, maxFirst, minLast, maxLast;
    };
    // The label spans x 10..90; "HHHH" at Arial 20 is about 58 pixels wide.
    for (const Case& c : {Case{kLeftText, 10, 13, 60, 72}, Case{kCenterText, 17, 25, 75, 83},
                          Case{kRightText, 28, 40, 86, 89}}) {
        Surface out;
        CFontDesc font("Arial", 20);
        CTextLabel label(CRect(10, 10, 90, 50), "HHHH");
        label.setFont(&font);
        label.setHoriAlign(c.align);
        label.setStyle(CParamDisplay::kNoFrame);
        label.setFontColor(kWhiteCColor);
        label.setBackColor(MakeCColor(0, 0, 0));
        label.draw(&out.context);
        auto [first, last] = out.inkColumns(10, 50);
        EXPECT_GE(first, c.minFirst) << c.align;
        EXPECT_LE(first, c.maxFirst) << c.align;
        EXPECT_GE(last, c.minLast) << c.align;
        EXPECT_LE(last, c.maxLast) << c.align;
        // The base line: vertical centre 30 plus half the cap height (about 14.3 / 2).
        const double capHeight = font.getPlatformFont()->getCapHeight();
        EXPECT_NEAR(out.lowestInkRow(10, 90), 30 + capHeight / 2 - 1, 1.0) << c.align;
    }
}

TEST_F(Text, LabelsClipTheirTextAndMarkThemselvesDirty) {
    Surface out;
    CFontDesc font("Arial", 20);
    CTextLabel label(CRect(40, 10, 60, 50), "WWWWWWWW");
    label.setFont(&font);
    label.setStyle(CParamDisplay::kNoFrame);
    label.setTransparency(true);
    label.draw(&out.context);
    auto [first, last] = out.inkColumns(0, 60);
    EXPECT_EQ(first, 40);
    EXPECT_EQ(last, 59);
    EXPECT_FALSE(label.isDirty());
    label.setText("x");
    EXPECT_TRUE(label.isDirty());
    EXPECT_STREQ(label.getText(), "x");
}

TEST_F(Text, ParamDisplaysFillTheirBackAndFrameUnlessTold) {
    Surface out;
    CParamDisplay display(CRect(10, 10, 50, 30));
    display.setBackColor(MakeCColor(0, 0, 200));
    display.setFrameColor(MakeCColor(200, 0, 0));
    display.setValue(0.5f);
    display.draw(&out.context);
    EXPECT_EQ(out.at(10, 10), (Rgba{200, 0, 0, 255})) << "frame";
    EXPECT_EQ(out.at(12, 12), (Rgba{0, 0, 200, 255})) << "back";
    auto [first, last] = out.inkColumns(11, 29);
    EXPECT_GT(first, 11) << "\"0.50\" is drawn inside";
    display.setValueToStringProc([](float v, char* text, void*) {
        std::snprintf(text, 256, "%d%%", static_cast<int>(v * 100));
        return true;
    });
    display.setStyle(CParamDisplay::kNoFrame);
    display.setTransparency(true);
    Surface second;
    display.draw(&second.context);
    EXPECT_EQ(second.at(10, 10), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(second.at(12, 12), (Rgba{0, 0, 0, 255}));
}

TEST_F(Text, AFontFileOpensPrivatelyAndAnythingElseIsRefused) {
    IPlatformFactory* factory = getPlatformFactory();
    const std::string path = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
    IPlatformFont* font = factory->createFontFromFile(path.c_str(), 38, 0);
    ASSERT_NE(font, nullptr) << path;
    EXPECT_GT(font->getCapHeight(), 20);
    CFontDesc desc("doesn't matter", 38);
    desc.setPlatformFont(font);
    font->forget();
    Surface out;
    out.context.setFont(&desc);
    out.context.setFontColor(kWhiteCColor);
    out.context.drawString("Hi", CPoint(5, 45));
    EXPECT_GT(out.context.getStringWidth("Hi"), 30);
    EXPECT_NE(out.inkColumns(0, 60).first, -1);

    EXPECT_EQ(factory->createFontFromFile("/nonexistent/QVXVelunor.qxf", 38, 0), nullptr);
    const std::string notAFont = std::string(std::getenv("VELUNOR_TEST_TMP")) + "/QVXVelunor.qxf";
    FILE* f = std::fopen(notAFont.c_str(), "w");
    std::fputs("not a font", f);
    std::fclose(f);
    EXPECT_EQ(factory->createFontFromFile(notAFont.c_str(), 38, 0), nullptr);
    EXPECT_EQ(factory->createFontFromFile("", 38, 0), nullptr);
}
