// The in-place text edit: opening, typing, accepting, cancelling, losing the focus, the limits,
// and the pen of the tape label; plus the parser the owners read typed numbers with.
#include <gtest/gtest.h>

#include <cmath>

#include "ControlsFixture.h"
#include "editor/CMyTextEdit.h"
#include "editor/CQVXCustomFont.h"
#include "editor/CQVXTapeLabel.h"
#include "editor/NumberText.h"
#include "gui/AEffGUIEditor.h"
#include "gui/Utf8Text.h"
#include "gui/VirtualKeys.h"

using namespace controlstest;

namespace {

// The listener of an edit reads its text when told, as the panels do.
struct TextListener : guitest::RecordingListener {
    std::vector<std::string> texts;
    void valueChanged(CControl* control) override {
        RecordingListener::valueChanged(control);
        char buffer[64];
        static_cast<CQVXTextEdit*>(control)->copyText(buffer, sizeof buffer);
        texts.emplace_back(buffer);
    }
};

class TextEdits : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        face = guitest::makeFilmStrip(600, 200, 1);
        // The trim value field of a front panel.
        trim = add(new CMyTextEditAH(CRect(530, 146, 578, 161), &texts, 68, "+0.0 dB", face, false));
        trim->setFont(kNormalFontVerySmall);
        trim->setFontColor(MakeCColor(170, 170, 170));
        trim->setHintLabel(hints);
        other = add(new CMyTextEdit(CRect(100, 100, 200, 115), &texts, 70, "1000", face, false));
    }
    void TearDown() override {
        ControlsFixture::TearDown();
        face->forget();
    }
    CTextEditBox* box() const { return trim->getEditBox(); }

    TextListener texts;
    CBitmap* face = nullptr;
    CMyTextEditAH* trim = nullptr;
    CMyTextEdit* other = nullptr;
};

}  // namespace

TEST_F(TextEdits, ClickOpensTheBoxWithAllTextSelectedAndReturnAccepts) {
    click(CPoint(540, 150));
    ASSERT_TRUE(trim->isEditing());
    ASSERT_NE(box(), nullptr);
    EXPECT_EQ(CQVXTextEdit::activeEdit(), trim);
    EXPECT_EQ(frame->getFocusView(), box());
    EXPECT_EQ(box()->getText(), "+0.0 dB");
    EXPECT_EQ(box()->getSelectionStart(), 0u);
    EXPECT_EQ(box()->getSelectionEnd(), 7u);
    EXPECT_STREQ(trim->getText(), "");  // the field shows only its background under the box
    // The box: f + 3 high around the centre of the field's rectangle moved one pixel up (f = 9):
    // trunc(trunc(145 + 7.5) - 4.5 - 1) = 146.
    EXPECT_EQ(box()->getViewSize(), CRect(530, 146, 578, 158));

    type("-6.5");
    EXPECT_EQ(box()->getText(), "-6.5");
    EXPECT_TRUE(texts.changes.empty());
    EXPECT_EQ(key(VKEY_RETURN), 1);
    EXPECT_FALSE(trim->isEditing());
    EXPECT_EQ(trim->getEditBox(), nullptr);
    EXPECT_EQ(CQVXTextEdit::activeEdit(), nullptr);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(frame->getNbViews(), 3);  // the box is gone
    ASSERT_EQ(texts.texts, std::vector<std::string>{"-6.5"});
    EXPECT_TRUE(texts.changes[0].editing);  // told between beginEdit and endEdit
    EXPECT_EQ(editor.calls, (std::vector<std::string>{"begin 68", "end 68"}));
    EXPECT_STREQ(trim->getText(), "-6.5");
    EXPECT_EQ(trim->getValue(), 0.0f);  // an edit never changes the value
}

