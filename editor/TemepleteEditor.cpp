#include "editor/TemepleteEditor.h"

#include "editor/MyFrame.h"
#include "effect/Templete.h"
#include "views/CQVXMeterFULLPANEL.h"
#include "views/CQVXPPMMeterFULLPANEL.h"
#include "views/CQVXRMSMeterFULLPANEL.h"
#include "views/CQVXVUMeterFULLPANEL.h"

namespace {

constexpr VstInt32 kProcess = 0;
constexpr VstInt32 kMeter = 3;
constexpr VstInt32 kStrips = 6;
constexpr VstInt32 kShowFilters = 7;
constexpr VstInt32 kShowLabel = 15;
// The strips' heights, open and closed.
constexpr int kFiltersOpen = 53;
constexpr int kFiltersClosed = 13;
constexpr int kLabelOpen = 39;
constexpr int kLabelClosed = 13;

int onOff(float v) { return static_cast<int>(v + 0.5f); }
bool isAutomated(int32 tag) { return (tag >= 0 && tag <= 7) || tag == kShowLabel; }

}  // namespace

TemepleteEditor::TemepleteEditor(Templete* effect) : CPresetSystemEditor(effect), templete_(effect) {
    auto* background = new CBitmap(kBackgroundPicture);
    if (background->isLoaded())
        background_ = background;
    else
        background->forget();
    rect = ERect{0, 0, kInitialHeight, kWidth};
}

TemepleteEditor::~TemepleteEditor() {
    // The effect deletes its editor from its base's destructor, when it is a Templete no more:
    // the window goes without a word to it, and it is reached as the AudioEffect it still is.
    if (frame) closeWindow();
    if (background_) background_->forget();
    if (AudioEffect* e = getEffect()) e->setEditor(nullptr);
}

int TemepleteEditor::windowHeight(bool strips, bool filtersOpen, bool labelOpen) {
    if (!strips) return kFrontPanelHeight;
    return kFrontPanelHeight + (filtersOpen ? kFiltersOpen : kFiltersClosed) + (labelOpen ? kLabelOpen : kLabelClosed);
}

CQVXMeterFULLPANEL* TemepleteEditor::panel(int meterIndex) const {
    if (meterIndex < 0 || meterIndex > 2) return nullptr;
    return panels_[static_cast<std::size_t>(meterIndex)].get();
}

bool TemepleteEditor::open(void* parentWindow) {
    parentWindow_ = parentWindow;
    if (!background_ || !parentWindow || !templete_) return false;
    uiThread_ = std::this_thread::get_id();
    CPresetSystemEditor::open(parentWindow);

    auto* myFrame = new MyFrame(CRect(rect.left, rect.top, rect.left + kWidth, rect.top + kInitialHeight),
                                parentWindow, this);
    if (!myFrame->isOpen()) {
        myFrame->forget();
        CPresetSystemEditor::close();
        parentWindow_ = nullptr;
        return false;
    }
    frame = myFrame;
    myFrame->takeFocusOnClick = true;
    frame->setBackground(background_);

    setKnobMode(kLinearKnobMode);
    currentMeter_ = -1;
    stripCache_ = {-1, -1, -1};

    panels_[0] = std::make_unique<CQVXVUMeterFULLPANEL>(this, templete_);
    panels_[1] = std::make_unique<CQVXRMSMeterFULLPANEL>(this, templete_);
    panels_[2] = std::make_unique<CQVXPPMMeterFULLPANEL>(this, templete_);
    for (auto& p : panels_) p->open(frame, nullptr);

    selectMeter(templete_->getParameter(kMeter));
    // Strip holders: built here (filters, then label), opened on the frame and given the three
    // panels with setPanels. Until they exist no layout has been applied, so the first one, with
    // its resize, is this one.
    stripCache_ = {-1, -1, -1};
    layoutStrips();
    templete_->blockClock().setEditorWindowOpen(true);
    return true;
}

void TemepleteEditor::close() {
    if (templete_) templete_->blockClock().setEditorWindowOpen(false);
    closeWindow();
}

