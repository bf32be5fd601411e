// The strips in the plug-in's own editor, offscreen: where the layout puts them for every
// combination of the three strip switches, one resize request per change of height, and the strips
// of the meter that is shown.

#include <utility>
#include <vector>

#include "gui/CViewContainer.h"
#include "strips/StripFiltersSafeEditor.h"
#include "strips/StripLabelSafeEditor.h"
#include "tests/editor/EditorFixture.h"

namespace editortest {
namespace {

using velunor::kMeter;
using velunor::kShowFilters;
using velunor::kShowLabel;
using velunor::kStrips;

// The strip editor of a holder that is on the frame, with its form and meter; null when none is.
template <typename Holder>
auto* attached(Holder* holder, StripForm& form, int& meter) {
    decltype(holder->get(StripForm::open, 0)) found = nullptr;
    for (int m = 0; m < 3; ++m)
        for (StripForm f : {StripForm::open, StripForm::closed})
            if (auto* strip = holder->get(f, m); strip && strip->isShown()) {
                EXPECT_EQ(found, nullptr) << "two strips shown";
                found = strip;
                form = f;
                meter = m;
            }
    return found;
}

TEST_F(EditorFixture, TheStripsLieWhereTheLayoutPutsThemAndTheWindowFollows) {
    // One switch at a time, from the window a fresh instance opens with (Strips on, both closed).
    struct Step {
        VstInt32 index;
        float value;
        int height;
        CCoord filtersTop, labelTop;  // -1: not shown
    };
    const Step steps[] = {
        {kShowLabel, 1, 221, 169, 182},   {kShowFilters, 1, 261, 169, 222}, {kShowLabel, 0, 235, 169, 222},
        {kStrips, 0, 169, -1, -1},        {kShowFilters, 0, 169, -1, -1},   {kShowLabel, 1, 169, -1, -1},
        {kStrips, 1, 221, 169, 182},      {kShowLabel, 0, 195, 169, 182},
    };
    ASSERT_TRUE(openEditor());
    ASSERT_NE(editor->filtersStrip(), nullptr);
    ASSERT_NE(editor->labelStrip(), nullptr);
    ASSERT_EQ(windowHeight(), 195);
    for (const Step& l : steps) {
        SCOPED_TRACE(testing::Message() << "parameter " << l.index << " = " << l.value);
        const int heightBefore = windowHeight();
        hostLog().resizes.clear();
        effect->setParameter(l.index, l.value);
        EXPECT_EQ(windowHeight(), l.height);
        EXPECT_EQ(frame()->getHeight(), l.height);
        // One request per change of height, none without.
        EXPECT_EQ(hostLog().resizes.size(), l.height == heightBefore ? 0u : 1u);
        const bool filtersOpen = effect->getParameter(kShowFilters) > 0.5f;
        const bool labelOpen = effect->getParameter(kShowLabel) > 0.5f;

        StripForm form{};
        int meter = -1;
        auto* filters = attached(editor->filtersStrip(), form, meter);
        if (l.filtersTop < 0) {
            // Not placed: whatever was placed last lies below the window's edge.
            if (filters) {
                EXPECT_GE(filters->getContainer()->getViewSize().top, l.height);
            }
        } else {
            ASSERT_NE(filters, nullptr);
            EXPECT_EQ(form, filtersOpen ? StripForm::open : StripForm::closed);
            EXPECT_EQ(meter, 0);
            EXPECT_EQ(filters->getContainer()->getViewSize().top, l.filtersTop);
        }
        auto* label = attached(editor->labelStrip(), form, meter);
        if (l.labelTop >= 0) {
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(form, labelOpen ? StripForm::open : StripForm::closed);
            EXPECT_EQ(label->getContainer()->getViewSize().top, l.labelTop);
            EXPECT_EQ(label->getContainer()->getViewSize().bottom, l.height);
        }
    }
}

TEST_F(EditorFixture, TheStripsFollowTheMeter) {
    effect->setParameter(kStrips, 1.0f);
    effect->setParameter(kShowFilters, 1.0f);
    ASSERT_TRUE(openEditor());
    for (const auto& [value, index] : std::vector<std::pair<float, int>>{{0.5f, 1}, {1.0f, 2}, {0.0f, 0}}) {
        hostLog().resizes.clear();
        effect->setParameter(kMeter, value);
        StripForm form{};
        int meter = -1;
        ASSERT_NE(attached(editor->filtersStrip(), form, meter), nullptr);
        EXPECT_EQ(meter, index);
        EXPECT_EQ(form, StripForm::open);
        ASSERT_NE(attached(editor->labelStrip(), form, meter), nullptr);
        EXPECT_EQ(meter, index);
        EXPECT_EQ(form, StripForm::closed);
        // The height stays: no request.
        EXPECT_TRUE(hostLog().resizes.empty());
    }
}

TEST_F(EditorFixture, StripGesturesGoThroughTheEditorToTheEffect) {
    effect->setParameter(velunor::kProcess, 1.0f);
    effect->setParameter(kStrips, 1.0f);
    ASSERT_TRUE(openEditor());
    // The closed filters bar's open button, then the open strip's FILTERS IN switch.
    click(CPoint(580, 175));
    EXPECT_EQ(effect->getParameter(kShowFilters), 1.0f);
    EXPECT_EQ(windowHeight(), 235);
    click(CPoint(556, 188));
    EXPECT_EQ(effect->getParameter(velunor::kFiltersIn), 1.0f);
    EXPECT_TRUE(effect->filtersIn());
    // The hint of a strip control shows in the shown panel's hint line.
    effect->setParameter(velunor::kProcess, 0.0f);
    hover(CPoint(60, 190));
    hover(CPoint(140, 195));
    EXPECT_EQ(hint(), "Click PROCESS to activate FILTERS");
}

}  // namespace
}  // namespace editortest
