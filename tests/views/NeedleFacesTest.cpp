// The needle faces drawn on the real artwork: each needle must cross its face exactly where the
// face's printed marks are, and the LED, the tint and the clicks must do what the panel expects.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "GuiTestSupport.h"
#include "gui/CDrawContext.h"
#include "views/CQVXPPMMeter2.h"
#include "views/CQVXRMSMeter2.h"
#include "views/CQVXVUMeter2.h"

using namespace guitest;
namespace scale = velunor::scale;

namespace {

constexpr int kPanelWidth = 586;
constexpr int kPanelHeight = 169;
constexpr int kPpmPanelId = 42001;
constexpr int kRmsPanelId = 41001;
const CPoint kOrigin(scale::kLeftViewOrigin.x, scale::kLeftViewOrigin.y);

// A panel-sized picture, opaque black unless something is drawn on it.
struct Picture {
    std::unique_ptr<CDrawContext> context = CDrawContext::createOffscreen(kPanelWidth, kPanelHeight);
    Picture() {
        context->setFillColor(kBlackCColor);
        context->drawRect(CRect(0, 0, kPanelWidth, kPanelHeight), kDrawFilled);
    }
    cairo_surface_t* surface() const { return context->getSurface(); }
    Rgba at(int x, int y) const { return pixelAt(surface(), x, y); }
    void drawBitmap(int id, const CRect& dest, const CPoint& offset) {
        CBitmap bitmap(id);
        ASSERT_TRUE(bitmap.isLoaded()) << "bitmap " << id;
        bitmap.draw(context.get(), dest, offset);
    }
    void drawPanel(int id) { drawBitmap(id, CRect(0, 0, kPanelWidth, kPanelHeight), CPoint(0, 0)); }
};

double luminance(const Rgba& c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }
double difference(const Rgba& a, const Rgba& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

// The angle (degrees) around `pivot` at which `weight` concentrates along the arc of `radius`
// between the two angles: the weighted centre of the samples, NaN when nothing weighs.
double centreOfWeight(scale::Point pivot, double radius, double fromDegrees, double toDegrees,
                      const std::function<double(int, int)>& weight) {
    double sum = 0, moment = 0;
    for (double a = fromDegrees; a <= toDegrees; a += 0.05) {
        const scale::Point p = scale::pointOnRay(pivot, radius, scale::degreesToRadians(a));
        const double w = weight(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)));
        sum += w;
        moment += w * a;
    }
    return sum > 0 ? moment / sum : std::nan("");
}

// Where a needle crosses the arc: the pixels that differ between the picture with it and without.
double needleAngle(const Picture& with, const Picture& without, scale::Point pivot, double radius) {
    return centreOfWeight(pivot, radius, 20, 160, [&](int x, int y) {
        const double d = difference(with.at(x, y), without.at(x, y));
        return d > 30 ? d : 0.0;
    });
}

// Where the face's printed mark nearest to `nearDegrees` lies on the arc: the samples that stand
// out from the face around them (dark ink on a light face, light ink on a dark one).
double markAngle(const Picture& face, scale::Point pivot, double radius, double nearDegrees, double window) {
    std::vector<double> levels;
    for (double a = nearDegrees - window; a <= nearDegrees + window; a += 0.05) {
        const scale::Point p = scale::pointOnRay(pivot, radius, scale::degreesToRadians(a));
        levels.push_back(luminance(face.at(static_cast<int>(std::floor(p.x)), static_cast<int>(std::floor(p.y)))));
    }
    std::nth_element(levels.begin(), levels.begin() + static_cast<long>(levels.size() / 2), levels.end());
    const double paper = levels[levels.size() / 2];
    return centreOfWeight(pivot, radius, nearDegrees - window, nearDegrees + window, [&](int x, int y) {
        const double d = std::abs(luminance(face.at(x, y)) - paper);
        return d > 40 ? d : 0.0;
    });
}

scale::Point panelPivot(const CQVXMeter2& view) { return {view.pivot.x, view.pivot.y}; }

