// Drives every standard control into its states on an offscreen frame and writes the picture to
// gui-controls.png in the build's bin folder (docs/gui-controls.png is a copy of it).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "GuiTestSupport.h"
#include "gui/CAnimKnob.h"
#include "gui/CHorizontalSwitch.h"
#include "gui/CKickButton.h"
#include "gui/CMovieBitmap.h"
#include "gui/COnOffButton.h"
#include "gui/CRockerSwitch.h"
#include "gui/CSlider.h"
#include "gui/CTextLabel.h"
#include "platform/linux/LinuxPlatformFactory.h"

using namespace guitest;

namespace {

// A film strip of `frames` frames of w x h, each painted by `paint(cr, frame)` in frame coordinates.
CBitmap* paintStrip(int w, int h, int frames, const std::function<void(cairo_t*, int)>& paint) {
    auto* bitmap = new CBitmap(w, h * frames);
    cairo_t* cr = cairo_create(bitmap->getSurface());
    for (int k = 0; k < frames; ++k) {
        cairo_save(cr);
        cairo_translate(cr, 0, k * h);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        paint(cr, k);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(bitmap->getSurface());
    return bitmap;
}

void roundedBox(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void caption(cairo_t* cr, const char* text, double x, double y, double size = 10) {
    cairo_select_font_face(cr, "sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    cairo_move_to(cr, x - e.width / 2 - e.x_bearing, y);
    cairo_show_text(cr, text);
}

CBitmap* buttonStrip(int w, int h, const char* off, const char* on) {
    return paintStrip(w, h, 2, [&](cairo_t* cr, int k) {
        roundedBox(cr, 1, 1, w - 2, h - 2, 4);
        if (k) cairo_set_source_rgb(cr, 0.95, 0.6, 0.1);
        else cairo_set_source_rgb(cr, 0.25, 0.25, 0.28);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, k ? 0.1 : 0.85, k ? 0.1 : 0.85, k ? 0.1 : 0.85);
        caption(cr, k ? on : off, w / 2.0, h / 2.0 + 4);
    });
}

CBitmap* knobStrip(int size, int frames) {
    return paintStrip(size, size, frames, [&](cairo_t* cr, int k) {
        const double c = size / 2.0, r = size / 2.0 - 3;
        cairo_arc(cr, c, c, r, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.22);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        const double a = 5 * M_PI / 4 - 1.5 * M_PI * k / (frames - 1);
        cairo_set_source_rgb(cr, 1.0, 0.75, 0.2);
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, c + std::cos(a) * r * 0.3, c - std::sin(a) * r * 0.3);
        cairo_line_to(cr, c + std::cos(a) * r * 0.9, c - std::sin(a) * r * 0.9);
        cairo_stroke(cr);
    });
}

CBitmap* plain(int w, int h, double r, double g, double b, bool rounded = true) {
    return paintStrip(w, h, 1, [&](cairo_t* cr, int) {
        if (rounded) roundedBox(cr, 0, 0, w, h, std::min(w, h) / 2.0);
        else cairo_rectangle(cr, 0, 0, w, h);
        cairo_set_source_rgb(cr, r, g, b);
        cairo_fill(cr);
    });
}

struct Gallery : ::testing::Test {
    static void SetUpTestSuite() { velunor::platform::installLinuxPlatform(); }
    RecordingListener listener;
    RecordingEditor editor;
    CFrame* frame = nullptr;
    CFontDesc captionFont{"Arial", 11, kBoldFace};

    void label(const char* text, CCoord x, CCoord y, CCoord w = 110) {
        auto* l = new CTextLabel(CRect(x, y, x + w, y + 14), text);
        l->setFont(&captionFont);
        l->setFontColor(MakeCColor(200, 200, 200));
        l->setTransparency(true);
        l->setStyle(CParamDisplay::kNoFrame);
        l->setHoriAlign(kLeftText);
        frame->addView(l);
    }
    void stateLabel(const char* text, CCoord centreX, CCoord y) {
        auto* l = new CTextLabel(CRect(centreX - 40, y, centreX + 40, y + 12), text);
        l->setFont(kNormalFontVerySmall);
        l->setFontColor(MakeCColor(150, 150, 150));
        l->setTransparency(true);
        l->setStyle(CParamDisplay::kNoFrame);
        frame->addView(l);
    }
};

}  // namespace

TEST_F(Gallery, EveryStandardControlInItsStates) {
    const int width = 720, height = 500;
    frame = makeOffscreenFrame(width, height, &editor);
    frame->setBackgroundColor(MakeCColor(30, 32, 36));
    const CCoord col0 = 130, step = 90;
    CCoord y = 12;

    // COnOffButton: off, on (clicked).
    label("COnOffButton", 10, y + 8);
    CBitmap* onOff = buttonStrip(60, 26, "OFF", "ON");
    for (int i = 0; i < 2; ++i) {
        frame->addView(new COnOffButton(CRect(col0 + i * step, y, col0 + i * step + 60, y + 26), &listener, i, onOff));
        stateLabel(i ? "clicked: on" : "off", col0 + i * step + 30, y + 28);
    }
    onOff->forget();
    frame->platformOnMouseDown(CPoint(col0 + step + 30, y + 13), kLButton);

    // CKickButton: released, held down.
    y += 50;
    label("CKickButton", 10, y + 8);
    CBitmap* kick = buttonStrip(60, 26, "KICK", "KICK");
    for (int i = 0; i < 2; ++i) {
        frame->addView(new CKickButton(CRect(col0 + i * step, y, col0 + i * step + 60, y + 26), &listener, 10 + i, 26, kick));
        stateLabel(i ? "held down" : "released", col0 + i * step + 30, y + 28);
    }
    kick->forget();

    // CSlider: horizontal at 0, dragged to 0.5, 1; vertical at 0, 0.5, 1.
    y += 50;
    label("CSlider", 10, y + 8);
    CBitmap* track = plain(110, 10, 0.15, 0.15, 0.17);
    CBitmap* handleH = plain(12, 10, 0.9, 0.9, 0.95);
    CSlider* sliders[3];
    for (int i = 0; i < 3; ++i) {
        sliders[i] = new CSlider(CRect(col0 + i * 125, y + 8, col0 + i * 125 + 110, y + 18), &listener, 20 + i,
                                 CPoint(0, 0), 110, handleH, track, CPoint(0, 0), CSlider::kHorizontal | CSlider::kLeft);
        frame->addView(sliders[i]);
        stateLabel(i == 0 ? "0" : i == 1 ? "dragged to 0.5" : "1", col0 + i * 125 + 55, y + 20);
    }
    sliders[2]->setValue(1.0f);
    track->forget();
    handleH->forget();
    // Grab the middle slider's handle (x 0..12) and drag it 49 pixels: half of its 98-pixel travel.
    frame->platformOnMouseDown(CPoint(col0 + 125 + 6, y + 12), kLButton);
    frame->platformOnMouseMoved(CPoint(col0 + 125 + 55, y + 12), kLButton);
    frame->platformOnMouseUp(CPoint(col0 + 125 + 55, y + 12), kLButton);
    EXPECT_FLOAT_EQ(sliders[1]->getValue(), 0.5f);

    y += 40;
    label("CSlider vertical", 10, y + 20);
    CBitmap* trackV = plain(10, 60, 0.15, 0.15, 0.17);
    CBitmap* handleV = plain(10, 12, 0.9, 0.9, 0.95);
    for (int i = 0; i < 3; ++i) {
        auto* s = new CSlider(CRect(col0 + 25 + i * step, y, col0 + 35 + i * step, y + 60), &listener, 30 + i,
                              CPoint(0, 0), 60, handleV, trackV, CPoint(0, 0), CSlider::kVertical | CSlider::kBottom);
        s->setValue(i * 0.5f);
        frame->addView(s);
        stateLabel(i == 0 ? "0" : i == 1 ? "0.5" : "1", col0 + 30 + i * step, y + 62);
    }
    trackV->forget();
    handleV->forget();

    // CKnob (handle drawn as a line) and CAnimKnob (31-frame strip): 0, wheel to 0.5, 1.
    y += 82;
    label("CKnob", 10, y + 14);
    CBitmap* knobBack = paintStrip(40, 40, 1, [](cairo_t* cr, int) {
        cairo_arc(cr, 20, 20, 17, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.2, 0.3, 0.45);
        cairo_fill(cr);
    });
    CBitmap* animStrip = knobStrip(40, 31);
    for (int i = 0; i < 3; ++i) {
        auto* knob = new CKnob(CRect(col0 + i * step, y, col0 + i * step + 40, y + 40), &listener, 40 + i, knobBack, nullptr);
        knob->setColorHandle(MakeCColor(255, 255, 255));
        frame->addView(knob);
        auto* anim = new CAnimKnob(CRect(col0 + 300 + i * step, y, col0 + 340 + i * step, y + 40), &listener, 50 + i, 31,
                                   40, animStrip);
        frame->addView(anim);
        if (i == 1) {
            for (int n = 0; n < 5; ++n) {
                frame->platformOnMouseWheel(CPoint(col0 + i * step + 20, y + 20), kMouseWheelAxisY, 1.0f, 0);
                frame->platformOnMouseWheel(CPoint(col0 + 320 + i * step, y + 20), kMouseWheelAxisY, 1.0f, 0);
            }
        } else if (i == 2) {
            knob->setValue(1.0f);
            anim->setValue(1.0f);
        }
        stateLabel(i == 0 ? "0" : i == 1 ? "5 wheel notches" : "1", col0 + i * step + 20, y + 42);
        stateLabel(i == 0 ? "0" : i == 1 ? "5 wheel notches" : "1", col0 + 320 + i * step, y + 42);
    }
    label("CAnimKnob", col0 + 220, y + 14, 80);
    knobBack->forget();
    animStrip->forget();

    // CHorizontalSwitch: three positions, clicked in each cell.
    y += 62;
    label("CHorizontalSwitch", 10, y + 6);
    const char* names[] = {"A", "B", "C"};
    CBitmap* switchStrip = paintStrip(72, 22, 3, [&](cairo_t* cr, int k) {
        for (int cell = 0; cell < 3; ++cell) {
            roundedBox(cr, cell * 24 + 1, 1, 22, 20, 3);
            if (cell == k) cairo_set_source_rgb(cr, 0.3, 0.7, 0.35);
            else cairo_set_source_rgb(cr, 0.25, 0.25, 0.28);
            cairo_fill(cr);
            cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
            caption(cr, names[cell], cell * 24 + 12, 15);
        }
    });
    for (int i = 0; i < 3; ++i) {
        const CCoord left = col0 + i * step;
        frame->addView(new CHorizontalSwitch(CRect(left, y, left + 72, y + 22), &listener, 60 + i, switchStrip));
        frame->platformOnMouseDown(CPoint(left + 24 * i + 5, y + 10), kLButton);
        frame->platformOnMouseUp(CPoint(left + 24 * i + 5, y + 10), kLButton);
        stateLabel(i == 0 ? "clicked A" : i == 1 ? "clicked B" : "clicked C", left + 36, y + 24);
    }
    switchStrip->forget();

    // CRockerSwitch: pressed left, at rest, pressed right (held).
    y += 44;
    label("CRockerSwitch", 10, y + 6);
    CBitmap* rockerStrip = paintStrip(60, 22, 3, [&](cairo_t* cr, int k) {
        roundedBox(cr, 1, 1, 58, 20, 4);
        cairo_set_source_rgb(cr, 0.25, 0.25, 0.28);
        cairo_fill(cr);
        for (int side = 0; side < 2; ++side) {
            const bool lit = (k == 0 && side == 0) || (k == 2 && side == 1);
            cairo_set_source_rgb(cr, lit ? 1.0 : 0.6, lit ? 0.75 : 0.6, lit ? 0.2 : 0.6);
            const double x = side ? 45 : 15;
            cairo_move_to(cr, x + (side ? 6 : -6), 11);
            cairo_line_to(cr, x + (side ? -4 : 4), 5);
            cairo_line_to(cr, x + (side ? -4 : 4), 17);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    });
    CRockerSwitch* rockers[3];
    for (int i = 0; i < 3; ++i) {
        rockers[i] = new CRockerSwitch(CRect(col0 + i * step, y, col0 + i * step + 60, y + 22), &listener, 70 + i, 22, rockerStrip);
        frame->addView(rockers[i]);
        stateLabel(i == 0 ? "pressed left" : i == 1 ? "at rest" : "pressed right", col0 + i * step + 30, y + 24);
    }
    rockers[0]->setValue(-1.0f);
    rockers[2]->setValue(1.0f);
    rockerStrip->forget();

    // CMovieBitmap: a five-step LED ladder at 0, 0.25 ... 1.
    y += 44;
    label("CMovieBitmap", 10, y + 6);
    CBitmap* ledStrip = paintStrip(50, 14, 5, [](cairo_t* cr, int k) {
        for (int led = 0; led < 4; ++led) {
            cairo_arc(cr, 7 + led * 12, 7, 5, 0, 2 * M_PI);
            if (led < k) cairo_set_source_rgb(cr, led == 3 ? 1.0 : 0.2, led == 3 ? 0.2 : 0.9, 0.2);
            else cairo_set_source_rgb(cr, 0.2, 0.22, 0.2);
            cairo_fill(cr);
        }
    });
    for (int i = 0; i < 5; ++i) {
        auto* movie = new CMovieBitmap(CRect(col0 + i * 95, y, col0 + i * 95 + 50, y + 14), &listener, 80 + i, ledStrip);
        movie->setValue(i * 0.25f);
        frame->addView(movie);
        stateLabel(i == 0 ? "0" : i == 1 ? "0.25" : i == 2 ? "0.5" : i == 3 ? "0.75" : "1", col0 + i * 95 + 25, y + 16);
    }
    ledStrip->forget();

    // CParamDisplay and CTextLabel: value text, alignments, a transparent one, one without frame.
    y += 40;
    label("CParamDisplay", 10, y + 4);
    for (int i = 0; i < 2; ++i) {
        auto* display = new CParamDisplay(CRect(col0 + i * step, y, col0 + i * step + 70, y + 20));
        display->setValue(i ? 0.75f : 0.25f);
        display->setBackColor(MakeCColor(10, 10, 12));
        display->setFrameColor(MakeCColor(120, 120, 130));
        display->setFontColor(MakeCColor(120, 230, 120));
        frame->addView(display);
        stateLabel(i ? "value 0.75" : "value 0.25", col0 + i * step + 35, y + 22);
    }
    y += 40;
    label("CTextLabel", 10, y + 4);
    const CHoriTxtAlign aligns[] = {kLeftText, kCenterText, kRightText};
    for (int i = 0; i < 3; ++i) {
        auto* text = new CTextLabel(CRect(col0 + i * step, y, col0 + i * step + 80, y + 20), "Velunor");
        text->setHoriAlign(aligns[i]);
        text->setFont(kNormalFontSmaller);
        text->setBackColor(MakeCColor(60, 50, 40));
        text->setFrameColor(MakeCColor(200, 160, 90));
        frame->addView(text);
        stateLabel(i == 0 ? "left" : i == 1 ? "centre" : "right", col0 + i * step + 40, y + 22);
    }
    auto* bare = new CTextLabel(CRect(col0 + 3 * step, y, col0 + 3 * step + 80, y + 20), "transparent");
    bare->setTransparency(true);
    bare->setStyle(CParamDisplay::kNoFrame);
    bare->setFontColor(MakeCColor(220, 213, 213));
    bare->setFont(kNormalFontVerySmall);
    frame->addView(bare);
    stateLabel("no back, no frame", col0 + 3 * step + 40, y + 22);

    // Hold the second kick button down while the picture is taken.
    frame->platformOnMouseDown(CPoint(col0 + step + 30, 62 + 13), kLButton);
    frame->idle();

    cairo_surface_t* picture = frame->getBackBuffer();
    // A few pixels that prove the states: the on button's orange, the pressed kick button's.
    EXPECT_TRUE(near(pixelAt(picture, static_cast<int>(col0 + step + 10), 25), Rgba{242, 153, 26, 255}, 3));
    EXPECT_TRUE(near(pixelAt(picture, static_cast<int>(col0 + 10), 25), Rgba{64, 64, 71, 255}, 3));
    EXPECT_TRUE(near(pixelAt(picture, static_cast<int>(col0 + step + 10), 62 + 13), Rgba{242, 153, 26, 255}, 3));

    const char* bin = std::getenv("VELUNOR_BIN_DIR");
    const std::string path = std::string(bin ? bin : ".") + "/gui-controls.png";
    ASSERT_EQ(cairo_surface_write_to_png(picture, path.c_str()), CAIRO_STATUS_SUCCESS) << path;
    cairo_surface_t* reread = cairo_image_surface_create_from_png(path.c_str());
    EXPECT_EQ(cairo_image_surface_get_width(reread), width);
    EXPECT_EQ(cairo_image_surface_get_height(reread), height);
    cairo_surface_destroy(reread);
    frame->platformOnMouseUp(CPoint(col0 + step + 30, 62 + 13), kLButton);
    frame->close();
}
