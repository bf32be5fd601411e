#pragma once
// Shows its value as text: a background bitmap (from a background offset) or a fill in the back
// colour unless transparent, the text in the font colour, clipped to the view, and a frame in the
// frame colour unless the style says none.

#include <string>

#include "gui/CControl.h"
#include "gui/CDrawContext.h"

class CParamDisplay : public CControl {
public:
    // Style bits: what is not drawn.
    static constexpr int32 kNoTextStyle = 1 << 0;
    static constexpr int32 kNoDrawStyle = 1 << 1;
    static constexpr int32 kNoFrame = 1 << 2;

    // Writes the text for `value` into `text` (at least 256 bytes); false keeps the default text.
    using ValueToStringProc = bool (*)(float value, char* text, void* userData);

    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32 style = 0);
    CParamDisplay(const CParamDisplay& other);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;

    void setFont(CFontDesc* font);
    CFontDesc* getFont() const { return font_; }
    void setFontColor(const CColor& color) { fontColor_ = color; setDirty(); }
    CColor getFontColor() const { return fontColor_; }
    void setBackColor(const CColor& color) { backColor_ = color; setDirty(); }
    CColor getBackColor() const { return backColor_; }
    void setFrameColor(const CColor& color) { frameColor_ = color; setDirty(); }
    CColor getFrameColor() const { return frameColor_; }
    void setHoriAlign(CHoriTxtAlign align) { horiAlign_ = align; setDirty(); }
    CHoriTxtAlign getHoriAlign() const { return horiAlign_; }
    void setStyle(int32 style) { style_ = style; setDirty(); }
    int32 getStyle() const { return style_; }
    void setAntialias(bool state) { antialias_ = state; }
    bool getAntialias() const { return antialias_; }
    void setBackOffset(const CPoint& offset) { backOffset_ = offset; setDirty(); }
    const CPoint& getBackOffset() const { return backOffset_; }
    void setValueToStringProc(ValueToStringProc proc, void* userData = nullptr) {
        valueToString_ = proc;
        valueToStringUserData_ = userData;
    }

    VELUNOR_CLASS_METHODS(CParamDisplay, CControl)

protected:
    virtual void drawBack(CDrawContext* context);
    virtual void drawText(CDrawContext* context, const char* utf8);
    void drawFrame(CDrawContext* context);

    CFontDesc* font_ = nullptr;
    CColor fontColor_ = kWhiteCColor;
    CColor backColor_ = kBlackCColor;
    CColor frameColor_ = kBlackCColor;
    CHoriTxtAlign horiAlign_ = kCenterText;
    int32 style_;
    bool antialias_ = true;
    CPoint backOffset_;
    ValueToStringProc valueToString_ = nullptr;
    void* valueToStringUserData_ = nullptr;
};