// The VU view draws its own face: the bare face is the same frame of its film strip.
void drawBareVuFace(Picture& picture, int tint) {
    picture.drawBitmap(CQVXVUMeter2::kFaceBitmapId, CRect(kOrigin.x, kOrigin.y, kOrigin.x + 250, kOrigin.y + 122),
                       CPoint(0, tint * 122));
}

}  // namespace

TEST(NeedleFaces, TheVuNeedleCrossesTheDialAtItsMarks) {
    struct Case {
        const char* what;
        float level;
        double expectedDegrees;  // the reference points of the law
        double markDb;           // the printed mark the needle must cover, or NaN
    };
    const Case cases[] = {
        {"rest", -0.05f, 139.66, std::nan("")},
        {"0 VU", 1.0f, 77.75, 0.0},
        {"+3 VU", static_cast<float>(scale::levelFromDecibels(3.0)), scale::vuAngleDegrees(scale::levelFromDecibels(3.0)), 3.0},
    };
    Picture bare;
    drawBareVuFace(bare, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CQVXVUMeter2 view(kOrigin, nullptr);
        view.needleValue = c.level;
        Picture drawn;
        view.draw(drawn.context.get());
        const scale::Point pivot = panelPivot(view);
        // Just inside the dB arc, on plain paper.
        const double needle = needleAngle(drawn, bare, pivot, 112);
        EXPECT_NEAR(needle, c.expectedDegrees, 0.5);
        // The long marks of the dB scale, beyond the red band.
        const double minus20 = markAngle(bare, pivot, 123, scale::vuAngleDegrees(0.1), 2.0);
        if (std::isnan(c.markDb)) {
            // At rest the needle lies left of the scale's first mark.
            EXPECT_GT(needle, minus20 + 5.0);
        } else {
            EXPECT_NEAR(needle, markAngle(bare, pivot, 123, needle, 3.0), 0.5);
        }
    }
}

TEST(NeedleFaces, TheVuNeedlePassesUnderTheBezelStrip) {
    CQVXVUMeter2 view(kOrigin, nullptr);
    view.needleValue = 1.0f;
    Picture drawn, bare;
    view.draw(drawn.context.get());
    drawBareVuFace(bare, 0);
    const scale::Point pivot = panelPivot(view);
    // The needle runs on into the strip (y 116..122 of the view) but the strip hides it.
    const double t = scale::degreesToRadians(scale::vuAngleDegrees(1.0));
    bool needleAboveStrip = false;
    for (double r = 3; r < 134; r += 0.5) {
        const scale::Point p = scale::pointOnRay(pivot, r, t);
        const int x = static_cast<int>(p.x), y = static_cast<int>(p.y);
        if (y >= kOrigin.y + 116 && y < kOrigin.y + 122) {
            EXPECT_EQ(drawn.at(x, y), bare.at(x, y)) << "r " << r;
        }
        if (y < kOrigin.y + 110 && difference(drawn.at(x, y), bare.at(x, y)) > 60) needleAboveStrip = true;
    }
    EXPECT_TRUE(needleAboveStrip);
}

TEST(NeedleFaces, ThePpmNeedleCrossesItsMarks) {
    Picture bare;
    bare.drawPanel(kPpmPanelId);
    for (int mark : {2, 4, 6}) {
        SCOPED_TRACE(mark);
        CQVXPPMMeter2 view(kOrigin, nullptr);
        view.needleValue = static_cast<float>(scale::ppmMarkLevel(mark));
        Picture drawn;
        drawn.drawPanel(kPpmPanelId);
        view.draw(drawn.context.get());
        const scale::Point pivot = panelPivot(view);
        const double needle = needleAngle(drawn, bare, pivot, 65);
        if (mark == 4) {
            EXPECT_NEAR(needle, 89.69, 0.5);
        }
        EXPECT_NEAR(needle, markAngle(bare, pivot, 92, needle, 3.0), 0.5);
    }
}

