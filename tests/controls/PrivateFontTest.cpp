// The private font read from a fixture: a free font copied next to a "manual" as QVXVelunor.qxf,
// with "ManualPath" pointing at that manual in this process's settings. Also writes the gallery of
// the plug-in's own controls (controls-gallery.png in the build's bin folder; docs/gallery.png
// is a copy of it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ControlsFixture.h"
#include "editor/CAnimKnob4.h"
#include "editor/CFrontReferenceControl.h"
#include "editor/CMyTextEdit.h"
#include "editor/CQVKickButton.h"
#include "editor/CQVXCalibrationControl.h"
#include "editor/CQVXCustomFont.h"
#include "editor/CQVXHorizontalSwitch.h"
#include "editor/CQVXLatencyControl.h"
#include "editor/CQVXMeterSelectorControl.h"
#include "editor/CQVXOnOffButton.h"
#include "editor/CQVXSlider.h"
#include "editor/CQVXTapeLabel.h"
#include "editor/QVXCoreTextFont.h"
#include "editor/SteppedKnobs.h"
#include "editor/StripActiveButton.h"
#include "gui/VirtualKeys.h"
#include "platform/linux/ProcessSettingsStore.h"

using namespace controlstest;
namespace fs = std::filesystem;

namespace {

// A free font of the fonts-liberation package, unlike the sans face the standard fonts find.
constexpr const char* kFixtureFont = "/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf";

fs::path testFolder() {
    const char* tmp = std::getenv("VELUNOR_TEST_TMP");
    return fs::path(tmp ? tmp : "/tmp") / "manual folder";
}

// Copies the fixture font next to a manual and names that manual in the settings; once per process,
// before anything asks for the private font.
bool installFixtureFont(std::string& why) {
    static bool done = false;
    if (done) return true;
    if (!fs::exists(kFixtureFont)) {
        why = std::string("no fixture font at ") + kFixtureFont + " (is fonts-liberation installed?)";
        return false;
    }
    const fs::path folder = testFolder();
    fs::create_directories(folder);
    fs::copy_file(kFixtureFont, folder / CQVXCustomFont::kFontFileName, fs::copy_options::overwrite_existing);
    const fs::path manual = folder / "QVXVelunor User Manual Version 3.pdf";
    std::ofstream(manual) << "%PDF-1.4\n";
    velunor::installProcessSettingsStore();
    auto key = velunor::settingsStore()->createForWriting();
    if (!key || !key->setString("ManualPath", manual.c_str()) || !key->close()) {
        why = "the settings store did not take ManualPath";
        return false;
    }
    done = true;
    return true;
}

class PrivateFont : public ControlsFixture {
protected:
    void SetUp() override {
        std::string why;
        if (!installFixtureFont(why)) GTEST_SKIP() << why;
        ControlsFixture::SetUp();
    }
};

int pixelsUnlike(cairo_surface_t* surface, const CRect& area, const guitest::Rgba& colour) {
    int n = 0;
    for (int x = static_cast<int>(area.left); x < area.right; ++x)
        for (int y = static_cast<int>(area.top); y < area.bottom; ++y)
            n += !guitest::near(guitest::pixelAt(surface, x, y), colour, 8);
    return n;
}

}  // namespace

TEST_F(PrivateFont, IsReadFromTheManualsFolderAtItsFirstUse) {
    CQVXCustomFont* description = CQVXCustomFont::get();
    EXPECT_EQ(description, CQVXCustomFont::get());
    EXPECT_EQ(description->getName(), "doesn't matter");
    EXPECT_EQ(description->getSize(), 38);
    auto* font = dynamic_cast<QVXCoreTextFont*>(description->getPlatformFont());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getPath(), (testFolder() / "QVXVelunor.qxf").string());
    EXPECT_EQ(font->getFaceName(), "QVXVelunor");
    // Nothing is read before the first text is drawn or measured.
    EXPECT_FALSE(font->isLoaded());
    EXPECT_EQ(font->getAscent(), -1);
    EXPECT_EQ(font->getDescent(), -1);
    ASSERT_NE(font->getPainter(), nullptr);
    EXPECT_TRUE(font->isLoaded());
    EXPECT_GT(font->getAscent(), 20);
    EXPECT_LT(font->getAscent(), 38);
    EXPECT_GT(font->getDescent(), 0);
    EXPECT_GE(font->getLeading(), 0);
    EXPECT_EQ(font->getCapHeight(), -1);
    CDrawContext* context = frame->getBackBufferContext();
    context->setFont(description);
    const CCoord narrow = context->getStringWidth("il");
    const CCoord wide = context->getStringWidth("WWWWWW");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, 5 * narrow);
}

