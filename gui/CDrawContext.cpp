#include "gui/CDrawContext.h"

#include <cairo.h>

#include <cmath>

#include "gui/CBitmap.h"

CDrawContext::CDrawContext(cairo_surface_t* surface) : surface_(surface), cairo_(cairo_create(surface)) {
    state_.clip = CRect(0, 0, getWidth(), getHeight());
    applyClip();
}

CDrawContext::~CDrawContext() {
    cairo_destroy(cairo_);
    if (ownsSurface_) cairo_surface_destroy(surface_);
}

std::unique_ptr<CDrawContext> CDrawContext::createOffscreen(CCoord width, CCoord height) {
    const int w = std::max(1, static_cast<int>(width)), h = std::max(1, static_cast<int>(height));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    auto context = std::make_unique<CDrawContext>(surface);
    context->ownsSurface_ = true;
    return context;
}

CCoord CDrawContext::getWidth() const {
    return cairo_surface_get_type(surface_) == CAIRO_SURFACE_TYPE_IMAGE ? cairo_image_surface_get_width(surface_) : 0;
}
CCoord CDrawContext::getHeight() const {
    return cairo_surface_get_type(surface_) == CAIRO_SURFACE_TYPE_IMAGE ? cairo_image_surface_get_height(surface_) : 0;
}

void CDrawContext::flush() { cairo_surface_flush(surface_); }

void CDrawContext::setGlobalAlpha(float alpha) {
    state_.globalAlpha = std::isfinite(alpha) ? std::fmin(1.0f, std::fmax(0.0f, alpha)) : 1.0f;
}

void CDrawContext::setClipRect(const CRect& clip) {
    CRect absolute = clip;
    absolute.offset(state_.offset.x, state_.offset.y);
    state_.clip = absolute.bound(CRect(0, 0, getWidth(), getHeight()));
    applyClip();
}

CRect CDrawContext::getClipRect() const {
    CRect local = state_.clip;
    return local.offset(-state_.offset.x, -state_.offset.y);
}

void CDrawContext::resetClipRect() {
    state_.clip = CRect(0, 0, getWidth(), getHeight());
    applyClip();
}

void CDrawContext::applyClip() {
    cairo_reset_clip(cairo_);
    cairo_new_path(cairo_);
    cairo_rectangle(cairo_, state_.clip.left, state_.clip.top, state_.clip.getWidth(), state_.clip.getHeight());
    cairo_clip(cairo_);
}

void CDrawContext::saveGlobalState() { saved_.push_back(state_); }

void CDrawContext::restoreGlobalState() {
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
    applyClip();
}

void CDrawContext::setSourceColor(const CColor& color) {
    cairo_set_source_rgba(cairo_, color.red / 255.0, color.green / 255.0, color.blue / 255.0,
                          color.alpha / 255.0 * state_.globalAlpha);
}