TEST_F(TextEdits, EndingKeys) {
    struct Case {
        unsigned char virt;
        bool accepted;
    } cases[] = {{VKEY_RETURN, true}, {VKEY_ENTER, true}, {VKEY_TAB, true}, {VKEY_ESCAPE, false}};
    for (const Case& c : cases) {
        trim->setText("+0.0 dB");
        texts.texts.clear();
        click(CPoint(540, 150));
        type("12");
        key(c.virt);
        EXPECT_FALSE(trim->isEditing());
        EXPECT_STREQ(trim->getText(), c.accepted ? "12" : "+0.0 dB") << int(c.virt);
        EXPECT_EQ(texts.texts.size(), c.accepted ? 1u : 0u);
    }
}

TEST_F(TextEdits, ClickingElsewhereOrTheWindowLosingTheKeyboardAccepts) {
    click(CPoint(540, 150));
    type("3");
    click(CPoint(10, 190));  // on nothing
    EXPECT_FALSE(trim->isEditing());
    EXPECT_EQ(texts.texts, std::vector<std::string>{"3"});

    // A click on another edit accepts this one and opens that one.
    click(CPoint(540, 150));
    type("4");
    click(CPoint(150, 105));
    EXPECT_FALSE(trim->isEditing());
    EXPECT_TRUE(other->isEditing());
    EXPECT_EQ(CQVXTextEdit::activeEdit(), other);
    EXPECT_EQ(texts.texts.back(), "4");

    frame->platformOnFocusChanged(false);
    EXPECT_FALSE(other->isEditing());
    EXPECT_EQ(texts.texts.back(), "1000");
    // A click inside the box keeps the edit going.
    click(CPoint(540, 150));
    click(CPoint(545, 152));
    EXPECT_TRUE(trim->isEditing());
    key(VKEY_ESCAPE);
}

TEST_F(TextEdits, EditingKeys) {
    struct Case {
        std::vector<VstKeyCode> keys;
        const char* text;
    } cases[] = {
        {{{'x', 0, 0}}, "x"},                                                        // typing replaces the selection
        {{{0, VKEY_END, 0}, {0, VKEY_BACK, 0}}, "+0.0 d"},
        {{{0, VKEY_HOME, 0}, {0, VKEY_DELETE, 0}}, "0.0 dB"},
        {{{0, VKEY_LEFT, 0}, {'<', 0, 0}}, "<+0.0 dB"},                              // left collapses to the start
        {{{0, VKEY_RIGHT, 0}, {0, VKEY_LEFT, 0}, {0, VKEY_LEFT, 0}, {'_', 0, 0}}, "+0.0 _dB"},
        {{{0, VKEY_END, 0}, {0, VKEY_LEFT, MODIFIER_SHIFT}, {0, VKEY_LEFT, MODIFIER_SHIFT}, {0, VKEY_BACK, 0}},
         "+0.0 "},
        {{{0, VKEY_HOME, 0}, {0, VKEY_BACK, 0}, {0, VKEY_END, 0}, {0, VKEY_DELETE, 0}}, "+0.0 dB"},
        {{{0, VKEY_HOME, 0}, {'a', 0, MODIFIER_CONTROL}, {'1', 0, 0}}, "1"},           // Control-A selects all
        {{{0, VKEY_SPACE, 0}}, " "},                                                 // a host's space without a character
        {{{0x0394, 0, 0}, {0x20ac, 0, 0}, {0, VKEY_LEFT, 0}, {0, VKEY_BACK, 0}}, "€"},  // whole characters
    };
    for (const Case& c : cases) {
        trim->setText("+0.0 dB");
        click(CPoint(540, 150));
        for (VstKeyCode k : c.keys) EXPECT_EQ(frame->platformOnKeyDown(k), 1);
        EXPECT_EQ(box()->getText(), c.text);
        key(VKEY_ESCAPE);
    }
    // Keys the box has no use for go back to the host.
    click(CPoint(540, 150));
    EXPECT_EQ(key(VKEY_F1), -1);
    EXPECT_EQ(key(0, 'c', MODIFIER_CONTROL), -1);
    key(VKEY_ESCAPE);
    // Without an edit no key is used.
    EXPECT_EQ(key(0, 'a'), -1);
}

