#pragma once
// A CParamDisplay that shows a text instead of its value. setText marks it dirty.

#include "gui/CParamDisplay.h"

class CTextLabel : public CParamDisplay {
public:
    CTextLabel(const CRect& size, const char* utf8 = nullptr, CBitmap* background = nullptr, int32 style = 0);

    virtual void setText(const char* utf8);
    const char* getText() const { return text_.c_str(); }
    void draw(CDrawContext* context) override;

    VELUNOR_CLASS_METHODS(CTextLabel, CParamDisplay)

private:
    std::string text_;
};