void CDrawContext::applyPen() {
    setSourceColor(state_.frameColor);
    cairo_set_line_width(cairo_, state_.lineWidth);
    cairo_set_antialias(cairo_, state_.drawMode == kAntiAliasing ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    if (state_.lineStyle == kLineOnOffDash) {
        const double dash[] = {state_.lineWidth, state_.lineWidth};
        cairo_set_dash(cairo_, dash, 2, 0);
    } else {
        cairo_set_dash(cairo_, nullptr, 0, 0);
    }
    cairo_set_line_cap(cairo_, CAIRO_LINE_CAP_BUTT);
}

void CDrawContext::lineTo(const CPoint& point) {
    drawLine(pen_, point);
    pen_ = point;
}

void CDrawContext::drawLine(const CPoint& from, const CPoint& to) {
    applyPen();
    cairo_new_path(cairo_);
    cairo_move_to(cairo_, from.x + state_.offset.x, from.y + state_.offset.y);
    cairo_line_to(cairo_, to.x + state_.offset.x, to.y + state_.offset.y);
    cairo_stroke(cairo_);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
    cairo_new_path(cairo_);
    const double x = rect.left + state_.offset.x, y = rect.top + state_.offset.y;
    if (style != kDrawStroked) {
        cairo_set_antialias(cairo_, CAIRO_ANTIALIAS_NONE);
        setSourceColor(state_.fillColor);
        cairo_rectangle(cairo_, x, y, rect.getWidth(), rect.getHeight());
        cairo_fill(cairo_);
    }
    if (style != kDrawFilled) {
        applyPen();
        // The stroke lies inside the rectangle, as a one-pixel frame should.
        const double half = state_.lineWidth / 2;
        cairo_rectangle(cairo_, x + half, y + half, rect.getWidth() - state_.lineWidth,
                        rect.getHeight() - state_.lineWidth);
        cairo_stroke(cairo_);
    }
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
    if (rect.isEmpty()) return;
    auto path = [&] {
        cairo_new_path(cairo_);
        cairo_save(cairo_);
        CPoint c = rect.getCenter();
        cairo_translate(cairo_, c.x + state_.offset.x, c.y + state_.offset.y);
        cairo_scale(cairo_, rect.getWidth() / 2, rect.getHeight() / 2);
        cairo_arc(cairo_, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cairo_);
    };
    if (style != kDrawStroked) {
        path();
        setSourceColor(state_.fillColor);
        cairo_set_antialias(cairo_, CAIRO_ANTIALIAS_DEFAULT);
        cairo_fill(cairo_);
    }
    if (style != kDrawFilled) {
        path();
        applyPen();
        cairo_stroke(cairo_);
    }
}

void CDrawContext::drawString(const char* utf8, const CPoint& baseline, bool antialias) {
    if (!utf8 || !*utf8 || !state_.font) return;
    IPlatformFont* font = state_.font->getPlatformFont();
    IFontPainter* painter = font ? font->getPainter() : nullptr;
    if (!painter) return;
    setSourceColor(state_.fontColor);
    painter->drawString(this, utf8, baseline + state_.offset, antialias);
}

void CDrawContext::drawString(const char* utf8, const CRect& rect, CHoriTxtAlign align, bool antialias) {
    if (!utf8 || !*utf8 || !state_.font) return;
    IPlatformFont* font = state_.font->getPlatformFont();
    if (!font || !font->getPainter()) return;
    double capHeight = font->getCapHeight();
    if (capHeight <= 0) capHeight = font->getAscent();
    CPoint baseline(rect.left, std::round(rect.top + rect.getHeight() / 2 + capHeight / 2));
    if (align != kLeftText) {
        CCoord width = getStringWidth(utf8);
        baseline.x = align == kCenterText ? rect.left + (rect.getWidth() - width) / 2 : rect.right - width;
    }
    saveGlobalState();
    CRect clip = rect;
    clip.offset(state_.offset.x, state_.offset.y);
    state_.clip.bound(clip);
    applyClip();
    drawString(utf8, baseline, antialias);
    restoreGlobalState();
}

CCoord CDrawContext::getStringWidth(const char* utf8) {
    if (!utf8 || !*utf8 || !state_.font) return 0;
    IPlatformFont* font = state_.font->getPlatformFont();
    IFontPainter* painter = font ? font->getPainter() : nullptr;
    return painter ? painter->getStringWidth(this, utf8) : 0;
}

void CDrawContext::drawBitmap(const CBitmap& bitmap, const CRect& dest, const CPoint& offset, float alpha) {
    cairo_surface_t* source = bitmap.getSurface();
    if (!source || dest.isEmpty()) return;
    const double a = (std::isfinite(alpha) ? std::fmin(1.0f, std::fmax(0.0f, alpha)) : 1.0) * state_.globalAlpha;
    if (a <= 0) return;
    const double x = dest.left + state_.offset.x, y = dest.top + state_.offset.y;
    cairo_save(cairo_);
    cairo_new_path(cairo_);
    // Only the part of the bitmap that exists is copied: the area past its edges stays untouched.
    CRect area(x, y, x + dest.getWidth(), y + dest.getHeight());
    CRect available(x - offset.x, y - offset.y, x - offset.x + bitmap.getWidth(), y - offset.y + bitmap.getHeight());
    area.bound(available);
    if (!area.isEmpty()) {
        cairo_rectangle(cairo_, area.left, area.top, area.getWidth(), area.getHeight());
        cairo_clip(cairo_);
        cairo_set_source_surface(cairo_, source, x - offset.x, y - offset.y);
        cairo_pattern_set_filter(cairo_get_source(cairo_), CAIRO_FILTER_NEAREST);
        cairo_paint_with_alpha(cairo_, a);
    }
    cairo_restore(cairo_);
}
