// The view tree: ownership and reference counts, mouse routing, hover and enter/exit, focus and
// keys, and the dirty-flag redraw, all on an offscreen frame.
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "GuiTestSupport.h"
#include "gui/CViewContainer.h"

using namespace guitest;

namespace {

// Records every event it sees as "name:event@x,y", in its parent's coordinates.
class ProbeView : public CView {
public:
    ProbeView(const CRect& r, std::string name, std::vector<std::string>& log,
              CMouseEventResult downResult = kMouseEventHandled, bool* destroyed = nullptr)
        : CView(r), name_(std::move(name)), log_(log), downResult_(downResult), destroyed_(destroyed) {}
    ~ProbeView() override {
        if (destroyed_) *destroyed_ = true;
    }
    void draw(CDrawContext* context) override {
        ++draws;
        CView::draw(context);
    }
    CMouseEventResult onMouseDown(CPoint& p, const CButtonState&) override { return note("down", p, downResult_); }
    CMouseEventResult onMouseUp(CPoint& p, const CButtonState&) override { return note("up", p, kMouseEventHandled); }
    CMouseEventResult onMouseMoved(CPoint& p, const CButtonState&) override { return note("moved", p, kMouseEventHandled); }
    CMouseEventResult onMouseEntered(CPoint& p, const CButtonState&) override { return note("entered", p, kMouseEventHandled); }
    CMouseEventResult onMouseExited(CPoint& p, const CButtonState&) override { return note("exited", p, kMouseEventHandled); }
    bool onWheel(const CPoint& p, const float& d, const CButtonState&) override {
        std::ostringstream s;
        s << name_ << ":wheel" << d << "@" << p.x << "," << p.y;
        log_.push_back(s.str());
        return true;
    }
    using CView::onWheel;
    int32 onKeyDown(VstKeyCode& key) override {
        log_.push_back(name_ + ":key" + std::to_string(key.character));
        return 1;
    }
    void looseFocus() override { log_.push_back(name_ + ":looseFocus"); }
    int draws = 0;

private:
    CMouseEventResult note(const char* what, const CPoint& p, CMouseEventResult result) {
        std::ostringstream s;
        s << name_ << ":" << what << "@" << p.x << "," << p.y;
        log_.push_back(s.str());
        return result;
    }
    std::string name_;
    std::vector<std::string>& log_;
    CMouseEventResult downResult_;
    bool* destroyed_;
};

class TrackedBitmap : public CBitmap {
public:
    explicit TrackedBitmap(bool& destroyed) : CBitmap(4, 4), destroyed_(destroyed) {}
    ~TrackedBitmap() override { destroyed_ = true; }

private:
    bool& destroyed_;
};

// The log without the hover events, for tests about clicks.
std::vector<std::string> clicksOnly(const std::vector<std::string>& log) {
    std::vector<std::string> out;
    for (const auto& e : log)
        if (e.find(":entered") == std::string::npos && e.find(":exited") == std::string::npos) out.push_back(e);
    return out;
}

struct ViewTree : ::testing::Test {
    std::vector<std::string> log;
    CFrame* frame = makeOffscreenFrame(200, 100);
    void TearDown() override {
        if (frame) frame->close();
    }
};

}  // namespace

TEST_F(ViewTree, ContainersOwnTheirViewsAndReleaseThemOnRequest) {
    bool keptDestroyed = false, releasedDestroyed = false, closedDestroyed = false;
    auto* kept = new ProbeView(CRect(0, 0, 10, 10), "kept", log, kMouseEventHandled, &keptDestroyed);
    auto* released = new ProbeView(CRect(0, 0, 10, 10), "released", log, kMouseEventHandled, &releasedDestroyed);
    auto* closed = new ProbeView(CRect(0, 0, 10, 10), "closed", log, kMouseEventHandled, &closedDestroyed);
    frame->addView(kept);
    frame->addView(released);
    frame->addView(closed);
    EXPECT_EQ(kept->getNbReference(), 1) << "addView takes over the creator's reference";
    EXPECT_EQ(frame->getNbViews(), 3);
    EXPECT_EQ(frame->getView(0), kept) << "children keep their order";

    EXPECT_TRUE(frame->removeView(kept, false));
    EXPECT_FALSE(keptDestroyed);
    EXPECT_EQ(kept->getNbReference(), 1);
    EXPECT_FALSE(kept->isAttached());
    EXPECT_TRUE(frame->removeView(released, true));
    EXPECT_TRUE(releasedDestroyed);
    EXPECT_FALSE(frame->removeView(released, true)) << "a view that is no child is not removed twice";

    frame->close();
    frame = nullptr;
    EXPECT_TRUE(closedDestroyed) << "closing the frame releases every view";
    EXPECT_FALSE(keptDestroyed);
    kept->forget();
    EXPECT_TRUE(keptDestroyed);
}