TEST(NeedleFaces, TheRmsNeedlesCrossTheirMarksAndThePeakNeedleHasARedTip) {
    Picture bare;
    bare.drawPanel(kRmsPanelId);
    for (double db : {0.0, -10.0, -20.0}) {
        SCOPED_TRACE(db);
        CQVXRMSMeter2 view(kOrigin, nullptr);
        view.rmsValue = static_cast<float>(scale::levelFromDecibels(db));
        Picture drawn;
        drawn.drawPanel(kRmsPanelId);
        view.draw(drawn.context.get());
        const scale::Point pivot = panelPivot(view);
        const double needle = needleAngle(drawn, bare, pivot, 90);
        if (db == 0.0) {
            EXPECT_NEAR(needle, 51.89, 0.5);
        }
        EXPECT_NEAR(needle, markAngle(bare, pivot, 108, needle, 3.0), 0.5);
    }
    // The peak needle at 0 dB over a resting RMS needle: red at its tip, cream further in.
    CQVXRMSMeter2 view(kOrigin, nullptr);
    view.peakValue = 1.0f;
    Picture drawn;
    drawn.drawPanel(kRmsPanelId);
    view.draw(drawn.context.get());
    const double t = scale::degreesToRadians(51.89);
    const scale::Point tip = scale::pointOnRay(panelPivot(view), 112, t);
    const Rgba red = drawn.at(static_cast<int>(tip.x), static_cast<int>(tip.y));
    EXPECT_GT(red.r, 120);
    EXPECT_LT(red.g, 80);
    const scale::Point body = scale::pointOnRay(panelPivot(view), 60, t);
    EXPECT_TRUE(near(drawn.at(static_cast<int>(body.x), static_cast<int>(body.y)), {237, 230, 201, 255}, 12));
}

TEST(NeedleFaces, DrawingNeitherChangesTheValuesNorThePicture) {
    CQVXRMSMeter2 view(kOrigin, nullptr);
    view.rmsValue = 0.3f;
    view.peakValue = 0.7f;
    view.holdValue = 0.9f;
    view.showHold = true;
    Picture first, second;
    first.drawPanel(kRmsPanelId);
    second.drawPanel(kRmsPanelId);
    view.setDirty(true);
    view.draw(first.context.get());
    EXPECT_FALSE(view.isDirty());
    view.draw(second.context.get());
    EXPECT_EQ(view.rmsValue, 0.3f);
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x) ASSERT_EQ(first.at(x, y), second.at(x, y)) << x << "," << y;
}

TEST(NeedleFaces, TheHoldMarkerShowsOnlyWhenAsked) {
    CQVXPPMMeter2 view(kOrigin, nullptr);
    view.holdValue = static_cast<float>(scale::ppmMarkLevel(5));
    const scale::Point p = scale::pointOnRay(panelPivot(view), 114, scale::ppmAngleRadians(view.holdValue));
    for (bool shown : {false, true}) {
        view.showHold = shown;
        Picture drawn;
        view.draw(drawn.context.get());
        const Rgba c = drawn.at(static_cast<int>(p.x), static_cast<int>(p.y));
        EXPECT_EQ(c.r > 150 && c.g < 40, shown) << c;
    }
}

TEST(NeedleFaces, TheLedShowsTheFrameOfItsStateAndNoneOutOfRange) {
    CBitmap led(CQVXMeter2::kLedBitmapId);
    ASSERT_TRUE(led.isLoaded());
    auto ledFrameCentre = [&](int frame) { return pixelAt(led.getSurface(), 10, 20 * frame + 10); };
    ASSERT_NE(ledFrameCentre(0), ledFrameCentre(2));
    struct Case {
        int32 state;
        int frame;  // -1: no LED drawn
    };
    for (const Case& c : {Case{-1, 0}, Case{0, 1}, Case{1, 2}, Case{2, -1}, Case{-2, -1}}) {
        SCOPED_TRACE(c.state);
        CQVXPPMMeter2 view(kOrigin, nullptr);
        view.ledState = c.state;
        Picture drawn;
        view.draw(drawn.context.get());
        const int cx = static_cast<int>(view.ledRect.left) + 10, cy = static_cast<int>(view.ledRect.top) + 10;
        if (c.frame < 0)
            EXPECT_EQ(drawn.at(cx, cy), (Rgba{0, 0, 0, 255}));
        else
            EXPECT_TRUE(near(drawn.at(cx, cy), ledFrameCentre(c.frame))) << drawn.at(cx, cy);
        // The needle is drawn whatever the LED does.
        const scale::Point n = scale::pointOnRay(panelPivot(view), 60, scale::degreesToRadians(150));
        EXPECT_GT(drawn.at(static_cast<int>(n.x), static_cast<int>(n.y)).r, 100);
    }
}