TEST_F(TextEdits, KeysTheHostForwardsReachTheBox) {
    struct Editor : AEffGUIEditor {
        explicit Editor(CFrame* f) : AEffGUIEditor(nullptr) { frame = f; }
        ~Editor() override { frame = nullptr; }
    } hostEditor(frame);
    click(CPoint(540, 150));
    EXPECT_TRUE(hostEditor.onKeyDown(VstKeyCode{'7', 0, 0}));
    EXPECT_TRUE(hostEditor.onKeyUp(VstKeyCode{'7', 0, 0}));
    EXPECT_TRUE(hostEditor.onKeyDown(VstKeyCode{0, VKEY_RETURN, 0}));
    EXPECT_EQ(texts.texts, std::vector<std::string>{"7"});
    EXPECT_FALSE(hostEditor.onKeyDown(VstKeyCode{'7', 0, 0}));
}

TEST_F(TextEdits, TypingStopsAt255CharactersAndAcceptingCutsTo29BytesOnACharacterBoundary) {
    click(CPoint(540, 150));
    for (int i = 0; i < 300; ++i) key(0, i % 2 ? 0x00e9 : 'a');  // 'a' and 'é' (two bytes)
    EXPECT_EQ(utf8::countCharacters(box()->getText()), CTextEditBox::kMaxCharacters);
    key(VKEY_RETURN);
    // 29 bytes would end in the middle of an 'é': the cut keeps 28.
    const std::string accepted = trim->getText();
    EXPECT_EQ(accepted.size(), 28u);
    EXPECT_EQ(accepted.substr(0, 3), "a\xc3\xa9");
    EXPECT_EQ(texts.texts.back(), accepted);
    char small[5];
    trim->copyText(small, sizeof small);
    EXPECT_STREQ(small, "a\xc3\xa9" "a");
    trim->copyText(nullptr, 10);  // does nothing
}

TEST_F(TextEdits, CancelRestoresTheWholeTextEvenPastTheLimit) {
    const std::string longText = "A field text longer than twenty-nine bytes";
    trim->setText(longText.c_str());
    click(CPoint(540, 150));
    EXPECT_EQ(box()->getText(), longText.substr(0, 29));
    type("x");
    EXPECT_STREQ(trim->getText(), "x");  // the field follows the typing
    key(VKEY_ESCAPE);
    EXPECT_EQ(trim->getText(), longText);
    EXPECT_TRUE(texts.texts.empty());
    EXPECT_TRUE(editor.calls.empty());
}

TEST_F(TextEdits, InactiveFieldOpensNothingAndAsksForProcess) {
    trim->active = 0;
    hover(CPoint(540, 150));
    EXPECT_EQ(hint(), "Click PROCESS to activate the Trim");
    click(CPoint(540, 150));
    EXPECT_FALSE(trim->isEditing());
    EXPECT_EQ(CQVXTextEdit::activeEdit(), nullptr);
    hover(CPoint(10, 190));
    EXPECT_EQ(hint(), "");
    trim->active = 1;
    hover(CPoint(540, 150));
    EXPECT_EQ(hint(), "");
}

TEST_F(TextEdits, RemovingOrDestroyingAnEditingControlCancelsQuietly) {
    click(CPoint(540, 150));
    type("9");
    trim->remember();
    frame->removeView(trim);  // a panel detached mid-edit
    EXPECT_FALSE(trim->isEditing());
    EXPECT_STREQ(trim->getText(), "+0.0 dB");
    EXPECT_EQ(CQVXTextEdit::activeEdit(), nullptr);
    EXPECT_EQ(frame->getNbViews(), 2);  // the box went with it
    trim->forget();
    EXPECT_TRUE(texts.texts.empty());

    click(CPoint(150, 105));
    ASSERT_TRUE(other->isEditing());
    frame->removeView(other);  // released while editing
    EXPECT_EQ(CQVXTextEdit::activeEdit(), nullptr);
    EXPECT_EQ(frame->getNbViews(), 1);
}

