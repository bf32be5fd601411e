#pragma once
// The strip holders on an offscreen frame with a real effect, and a stand-in for the editor's
// dispatch between them: the effect's changes reach both holders (PROCESS also as the process
// state), the strips' gestures reach the holders, and the editor's own buttons (7 and 15) are
// automated as the editor automates them.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/CHelpHintLabel.h"
#include "effect/ParameterTable.h"
#include "effect/Templete.h"
#include "gui/CFrame.h"
#include "gui/CViewContainer.h"
#include "gui/VirtualKeys.h"
#include "platform/linux/LinuxPlatformFactory.h"
#include "strips/StripFiltersSafeEditor.h"
#include "strips/StripLabelSafeEditor.h"
#include "tests/effect/TestHost.h"
#include "tests/gui/GuiTestSupport.h"

namespace stripstest {

struct StripDispatch : AEffEditor, CControlListener {
    explicit StripDispatch(Templete* effect) : AEffEditor(effect) {}

    void setParameter(VstInt32 index, float value) override {
        if (!filters || !label) return;
        if (index == velunor::kProcess) filters->setProcessState(value);
        label->setParameter(index, value);
        filters->setParameter(index, value);
    }
    void valueChanged(CControl* control) override {
        const int32 tag = control->getTag();
        if (tag == velunor::kShowFilters || tag == velunor::kShowLabel)
            getEffect()->setParameterAutomated(tag, control->getValue());
        if (label) label->valueChanged(control);
        if (filters) filters->valueChanged(control);
    }

    StripFiltersSafeEditor* filters = nullptr;
    StripLabelSafeEditor* label = nullptr;
};

class StripsFixture : public ::testing::Test {
protected:
    static constexpr CCoord kFiltersTop = 169;
    static constexpr CCoord kLabelTop = 222;

    void SetUp() override {
        velunor::platform::installLinuxPlatform();
        velunor::testing::testHost() = {};
        effect = std::make_unique<Templete>(&velunor::testing::testHostCallback);
        dispatch = new StripDispatch(effect.get());
        effect->setEditor(dispatch);
        frame = guitest::makeOffscreenFrame(586, 261, &frameEditor);
        // The panels' hint lines, owned here.
        for (auto*& h : hints) h = new CHelpHintLabel(CRect(304, 0, 496, 14));
        filters = std::make_unique<StripFiltersSafeEditor>(dispatch, effect.get());
        label = std::make_unique<StripLabelSafeEditor>(dispatch, effect.get());
        filters->open(frame);
        label->open(frame);
        filters->setPanels(hints[0], hints[1], hints[2]);
        label->setPanels(hints[0], hints[1], hints[2]);
        dispatch->filters = filters.get();
        dispatch->label = label.get();
    }
    void TearDown() override {
        dispatch->filters = nullptr;
        dispatch->label = nullptr;
        label.reset();
        filters.reset();
        frame->close();
        for (auto* h : hints) h->forget();
    }

    // Both strips open under the meter, as the editor lays them out with every strip shown.
    void showBothOpen(int meter = 0) {
        filters->showOpen(CPoint(0, kFiltersTop), meter);
        label->showOpen(CPoint(0, kLabelTop), meter);
    }
    void set(int32 index, float value) { effect->setParameter(index, value); }
    float get(int32 index) { return effect->getParameter(index); }

    // A point of `view`, given in the view's own coordinates, as the frame sees it; its centre
    // by default.
    static CPoint at(CView* view) { return at(view, view->getViewSize().getCenter() - view->getViewSize().getTopLeft()); }
    static CPoint at(CView* view, CPoint local) {
        return view->getParentView()->getViewSize().getTopLeft() + view->getViewSize().getTopLeft() + local;
    }
    void press(CPoint p, int32 buttons = kLButton) { frame->platformOnMouseDown(p, buttons); }
    void release(CPoint p) { frame->platformOnMouseUp(p, 0); }
    void move(CPoint p, int32 buttons = kLButton) { frame->platformOnMouseMoved(p, buttons); }
    void hover(CPoint p) { frame->platformOnMouseMoved(p, 0); }
    void click(CPoint p, int32 buttons = kLButton) {
        press(p, buttons);
        release(p);
    }
    void key(unsigned char virt, int32 character = 0) {
        VstKeyCode k{character, virt, 0};
        frame->platformOnKeyDown(k);
    }
    void type(const std::string& text) {
        for (char c : text) key(0, c);
    }
    // Opens the field's edit, replaces its text and accepts it.
    void typeInto(CView* field, const std::string& text) {
        click(at(field));
        type(text);
        key(VKEY_RETURN);
    }

    std::unique_ptr<Templete> effect;
    StripDispatch* dispatch = nullptr;  // owned by the effect
    guitest::RecordingEditor frameEditor;
    CFrame* frame = nullptr;
    CHelpHintLabel* hints[3] = {};
    std::unique_ptr<StripFiltersSafeEditor> filters;
    std::unique_ptr<StripLabelSafeEditor> label;
};

}  // namespace stripstest
