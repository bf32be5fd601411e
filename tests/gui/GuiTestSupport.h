#pragma once
// Small pieces the GUI tests share: film strips drawn in memory, pixel reads from a frame's back
// buffer, and listeners and editors that record what reaches them.

#include <cairo.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "gui/CBitmap.h"
#include "gui/CControl.h"
#include "gui/CFrame.h"

namespace guitest {

struct Rgba {
    int r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgba& c) {
    return os << "(" << c.r << "," << c.g << "," << c.b << "," << c.a << ")";
}

// The colour of frame k of a test film strip: distinct, opaque, easy to tell apart.
inline Rgba frameColor(int k) { return {40 + 50 * k, 200 - 40 * k, (k * 97) % 256, 255}; }

// A vertical film strip of `frames` frames of w x h, each a solid frameColor(k).
inline CBitmap* makeFilmStrip(int w, int h, int frames) {
    auto* bitmap = new CBitmap(w, h * frames);
    cairo_t* cr = cairo_create(bitmap->getSurface());
    for (int k = 0; k < frames; ++k) {
        Rgba c = frameColor(k);
        cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, 1.0);
        cairo_rectangle(cr, 0, k * h, w, h);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(bitmap->getSurface());
    return bitmap;
}

// Unpremultiplied colour of one pixel of an ARGB32 image surface.
inline Rgba pixelAt(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    std::uint32_t p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    int a = static_cast<int>(p >> 24);
    auto un = [a](std::uint32_t v) { return a ? static_cast<int>((v * 255 + a / 2) / static_cast<std::uint32_t>(a)) : 0; };
    return {un((p >> 16) & 0xff), un((p >> 8) & 0xff), un(p & 0xff), a};
}

inline bool near(const Rgba& x, const Rgba& y, int tolerance = 2) {
    return std::abs(x.r - y.r) <= tolerance && std::abs(x.g - y.g) <= tolerance &&
           std::abs(x.b - y.b) <= tolerance && std::abs(x.a - y.a) <= tolerance;
}

struct RecordingListener : CControlListener {
    struct Change {
        CControl* control;
        int32 tag;
        float value;
        bool editing;
    };
    std::vector<Change> changes;
    int beginEdits = 0;
    int endEdits = 0;
    void valueChanged(CControl* control) override {
        changes.push_back({control, control->getTag(), control->getValue(), control->isEditing()});
    }
    void controlBeginEdit(CControl*) override { ++beginEdits; }
    void controlEndEdit(CControl*) override { ++endEdits; }
};

struct RecordingEditor : VSTGUIEditorInterface {
    std::vector<std::string> calls;  // "begin 3", "end 3"
    int32 knobMode = kCircularMode;
    void beginEdit(int32 index) override { calls.push_back("begin " + std::to_string(index)); }
    void endEdit(int32 index) override { calls.push_back("end " + std::to_string(index)); }
    int32 getKnobMode() const override { return knobMode; }
};

// An offscreen frame of w x h with a black background, opened.
inline CFrame* makeOffscreenFrame(int w, int h, VSTGUIEditorInterface* editor = nullptr) {
    auto* frame = new CFrame(CRect(0, 0, w, h), editor);
    frame->open(nullptr);
    return frame;
}

}  // namespace guitest