TEST_F(PrivateFont, AFileThatIsNoFontDrawsNothingAndMeasuresZero) {
    const fs::path bogus = testFolder() / "not a font.qxf";
    std::ofstream(bogus) << "this is not a font file";
    for (const fs::path& path : {bogus, testFolder() / "missing.qxf"}) {
        auto* font = new QVXCoreTextFont(path.c_str(), 38, 0);
        EXPECT_EQ(font->getPainter(), nullptr);
        EXPECT_EQ(font->getAscent(), -1);
        EXPECT_EQ(font->getStringWidth(frame->getBackBufferContext(), "text", true), 0);
        font->drawString(frame->getBackBufferContext(), "text", CPoint(10, 10), true);
        font->forget();
    }
}

TEST_F(PrivateFont, TheTapeLabelShowsItsTextAndEditsInTheFont) {
    CBitmap* face = guitest::makeFilmStrip(600, 200, 1);
    auto* tape = add(new CQVXTapeLabel(CRect(50, 100, 350, 140), &listener, face));
    face->forget();
    tape->setText("Vocals");
    frame->idle();
    EXPECT_GT(pixelsUnlike(frame->getBackBuffer(), tape->getViewSize(), guitest::frameColor(0)), 100);
    click(CPoint(100, 120));
    ASSERT_TRUE(tape->isEditing());
    EXPECT_EQ(tape->getEditBox()->getFont(), CQVXCustomFont::get());
    key(VKEY_ESCAPE);
}

// ---------------------------------------------------------------- the gallery

namespace {

CBitmap* resource(int id) {
    auto* bitmap = new CBitmap(id);
    EXPECT_TRUE(bitmap->isLoaded()) << id;
    return bitmap;
}

// The control's rectangle at (x, y) for one frame of a bitmap of `frames` frames.
CRect frameRect(CBitmap* bitmap, CCoord x, CCoord y, int frames) {
    return CRect(x, y, x + bitmap->getWidth(), y + bitmap->getHeight() / frames);
}

}  // namespace

class Gallery : public PrivateFont {
protected:
    template <typename T>
    T* place(T* control) {
        add(control);
        return control;
    }
    void caption(const char* text, CCoord x, CCoord y, CCoord width = 110) {
        auto* label = add(new CTextLabel(CRect(x, y, x + width, y + 12), text, nullptr, CParamDisplay::kNoFrame));
        label->setFont(kNormalFontVerySmall);
        label->setFontColor(MakeCColor(200, 200, 200));
        label->setTransparency(true);
        label->setHoriAlign(kLeftText);
    }
};

