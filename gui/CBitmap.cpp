#include "gui/CBitmap.h"

#include <cairo.h>

#include <cstring>

#include "gui/CDrawContext.h"
#include "resources/ResourceLookup.h"

namespace {

struct PngReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t position;
};

cairo_status_t readPng(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->size - reader->position < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

CBitmap::CBitmap(int resourceId) : resourceId_(resourceId) {
    velunor::ResourceBlob blob = velunor::findResource(resourceId);
    if (blob) loadPng(blob.data, blob.size);
}

CBitmap::CBitmap(CCoord width, CCoord height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width),
                                          static_cast<int>(height));
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    }
}

CBitmap::~CBitmap() {
    if (surface_) cairo_surface_destroy(surface_);
}

CBitmap* CBitmap::fromPng(const void* data, std::size_t size) {
    auto* bitmap = new CBitmap();
    if (!bitmap->loadPng(data, size)) {
        bitmap->forget();
        return nullptr;
    }
    return bitmap;
}

bool CBitmap::loadPng(const void* data, std::size_t size) {
    if (!data || size == 0) return false;
    PngReader reader{static_cast<const unsigned char*>(data), size, 0};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(&readPng, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return false;
    }
    surface_ = surface;
    return true;
}

CCoord CBitmap::getWidth() const { return surface_ ? cairo_image_surface_get_width(surface_) : 0; }
CCoord CBitmap::getHeight() const { return surface_ ? cairo_image_surface_get_height(surface_) : 0; }

void CBitmap::draw(CDrawContext* context, const CRect& dest, const CPoint& offset, float alpha) {
    if (context && surface_) context->drawBitmap(*this, dest, offset, alpha);
}
