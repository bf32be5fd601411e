// The back panel inside the real editor: opened from the meter selector's middle, on top of the
// face; its BACKLIT knob re-tints the faces behind it; a free spot closes it and stores the Global
// calibration.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/linux/FileSettingsStore.h"
#include "tests/editor/EditorFixture.h"
#include "views/BackPanel.h"
#include "views/CQVXBackPanelContainer.h"
#include "views/CQVXVUMeter2.h"

using namespace editortest;

namespace {

class BackPanelInEditor : public EditorFixture {
protected:
    void SetUp() override {
        std::filesystem::remove_all(folder_);
        velunor::setSettingsStore(&store_);
        EditorFixture::SetUp();
    }
    void TearDown() override {
        EditorFixture::TearDown();
        velunor::setSettingsStore(nullptr);
    }
    float stored(const char* name) {
        float v = -1.0f;
        if (auto key = store_.openForReading()) key->readValue(name, &v, sizeof v);
        return v;
    }

    std::filesystem::path folder_ = std::filesystem::path(std::getenv("VELUNOR_TEST_TMP")) / "back-panel-editor";
    velunor::FileSettingsStore store_{folder_ / "QVXVELUNOR300.reg"};
};

}  // namespace

TEST_F(BackPanelInEditor, OpensOnTopTintsTheFacesAndStoresTheCalibrationOnClose) {
    ASSERT_TRUE(openEditor());
    CQVXMeterFULLPANEL* front = shown();
    BackPanel* back = front->backPanel();
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->isShown());

    click(CPoint(270, 156));  // between the selector's arrows
    ASSERT_TRUE(back->isShown());
    EXPECT_EQ(frame()->getView(frame()->getNbViews() - 1), back->getContainer());

    click(CPoint(5, 5));  // G: Global
    EXPECT_EQ(effect->calibrationMode(), 0);
    frame()->platformOnMouseWheel(CPoint(216, 55), kMouseWheelAxisY, 1.0f, 0);  // BACKLIT, one notch
    editor->idle();
    const float backlit = effect->getParameter(88);
    EXPECT_FLOAT_EQ(backlit, 0.75f);
    for (CQVXMeter2* face : {front->leftView(), front->rightView()})
        EXPECT_EQ(static_cast<CQVXVUMeter2*>(face)->tintIndex, 3);
    EXPECT_TRUE(back->isShown());
    EXPECT_NE(stored("Avubacklit"), backlit);

    click(CPoint(330, 150));
    EXPECT_FALSE(back->isShown());
    EXPECT_FALSE(frame()->isChild(back->getContainer()));
    EXPECT_EQ(stored("Avubacklit"), backlit);
}