TEST_F(ViewTree, ViewsHoldTheirBitmapsUntilTheyAreFreed) {
    bool destroyed = false;
    CBitmap* bitmap = new TrackedBitmap(destroyed);
    auto* a = new CView(CRect(0, 0, 4, 4));
    auto* b = new CView(CRect(4, 0, 8, 4));
    a->setBackground(bitmap);
    b->setBackground(bitmap);
    EXPECT_EQ(bitmap->getNbReference(), 3);
    bitmap->forget();
    frame->addView(a);
    frame->addView(b);
    frame->removeView(a);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(bitmap->getNbReference(), 1);
    frame->removeView(b);
    EXPECT_TRUE(destroyed);
}

TEST_F(ViewTree, MouseReachesTheTopmostViewInItsParentsCoordinates) {
    auto* inner = new CViewContainer(CRect(50, 20, 150, 80));
    auto* bottom = new ProbeView(CRect(10, 10, 40, 40), "bottom", log);
    auto* top = new ProbeView(CRect(10, 10, 40, 40), "top", log);
    inner->addView(bottom);
    inner->addView(top);
    frame->addView(inner);

    // (60, 30) in the frame is (10, 10) in the container: the top-left corner is inside.
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(60, 30), kLButton), kMouseEventHandled);
    frame->platformOnMouseMoved(CPoint(70, 35), kLButton);
    frame->platformOnMouseUp(CPoint(71, 36), kLButton);
    EXPECT_EQ(clicksOnly(log), (std::vector<std::string>{"top:down@10,10", "top:moved@20,15", "top:up@21,16"}));

    log.clear();
    // The right and bottom edges lie outside (half-open rectangles).
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(90, 60), kLButton), kMouseEventNotHandled);
    EXPECT_TRUE(log.empty());

    top->setVisible(false);
    frame->platformOnMouseDown(CPoint(60, 30), kLButton);
    frame->platformOnMouseUp(CPoint(60, 30), kLButton);
    top->setVisible(true);
    top->setMouseEnabled(false);
    frame->platformOnMouseDown(CPoint(61, 30), kLButton);
    frame->platformOnMouseUp(CPoint(61, 30), kLButton);
    EXPECT_EQ(clicksOnly(log), (std::vector<std::string>{"bottom:down@10,10", "bottom:up@10,10", "bottom:down@11,10",
                                             "bottom:up@11,10"}))
        << "hidden and mouse-disabled views are skipped";
}

TEST_F(ViewTree, AnOpaqueViewThatDeclinesEndsTheSearchATransparentOneDoesNot) {
    auto* below = new ProbeView(CRect(0, 0, 50, 50), "below", log);
    auto* above = new ProbeView(CRect(0, 0, 50, 50), "above", log, kMouseEventNotHandled);
    frame->addView(below);
    frame->addView(above);
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(5, 5), kLButton), kMouseEventNotHandled);
    EXPECT_EQ(log, (std::vector<std::string>{"above:down@5,5"}));

    log.clear();
    above->setTransparency(true);
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(5, 5), kLButton), kMouseEventHandled);
    EXPECT_EQ(log, (std::vector<std::string>{"above:down@5,5", "below:down@5,5"}));
}

TEST_F(ViewTree, AViewThatNeedsNoMovesGetsNeitherMovesNorUp) {
    auto* view = new ProbeView(CRect(0, 0, 50, 50), "v", log, kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    frame->addView(view);
    EXPECT_EQ(frame->platformOnMouseDown(CPoint(5, 5), kLButton), kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    frame->platformOnMouseMoved(CPoint(6, 6), kLButton);
    frame->platformOnMouseUp(CPoint(6, 6), kLButton);
    // Without a held gesture the pointer's moves are hover moves to the view under it, which
    // starts with an enter.
    EXPECT_EQ(log, (std::vector<std::string>{"v:down@5,5", "v:entered@6,6", "v:moved@6,6"}));
}

TEST_F(ViewTree, HoverMovesAndEnterExitFollowThePointer) {
    auto* inner = new CViewContainer(CRect(100, 0, 200, 100));
    auto* a = new ProbeView(CRect(0, 0, 50, 50), "a", log);
    auto* b = new ProbeView(CRect(10, 10, 30, 30), "b", log);
    frame->addView(a);
    inner->addView(b);
    frame->addView(inner);

    frame->platformOnMouseMoved(CPoint(5, 5), 0);
    frame->platformOnMouseMoved(CPoint(6, 5), 0);
    frame->platformOnMouseMoved(CPoint(115, 15), 0);
    frame->platformOnMouseExited(CPoint(300, 15), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a:entered@5,5", "a:moved@5,5", "a:moved@6,5", "a:exited@115,15",
                                             "b:entered@15,15", "b:moved@15,15", "b:exited@200,15"}));
    EXPECT_EQ(frame->getMouseView(), nullptr);

    frame->platformOnMouseMoved(CPoint(5, 5), 0);
    frame->removeView(a);
    EXPECT_EQ(frame->getMouseView(), nullptr) << "a removed view is forgotten, not exited later";
}

