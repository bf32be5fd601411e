#pragma once
// Points and rectangles in view coordinates: doubles, origin at the top left, y grows downwards.
// A rectangle is half-open: it contains its left and top edges but not its right and bottom ones.

#include <algorithm>
#include <cstdint>

using CCoord = double;
using int32 = std::int32_t;
using uint32 = std::uint32_t;

struct CPoint {
    CCoord x = 0;
    CCoord y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(CCoord px, CCoord py) : x(px), y(py) {}

    constexpr CPoint& offset(CCoord dx, CCoord dy) { x += dx; y += dy; return *this; }
    constexpr CPoint operator+(const CPoint& o) const { return {x + o.x, y + o.y}; }
    constexpr CPoint operator-(const CPoint& o) const { return {x - o.x, y - o.y}; }
    constexpr bool operator==(const CPoint& o) const = default;
};

struct CRect {
    CCoord left = 0;
    CCoord top = 0;
    CCoord right = 0;
    CCoord bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(CCoord l, CCoord t, CCoord r, CCoord b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(const CPoint& origin, const CPoint& size)
        : left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y) {}

    constexpr CCoord getWidth() const { return right - left; }
    constexpr CCoord getHeight() const { return bottom - top; }
    constexpr CPoint getTopLeft() const { return {left, top}; }
    constexpr CPoint getCenter() const { return {left + getWidth() / 2, top + getHeight() / 2}; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }

    constexpr CRect& setWidth(CCoord w) { right = left + w; return *this; }
    constexpr CRect& setHeight(CCoord h) { bottom = top + h; return *this; }
    constexpr CRect& offset(CCoord dx, CCoord dy) {
        left += dx; right += dx; top += dy; bottom += dy;
        return *this;
    }
    constexpr CRect& moveTo(CCoord x, CCoord y) { return offset(x - left, y - top); }
    constexpr CRect& inset(CCoord dx, CCoord dy) {
        left += dx; right -= dx; top += dy; bottom -= dy;
        return *this;
    }

    constexpr bool pointInside(const CPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool rectOverlap(const CRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr CRect& bound(const CRect& o) {
        left = std::max(left, o.left); top = std::max(top, o.top);
        right = std::min(right, o.right); bottom = std::min(bottom, o.bottom);
        if (isEmpty()) right = left, bottom = top;
        return *this;
    }
    constexpr CRect& unite(const CRect& o) {
        if (o.isEmpty()) return *this;
        if (isEmpty()) return *this = o;
        left = std::min(left, o.left); top = std::min(top, o.top);
        right = std::max(right, o.right); bottom = std::max(bottom, o.bottom);
        return *this;
    }
    constexpr bool operator==(const CRect& o) const = default;
};

struct CColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
    constexpr bool operator==(const CColor& o) const = default;
};

constexpr CColor MakeCColor(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    return {r, g, b, a};
}

constexpr CColor kBlackCColor{0, 0, 0, 255};
constexpr CColor kWhiteCColor{255, 255, 255, 255};
constexpr CColor kGreyCColor{127, 127, 127, 255};
constexpr CColor kRedCColor{255, 0, 0, 255};
constexpr CColor kTransparentCColor{255, 255, 255, 0};