TEST(NeedleFaces, TheVuFaceShowsTheTintFrameAndItsLedSitsOnTheFace) {
    CQVXVUMeter2 view(kOrigin, nullptr);
    EXPECT_EQ(view.ledRect, CRect(kOrigin.x + 181, kOrigin.y + 90, kOrigin.x + 201, kOrigin.y + 110));
    EXPECT_EQ(view.stripRect, CRect(kOrigin.x, kOrigin.y + 116, kOrigin.x + 250, kOrigin.y + 122));
    // A corner of the paper away from the needle and the LED.
    const int x = static_cast<int>(kOrigin.x) + 30, y = static_cast<int>(kOrigin.y) + 40;
    std::vector<Rgba> seen;
    for (int tint = 0; tint < scale::kVuTintCount; ++tint) {
        view.tintIndex = tint;
        Picture drawn, bare;
        view.draw(drawn.context.get());
        drawBareVuFace(bare, tint);
        EXPECT_EQ(drawn.at(x, y), bare.at(x, y)) << "tint " << tint;
        seen.push_back(drawn.at(x, y));
    }
    for (int tint = 1; tint < scale::kVuTintCount; ++tint) EXPECT_NE(seen[tint], seen[tint - 1]);
}

TEST(NeedleFaces, ALeftClickReportsTag67OnceAndOtherButtonsAreNotHandled) {
    RecordingListener listener;
    CQVXRMSMeter2 view(kOrigin, &listener);
    EXPECT_EQ(view.getTag(), 67);
    EXPECT_EQ(view.getValue(), 0.0f);
    CPoint where(100, 60);
    EXPECT_EQ(view.onMouseDown(where, CButtonState(kRButton)), kMouseEventNotHandled);
    EXPECT_EQ(view.onMouseDown(where, CButtonState(kMButton)), kMouseEventNotHandled);
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_EQ(view.onMouseDown(where, CButtonState(kLButton | kShift)), kMouseEventHandled);
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].control, &view);
    EXPECT_EQ(listener.changes[0].tag, 67);
    view.onMouseUp(where, CButtonState(kLButton));
    EXPECT_EQ(listener.changes.size(), 1u);
}

TEST(NeedleFaces, TypeTestsAndCopiesAnswerForTheBase) {
    CQVXVUMeter2 view(kOrigin, nullptr);
    for (const char* name : {"CQVXMeter2", "CControl", "CView", "CBaseObject"}) EXPECT_TRUE(view.isTypeOf(name)) << name;
    EXPECT_FALSE(view.isTypeOf("CSlider"));
    const int32 ledReferences = view.ledBitmap->getNbReference();
    CView* copy = view.newCopy();
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->getClassName(), "CQVXMeter2");
    EXPECT_EQ(copy->getViewSize(), view.getViewSize());
    EXPECT_EQ(view.ledBitmap->getNbReference(), ledReferences + 1);
    copy->forget();
    EXPECT_EQ(view.ledBitmap->getNbReference(), ledReferences);
}

TEST(NeedleFaces, AVuLevelWithoutAValueRestsTheNeedle) {
    CQVXVUMeter2 rest(kOrigin, nullptr), broken(kOrigin, nullptr);
    broken.needleValue = std::nanf("");
    Picture a, b;
    rest.draw(a.context.get());
    broken.draw(b.context.get());
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x) ASSERT_EQ(a.at(x, y), b.at(x, y)) << x << "," << y;
}