TEST_F(TextEdits, ClosingTheFrameMidEditEndsItSafely) {
    click(CPoint(540, 150));
    type("5");
    CFrame* closing = frame;
    frame = guitest::makeOffscreenFrame(10, 10, &editor);  // for TearDown
    closing->close();
    EXPECT_EQ(CQVXTextEdit::activeEdit(), nullptr);
    EXPECT_EQ(texts.texts, std::vector<std::string>{"5"});  // losing the focus accepted it
}

TEST_F(TextEdits, BoxDrawsSelectionThenCaret) {
    click(CPoint(540, 150));
    frame->idle();
    auto selectionPixels = [this] {
        int n = 0;
        for (int x = 530; x < 578; ++x)
            for (int y = 147; y < 159; ++y)
                n += guitest::near(guitest::pixelAt(frame->getBackBuffer(), x, y), {51, 153, 255, 255}, 4);
        return n;
    };
    EXPECT_GT(selectionPixels(), 50);
    key(VKEY_END);
    frame->idle();
    EXPECT_EQ(selectionPixels(), 0);
    key(VKEY_ESCAPE);
}

// ---------------------------------------------------------------- tape label

class TapeLabel : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        face = guitest::makeFilmStrip(600, 200, 1);
        tape = add(new CQVXTapeLabel(CRect(50, 100, 350, 140), &texts, face));
    }
    void TearDown() override {
        ControlsFixture::TearDown();
        face->forget();
    }
    TextListener texts;
    CBitmap* face = nullptr;
    CQVXTapeLabel* tape = nullptr;
};

TEST_F(TapeLabel, KeepsThirtyEightBytesOnOpenCancelAndAccept) {
    EXPECT_EQ(tape->getTag(), 69);
    EXPECT_STREQ(tape->getText(), CQVXTapeLabel::kInitialText);
    const std::string label38 = "Lead vocal, take 12, comp of takes 3-9";
    ASSERT_EQ(label38.size(), 38u);
    tape->setText(label38.c_str());
    click(CPoint(100, 120));
    EXPECT_EQ(tape->getEditBox()->getText(), label38);
    key(VKEY_ESCAPE);
    EXPECT_EQ(tape->getText(), label38);
    click(CPoint(100, 120));
    key(VKEY_RETURN);
    EXPECT_EQ(tape->getText(), label38);
    EXPECT_EQ(texts.texts.back(), label38);

    click(CPoint(100, 120));
    type("A fifty character track label, which is too long!");
    key(VKEY_RETURN);
    EXPECT_EQ(texts.texts.back(), std::string("A fifty character track label, which is too long!").substr(0, 38));
}

TEST_F(TapeLabel, PenTakesNinetyFiveStepsOfThirtyMilliseconds) {
    const CRect base = tape->getPenBaseRect();
    EXPECT_EQ(base, CRect(350 - 20 - 47, 100, 350 - 20, 133));
    tape->idle(1000);
    EXPECT_EQ(tape->getPenStep(), 0);  // only while editing
    click(CPoint(100, 120));
    uint32 now = 1000;
    tape->idle(now);
    EXPECT_EQ(tape->getPenStep(), 1);
    tape->idle(now + 29);
    EXPECT_EQ(tape->getPenStep(), 1);  // too soon
    CPoint expected(base.left, base.top);
    for (int32 step = 2; step < CQVXTapeLabel::kSteps; ++step) {
        now += 30;
        tape->idle(now);
        ASSERT_EQ(tape->getPenStep(), step);
        const CPoint m = CQVXTapeLabel::penMove(step);
        expected.offset(m.x, m.y);
        EXPECT_EQ(tape->getPenRect().getTopLeft(), expected) << step;
    }
    // The handwriting: a few steps from the table.
    EXPECT_EQ(CQVXTapeLabel::penMove(4), CPoint(0, 1));
    EXPECT_EQ(CQVXTapeLabel::penMove(44), CPoint(1, -2));
    EXPECT_EQ(CQVXTapeLabel::penMove(69), CPoint(-1, -2));
    EXPECT_EQ(CQVXTapeLabel::penMove(80), CPoint(0, 0));
    now += 30;
    tape->idle(now);
    EXPECT_EQ(tape->getPenStep(), 0);
    EXPECT_EQ(tape->getPenRect(), base);
    key(VKEY_ESCAPE);
    now += 30;
    tape->idle(now);
    EXPECT_EQ(tape->getPenStep(), 0);
}