TEST_F(ViewTree, TheVerticalWheelReachesTheViewUnderThePointerTheHorizontalDoesNot) {
    frame->addView(new ProbeView(CRect(10, 10, 50, 50), "v", log));
    EXPECT_TRUE(frame->platformOnMouseWheel(CPoint(20, 20), kMouseWheelAxisY, 1.0f, 0));
    EXPECT_FALSE(frame->platformOnMouseWheel(CPoint(20, 20), kMouseWheelAxisX, 1.0f, 0));
    EXPECT_FALSE(frame->platformOnMouseWheel(CPoint(60, 20), kMouseWheelAxisY, -1.0f, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"v:wheel1@20,20"}));
}

TEST_F(ViewTree, KeysGoToTheFocusViewUntilAClickElsewhere) {
    auto* edit = new ProbeView(CRect(0, 0, 50, 20), "edit", log);
    auto* other = new ProbeView(CRect(0, 50, 50, 70), "other", log, kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    frame->addView(edit);
    frame->addView(other);
    VstKeyCode key{'x', 0, 0};
    EXPECT_EQ(frame->platformOnKeyDown(key), -1) << "without a focus view no key is used";
    frame->setFocusView(edit);
    EXPECT_EQ(frame->platformOnKeyDown(key), 1);
    frame->platformOnMouseDown(CPoint(10, 10), kLButton);  // inside: focus stays
    frame->platformOnMouseUp(CPoint(10, 10), kLButton);
    EXPECT_EQ(frame->getFocusView(), edit);
    frame->platformOnMouseDown(CPoint(10, 60), kLButton);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(clicksOnly(log), (std::vector<std::string>{"edit:key120", "edit:down@10,10", "edit:up@10,10",
                                             "edit:looseFocus", "other:down@10,60"}));
}

TEST_F(ViewTree, IdleRedrawsOnlyDirtyViewsAndInvalidDrawsAtOnce) {
    auto* a = new ProbeView(CRect(0, 0, 20, 20), "a", log);
    auto* b = new ProbeView(CRect(100, 0, 120, 20), "b", log);
    frame->addView(a);
    frame->addView(b);
    const int aDraws = a->draws, bDraws = b->draws;
    frame->idle();
    EXPECT_EQ(a->draws, aDraws) << "nothing is dirty";

    // Only a flag is set, so any thread may do it.
    std::thread([a] { a->setDirty(); }).join();
    EXPECT_TRUE(frame->isDirty());
    frame->idle();
    EXPECT_EQ(a->draws, aDraws + 1);
    EXPECT_EQ(b->draws, bDraws);
    EXPECT_FALSE(a->isDirty());
    frame->idle();
    EXPECT_EQ(a->draws, aDraws + 1);

    b->invalid();
    EXPECT_EQ(b->draws, bDraws + 1);
    b->setVisible(false);
    b->setDirty();
    frame->idle();
    EXPECT_EQ(b->draws, bDraws + 1) << "hidden views are not drawn, not even as they hide";
}

TEST_F(ViewTree, DrawingIsClippedToEachViewAndNestedContainersDrawAtTheirOffset) {
    auto* inner = new CViewContainer(CRect(50, 10, 150, 90));
    inner->setBackgroundColor(MakeCColor(0, 0, 255));
    CBitmap* strip = makeFilmStrip(200, 200, 1);  // larger than the view it fills
    auto* view = new CView(CRect(10, 10, 30, 30));
    view->setBackground(strip);
    strip->forget();
    inner->addView(view);
    frame->addView(inner);
    frame->idle();
    cairo_surface_t* s = frame->getBackBuffer();
    EXPECT_EQ(pixelAt(s, 60, 20), frameColor(0)) << "the child's corner, at container (50,10) + (10,10)";
    EXPECT_EQ(pixelAt(s, 79, 39), frameColor(0));
    EXPECT_EQ(pixelAt(s, 80, 40), (Rgba{0, 0, 255, 255})) << "the bitmap is cut at the view's edge";
    EXPECT_EQ(pixelAt(s, 45, 20), (Rgba{0, 0, 0, 255})) << "outside the container: the frame's background";
}
