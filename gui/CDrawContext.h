#pragma once
// Drawing on a cairo surface: the only class that knows the drawing backend. Coordinates are
// those of the view being drawn; the context adds its offset (the origin of that view's parent in
// the surface). Lines and needles are drawn at sub-pixel positions, never snapped to pixels.

#include <memory>
#include <vector>

#include "gui/CFontDesc.h"

using cairo_t = struct _cairo;
using cairo_surface_t = struct _cairo_surface;

class CBitmap;

enum CDrawMode { kAliasing = 0, kAntiAliasing = 1 };
enum CLineStyle { kLineSolid = 0, kLineOnOffDash };
enum CDrawStyle { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };
enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

class CDrawContext {
public:
    // Draws on `surface` (not owned); the offset starts at (0, 0), the clip at the whole surface.
    explicit CDrawContext(cairo_surface_t* surface);
    // Draws on a transparent picture of its own, width x height pixels; null when it cannot be made.
    static std::unique_ptr<CDrawContext> createOffscreen(CCoord width, CCoord height);
    ~CDrawContext();
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    // Pen and colours.
    void setFrameColor(const CColor& color) { state_.frameColor = color; }
    CColor getFrameColor() const { return state_.frameColor; }
    void setFillColor(const CColor& color) { state_.fillColor = color; }
    CColor getFillColor() const { return state_.fillColor; }
    void setFontColor(const CColor& color) { state_.fontColor = color; }
    CColor getFontColor() const { return state_.fontColor; }
    void setLineWidth(CCoord width) { state_.lineWidth = width; }
    CCoord getLineWidth() const { return state_.lineWidth; }
    void setLineStyle(CLineStyle style) { state_.lineStyle = style; }
    CLineStyle getLineStyle() const { return state_.lineStyle; }
    void setDrawMode(CDrawMode mode) { state_.drawMode = mode; }
    CDrawMode getDrawMode() const { return state_.drawMode; }
    void setFont(CFontDesc* font) { state_.font = font; }
    CFontDesc* getFont() const { return state_.font; }
    // Multiplies every colour and bitmap drawn from now on.
    void setGlobalAlpha(float alpha);
    float getGlobalAlpha() const { return state_.globalAlpha; }

    // Where view coordinates start in the surface.
    void setOffset(const CPoint& offset) { state_.offset = offset; }
    CPoint getOffset() const { return state_.offset; }
    // In view coordinates (of the current offset); drawing outside is cut.
    void setClipRect(const CRect& clip);
    CRect getClipRect() const;
    void resetClipRect();

    // Keep and restore every setting above.
    void saveGlobalState();
    void restoreGlobalState();

    // Lines through the pen position.
    void moveTo(const CPoint& point) { pen_ = point; }
    void lineTo(const CPoint& point);
    CPoint getPenPosition() const { return pen_; }
    void drawLine(const CPoint& from, const CPoint& to);
    void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
    void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);

    // Text with the current font and font colour.
    void drawString(const char* utf8, const CPoint& baseline, bool antialias = true);
    // Base line at the vertical centre plus half the cap height; clipped to `rect`.
    void drawString(const char* utf8, const CRect& rect, CHoriTxtAlign align = kCenterText,
                    bool antialias = true);
    CCoord getStringWidth(const char* utf8);

    void drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& offset, float alpha);

    // Makes everything drawn so far visible to readers of the surface.
    void flush();

    // The backend, for the platform layer only (font painter, window).
    cairo_t* getCairo() const { return cairo_; }
    cairo_surface_t* getSurface() const { return surface_; }
    CCoord getWidth() const;
    CCoord getHeight() const;

private:
    struct State {
        CColor frameColor = kBlackCColor;
        CColor fillColor = kWhiteCColor;
        CColor fontColor = kWhiteCColor;
        CCoord lineWidth = 1;
        CLineStyle lineStyle = kLineSolid;
        CDrawMode drawMode = kAliasing;
        CFontDesc* font = kNormalFont;
        float globalAlpha = 1.0f;
        CPoint offset;
        CRect clip;  // in surface coordinates
    };
    void applyClip();
    void setSourceColor(const CColor& color);
    void applyPen();

    cairo_surface_t* surface_;
    bool ownsSurface_ = false;
    cairo_t* cairo_;
    State state_;
    std::vector<State> saved_;
    CPoint pen_;
};