TEST_F(TapeLabel, WithoutManualPathThereIsNoFontButTheLabelStillEdits) {
    // No "ManualPath" in this process's settings: no font file is looked for at all.
    EXPECT_EQ(CQVXCustomFont::manualPathSetting(), "");
    EXPECT_EQ(CQVXCustomFont::get()->getPlatformFont(), nullptr);
    EXPECT_EQ(tape->getFont(), CQVXCustomFont::get());
    frame->idle();
    // No text: the label shows its background only.
    for (int x = 50; x < 350; x += 3)
        for (int y = 100; y < 140; y += 2)
            ASSERT_TRUE(guitest::near(guitest::pixelAt(frame->getBackBuffer(), x, y), guitest::frameColor(0)));
    click(CPoint(100, 120));
    ASSERT_TRUE(tape->isEditing());
    // The box types in a substitute face of the label's size.
    CFontDesc* font = tape->getEditBox()->getFont();
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font, CQVXCustomFont::get());
    EXPECT_NE(font->getPlatformFont(), nullptr);
    EXPECT_EQ(font->getSize(), CQVXCustomFont::kSize);
    type("Bass");
    key(VKEY_RETURN);
    EXPECT_EQ(texts.texts.back(), "Bass");
}

TEST(PrivateFontLocation, TheManualsFolderPlusTheFontFileName) {
    struct Case {
        const char* manualPath;
        const char* fontPath;
    } cases[] = {
        {"C:\\Program Files\\Vantorell\\QVXVelunor User Manual Version 3.pdf", "C:\\Program Files\\Vantorell\\QVXVelunor.qxf"},
        {"/usr/share/doc/velunor/manual.pdf", "/usr/share/doc/velunor/QVXVelunor.qxf"},
        {"/manual.pdf", "/QVXVelunor.qxf"},
        {"/usr/share/doc/velunor/", "/usr/share/doc/velunor/QVXVelunor.qxf"},
        {"manual.pdf", ""},  // no folder: not the host's current one either
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CQVXCustomFont::fontFilePath(c.manualPath), c.fontPath) << c.manualPath;
}

TEST_F(TapeLabel, DrawsThePenInsteadOfTheTextWhileEditing) {
    click(CPoint(100, 120));
    frame->idle();
    // The pen bitmap covers some of its rectangle with colours the plain test face does not have.
    const guitest::Rgba faceColour = guitest::frameColor(0);
    int penPixels = 0;
    const CRect pen = tape->getPenRect();
    for (int x = static_cast<int>(pen.left); x < pen.right; ++x)
        for (int y = static_cast<int>(pen.top); y < pen.bottom; ++y)
            penPixels += !guitest::near(guitest::pixelAt(frame->getBackBuffer(), x, y), faceColour, 6);
    EXPECT_GT(penPixels, 20);
    key(VKEY_ESCAPE);
}

// ---------------------------------------------------------------- typed numbers

TEST(NumberText, LeadingDecimalNumberElseZero) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"-6.5", -6.5}, {"  +3.25 dB", 3.25}, {"12dB", 12}, {".5", 0.5}, {"1e1", 10}, {"-0", 0},
        {"", 0}, {"dB", 0}, {"nan", 0}, {"-nan", 0}, {"inf", 0}, {"-infinity", 0}, {"1e999", 0},
        {"0x10", 0}, {"--5", 0}, {"+-5", 0}, {" -", 0}, {"3,5", 3},
    };
    for (const Case& c : cases) {
        const double v = velunor::editor::parseNumberText(c.text);
        EXPECT_TRUE(std::isfinite(v)) << c.text;
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(velunor::editor::parseNumberText(nullptr), 0);
}