TEST_F(Gallery, EveryOwnControlInItsStates) {
    frame->setSize(600, 420);
    frame->setBackgroundColor(MakeCColor(48, 48, 52));
    hints->setViewSize(CRect(300, 4, 496, 18));
    hints->setFont(kNormalFontVerySmall);
    hints->setFontColor(MakeCColor(220, 213, 213));
    hints->setBackColor(MakeCColor(0, 0, 0));
    hints->setFrameColor(MakeCColor(0, 0, 0, 0));
    caption("hint label:", 240, 5, 60);

    // Row 1: two-state buttons, the manual button, the calibration selector.
    caption("PROCESS off / on", 10, 24);
    for (int i = 0; i < 2; ++i) {
        CBitmap* b = resource(10002);
        place(new CQVXOnOffButtonH(frameRect(b, 10 + 50.0 * i, 38, 2), &listener, 0, b))->setValue(float(i));
        b->forget();
    }
    caption("STRIPS", 120, 24);
    for (int i = 0; i < 2; ++i) {
        CBitmap* b = resource(10025);
        place(new CQVXOnOffButtonH(frameRect(b, 120 + 20.0 * i, 38, 2), &listener, 6, b))->setValue(float(i));
        b->forget();
    }
    caption("manual: normal, hover, pressed", 170, 24, 160);
    for (int i = 0; i < 3; ++i) {
        CBitmap* b = resource(989);
        auto* kick = place(new CQVKickButtonH(frameRect(b, 170 + 34.0 * i, 38, 3), &listener, 121,
                                              b->getHeight() / 3, b));
        b->forget();
        CPoint p(kick->getViewSize().left + 2, kick->getViewSize().top + 2);
        if (i >= 1) kick->onMouseEntered(p, 0);
        if (i == 2) kick->onMouseDown(p, kLButton);
    }
    caption("calibration: GLOBAL, SESSION, INSTANCE", 300, 24, 200);
    for (int i = 0; i < 3; ++i) {
        CBitmap* b = resource(10010);
        place(new CQVXCalibrationControl(frameRect(b, 300 + 96.0 * i, 38, 3), &listener, 2, b))->setValue(0.5f * i);
        b->forget();
    }

    // Row 2: the meter selector's three looks, the reference control with its text.
    caption("meter selector: plain, left lit, right lit", 10, 62, 200);
    for (int i = 0; i < 3; ++i) {
        CBitmap* b = resource(10015);
        auto* selector = place(new CQVXMeterSelectorControl(frameRect(b, 10 + 155.0 * i, 76, 3), &listener, b));
        b->forget();
        CPoint p(i == 1 ? selector->getViewSize().left + 5 : selector->getViewSize().right - 5,
                 selector->getViewSize().top + 5);
        if (i) selector->onMouseMoved(p, 0);
        if (i == 1) selector->setHintLabel(hints);  // the lit left arrow names the meter it selects
        if (i == 1) selector->onMouseMoved(p, 0);
    }
    caption("front reference control", 10, 106, 150);
    {
        CBitmap* b = resource(10013);
        auto* ref = place(new CFrontReferenceControl(frameRect(b, 10, 120, 2), &listener, 83, 51, 11, b));
        b->forget();
        ref->setText("-18 dBFS");
    }

    // Row 3: sliders active and inactive, knobs.
    caption("trim: active, inactive", 170, 106, 150);
    for (int i = 0; i < 2; ++i) {
        CBitmap* handle = resource(10001);
        auto* slider = place(new CQVXSliderAH(CRect(170 + 40.0 * i, 120, 202 + 40.0 * i, 246), &listener, 1, CPoint(0, 0),
                                              126, handle, nullptr, CPoint(0, 0), CSlider::kVertical | CSlider::kBottom));
        handle->forget();
        slider->setValue(0.7f);
        slider->active = i == 0 ? 1 : 0;
    }
    caption("frequency: active, inactive", 260, 106, 150);
    for (int i = 0; i < 2; ++i) {
        CBitmap* handle = resource(10024);
        auto* slider = place(new CQVXSliderAH(CRect(260, 122 + 40.0 * i, 422, 154 + 40.0 * i), &listener, 8, CPoint(0, 0),
                                              162, handle, nullptr, CPoint(0, 0), CSlider::kHorizontal | CSlider::kLeft));
        handle->forget();
        slider->setValue(0.3f);
        slider->active = i == 0 ? 1 : 0;
    }
    caption("knobs: 0, 0.5, 1; BACKLIT, LED REF, OVERs", 430, 106, 170);
    {
        const float values[] = {0.0f, 0.5f, 1.0f};
        for (int i = 0; i < 3; ++i) {
            CBitmap* b = resource(10003);
            place(new CAnimKnob4(CRect(430 + 50.0 * i, 120, 473 + 50.0 * i, 161), &listener, 84, 51, 41, b))
                ->setValue(values[i]);
            b->forget();
        }
        CBitmap* b = resource(10003);
        place(new CVuBackLitKnob(CRect(430, 166, 473, 207), &listener, 88, 51, 41, b))->setValue(0.25f);
        place(new CVuLedRefKnob(CRect(480, 166, 523, 207), &listener, 90, 51, 41, b))->setValue(1.0f);
        place(new CRmsOverLedKnob(CRect(530, 166, 573, 207), &listener, 78, 51, 41, b))->setValue(1.0f);
        b->forget();
    }

    // Row 4: strip buttons, the slope switch, the lag time.
    caption("FILTERS IN: off, on inactive, on active", 10, 250, 135);
    for (int i = 0; i < 3; ++i) {
        CBitmap* b = resource(10020);
        auto* button = place(new StripActiveButton(frameRect(b, 10 + 40.0 * i, 264, 3), &listener, 9, b));
        b->forget();
        button->setValue(i ? 1.0f : 0.0f);
        button->active = i == 2 ? 1 : 0;
    }
    caption("in/out", 150, 236);
    for (int i = 0; i < 2; ++i) {
        CBitmap* b = resource(10021);
        place(new CQVXOnOffButtonAH(frameRect(b, 140 + 44.0 * i, 264, 2), &listener, 11, b))->setValue(float(i));
        b->forget();
    }
    caption("slope", 240, 250);
    for (int i = 0; i < 2; ++i) {
        CBitmap* b = resource(31001);
        place(new CQVXHorizontalSwitchAH(frameRect(b, 240 + 56.0 * i, 264, 2), &listener, 12, b))->setValue(float(i));
        b->forget();
    }
    caption("LAG TIME 123 ms", 360, 250);
    {
        CBitmap* b = resource(34001);
        auto* lag = place(new CQVXLatencyControl(CRect(360, 264, 388, 304), &listener, 16, b));
        b->forget();
        lag->setValue(123 / 999.0f);
    }

    // Row 5: the trim field closed and open, the tape label in the private font.
    CBitmap* strip = resource(34000);
    caption("trim field, and open with its text selected", 430, 250, 170);
    {
        auto* field = place(new CMyTextEditAH(CRect(430, 266, 478, 281), &listener, 68, "+0.0 dB", strip, false));
        field->setFont(kNormalFontVerySmall);
        field->setFontColor(MakeCColor(170, 170, 170));
        field->setBackOffset(CPoint(0, 0));
        auto* open = place(new CMyTextEditAH(CRect(500, 266, 548, 281), &listener, 68, "-3.5 dB", strip, false));
        open->setFont(kNormalFontVerySmall);
        open->setFontColor(MakeCColor(170, 170, 170));
        open->setBackOffset(CPoint(0, 0));
        frame->idle();
        click(CPoint(510, 272));
        ASSERT_TRUE(open->isEditing());
    }
    caption("tape label in the private font", 10, 314, 200);
    auto* tape = place(new CQVXTapeLabel(CRect(7, 328, 593, 367), &listener, strip));
    tape->setBackOffset(CPoint(0, 0));
    tape->setText("Lead vocal, take 3");
    strip->forget();

    for (int i = 0; i < frame->getNbViews(); ++i) frame->getView(i)->setDirty();
    frame->invalid();
    frame->idle();

    cairo_surface_t* picture = frame->getBackBuffer();
    // The inactive trim slider is the active one at half opacity over the background.
    const guitest::Rgba active = guitest::pixelAt(picture, 186, 120 + 37 + 9);
    const guitest::Rgba inactive = guitest::pixelAt(picture, 226, 120 + 37 + 9);
    EXPECT_NEAR(inactive.r, (active.r + 48) / 2, 3);
    EXPECT_NEAR(inactive.g, (active.g + 48) / 2, 3);
    EXPECT_EQ(std::string(hints->getText()), "Changes current meter to PPMK");

    const char* bin = std::getenv("VELUNOR_BIN_DIR");
    const std::string path = std::string(bin ? bin : ".") + "/controls-gallery.png";
    ASSERT_EQ(cairo_surface_write_to_png(picture, path.c_str()), CAIRO_STATUS_SUCCESS) << path;
    cairo_surface_t* reread = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(reread), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(reread), 600);
    EXPECT_EQ(cairo_image_surface_get_height(reread), 420);
    cairo_surface_destroy(reread);
    key(VKEY_ESCAPE);
}