void TemepleteEditor::closeWindow() {
    parentWindow_ = nullptr;
    // Strip holders: closed (label, then filters) and deleted here.
    for (auto& p : panels_)
        if (p) p->close();
    for (auto& p : panels_) p.reset();
    CPresetSystemEditor::close();
}

double TemepleteEditor::blockPhase() const {
    const double now = frame ? frame->getTicks() * 0.001 : 0.0;
    const double duration = templete_->lastBlockDuration();
    // Before the first block there is no duration to divide by.
    if (!(duration > 0.0)) return 0.0;
    const double phase = (now - templete_->lastBlockTime()) / duration;
    return phase > 0.0 ? phase : 0.0;
}

void TemepleteEditor::idle() {
    if (frame) {
        mailbox_.drain([this](VstInt32 index, float value) { applyParameter(index, value); });
        // Strip holders: the label strip animates here.
        if (CQVXMeterFULLPANEL* p = panel(currentMeter_)) p->idle(blockPhase());
    }
    // Last, so that the frame draws the needles of this tick: the base lets the frame handle the
    // window's events and redraw, then reports a manual that failed to open.
    CPresetSystemEditor::idle();
}

void TemepleteEditor::setParameter(VstInt32 index, float value) {
    if (!onUserInterfaceThread()) {
        mailbox_.post(index, value);
        return;
    }
    mailbox_.discard(index);
    applyParameter(index, value);
}

void TemepleteEditor::applyParameter(VstInt32 index, float value) {
    if (!frame) return;
    switch (index) {
    case kProcess: break;  // strip holders: the filters strip's setProcessState(value)
    case kMeter: selectMeter(value); break;
    case kStrips:
    case kShowFilters:
    case kShowLabel: layoutStrips(); break;
    default: break;
    }
    // Strip holders: (index, value) goes to the label strip, then the filters strip.
    for (auto& p : panels_)
        if (p) p->parameterChanged(index, value);
}

void TemepleteEditor::valueChanged(CControl* control) {
    CPresetSystemEditor::valueChanged(control);
    if (!control) return;
    const int32 tag = control->getTag();
    if (isAutomated(tag)) {
        templete_->setParameterAutomated(tag, control->getValue());
        control->setDirty(true);
    }
    if (CQVXMeterFULLPANEL* p = panel(currentMeter_)) p->controlChanged(control);
    // Strip holders: the control goes to the label strip, then the filters strip.
}

void TemepleteEditor::selectMeter(float value) {
    const int index = static_cast<int>(value * 2.0f + 0.5f);
    if (index == currentMeter_) return;
    currentMeter_ = index;
    if (CQVXMeterFULLPANEL* chosen = panel(index)) {
        for (auto& p : panels_)
            if (p) p->detach();
        chosen->refresh();
    }
    stripCache_[0] = -1;
    layoutStrips();
}

void TemepleteEditor::layoutStrips() {
    if (!frame || !templete_) return;
    const std::array<int, 3> now{onOff(templete_->getParameter(kStrips)), onOff(templete_->getParameter(kShowFilters)),
                                 onOff(templete_->getParameter(kShowLabel))};
    if (now == stripCache_) return;
    stripCache_ = now;
    // The window follows the strip parameters even while the strip holders are missing; the
    // holders are placed only when they exist. Strip holders: with Strips on, the filters strip at
    // (0, 169) open or closed, then the label strip right below it, for currentMeter_.
    // The window is resized only when the height changes, so a meter switch asks the host for
    // nothing; yet a switch applied at idle may come before a strip change that was posted with
    // it, and then the switch's layout is the one that must resize.
    resizeEditor(windowHeight(now[0] == 1, now[1] == 1, now[2] == 1));
}

void TemepleteEditor::resizeEditor(int height) {
    if (!frame || height <= 0) return;
    if (rect.bottom - rect.top == height) {
        if (frame->getHeight() != height) frame->setSize(frame->getWidth(), height);
        return;
    }
    rect.bottom = static_cast<VstInt16>(rect.top + height);
    frame->setSize(frame->getWidth(), height);
    sizeWindow(rect.right, rect.bottom);
    frame->invalid();
    frame->setDirty(true);
}
