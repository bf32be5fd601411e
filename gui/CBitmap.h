#pragma once
// A picture, reference counted, usually a film strip of equal frames stacked vertically. It is
// made from an embedded PNG resource, from PNG bytes or blank; pixels are premultiplied ARGB held
// by a cairo image surface, which only CDrawContext looks at.

#include <cstddef>

#include "gui/CBaseObject.h"

using cairo_surface_t = struct _cairo_surface;

class CDrawContext;

class CBitmap : public CBaseObject {
public:
    // The embedded PNG with this resource number; not loaded when there is none.
    explicit CBitmap(int resourceId);
    // A blank, fully transparent bitmap.
    CBitmap(CCoord width, CCoord height);
    ~CBitmap() override;
    CBitmap(const CBitmap&) = delete;

    // Null when the bytes are not a PNG image.
    static CBitmap* fromPng(const void* data, std::size_t size);

    bool isLoaded() const { return surface_ != nullptr; }
    CCoord getWidth() const;
    CCoord getHeight() const;
    int getResourceId() const { return resourceId_; }

    // Copies the part of the bitmap that starts at `offset`, of the size of `dest`, into `dest`;
    // `alpha` multiplies the context's global alpha.
    void draw(CDrawContext* context, const CRect& dest, const CPoint& offset = CPoint(0, 0),
              float alpha = 1.0f);

    cairo_surface_t* getSurface() const { return surface_; }

    bool isTypeOf(const char* className) const override {
        return std::strcmp(className, "CBitmap") == 0 || CBaseObject::isTypeOf(className);
    }
    const char* getClassName() const override { return "CBitmap"; }

private:
    CBitmap() = default;
    bool loadPng(const void* data, std::size_t size);

    cairo_surface_t* surface_ = nullptr;
    int resourceId_ = -1;
};
