#pragma once
// The font interface a platform layer implements: metrics, and a painter that draws and measures
// UTF-8 text in a draw context. The cairo context draws through it; so can a GDI+ one later.

#include "gui/CBaseObject.h"

class CDrawContext;
class IFontPainter;

class IPlatformFont : public CBaseObject {
public:
    // In pixels; -1 when the platform cannot tell.
    virtual double getAscent() const = 0;
    virtual double getDescent() const = 0;
    virtual double getLeading() const = 0;
    virtual double getCapHeight() const = 0;
    virtual IFontPainter* getPainter() = 0;
};

class IFontPainter {
public:
    virtual ~IFontPainter() = default;
    // `baseline` is the left end of the text's base line in the context's coordinates.
    virtual void drawString(CDrawContext* context, const char* utf8, const CPoint& baseline,
                            bool antialias = true) = 0;
    virtual CCoord getStringWidth(CDrawContext* context, const char* utf8, bool antialias = true) = 0;
};
