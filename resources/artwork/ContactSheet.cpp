#include "resources/artwork/ContactSheet.h"

#include <algorithm>

#include "resources/artwork/Draw.h"

namespace velunor::artwork {

namespace {

constexpr int kSheetWidth = 1800;
constexpr int kMargin = 16;
constexpr int kGap = 4;
constexpr int kCaption = 16;

struct Tile {
    const DrawnResource* item;
    int x = 0, y = 0, width = 0, height = 0, framesPerRow = 1;
};

Tile measureTile(const DrawnResource& d) {
    const ResourceEntry& e = d.entry;
    const int maxFrames = std::max(1, (kSheetWidth - 2 * kMargin + kGap) / (e.width + kGap));
    Tile t{&d};
    t.framesPerRow = std::min(e.frames, maxFrames);
    const int rows = (e.frames + t.framesPerRow - 1) / t.framesPerRow;
    t.width = std::max(t.framesPerRow * (e.width + kGap) - kGap, 120);
    t.height = kCaption + rows * (e.frameHeight() + kGap) - kGap;
    return t;
}

void paintChecker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    setColour(cr, rgb(120, 120, 124));
    cairo_paint(cr);
    setColour(cr, rgb(150, 150, 154));
    for (int j = 0; j * 6 < h; ++j)
        for (int i = (j % 2); i * 6 < w; i += 2) cairo_rectangle(cr, x + i * 6, y + j * 6, 6, 6);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

bool writeContactSheet(const std::vector<DrawnResource>& drawn, const std::string& path) {
    // Shelf layout in list order.
    std::vector<Tile> tiles;
    int x = kMargin, y = kMargin + 30, shelf = 0;
    for (const DrawnResource& d : drawn) {
        Tile t = measureTile(d);
        if (x + t.width > kSheetWidth - kMargin) {
            x = kMargin;
            y += shelf + 18;
            shelf = 0;
        }
        t.x = x;
        t.y = y;
        x += t.width + 24;
        shelf = std::max(shelf, t.height);
        tiles.push_back(t);
    }
    const int height = y + shelf + kMargin;

    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, height);
    cairo_t* cr = cairo_create(sheet);
    setColour(cr, rgb(38, 38, 40));
    cairo_paint(cr);
    selectFont(cr, Font::SansBold, 16);
    drawText(cr, "QVX Velunor v.3.0.0 - bitmap resources", kMargin, kMargin + 14, Align::Left, rgb(230, 230, 230));

    for (const Tile& t : tiles) {
        const ResourceEntry& e = t.item->entry;
        selectFont(cr, Font::Sans, 11);
        std::string caption = std::to_string(e.id) + "  " + std::to_string(e.width) + " x " + std::to_string(e.height);
        if (e.frames > 1) caption += "  (" + std::to_string(e.frames) + " frames)";
        drawText(cr, caption, t.x, t.y + 11, Align::Left, rgb(235, 220, 150));
        const int fh = e.frameHeight();
        for (int f = 0; f < e.frames; ++f) {
            const int fx = t.x + (f % t.framesPerRow) * (e.width + kGap);
            const int fy = t.y + kCaption + (f / t.framesPerRow) * (fh + kGap);
            paintChecker(cr, fx, fy, e.width, fh);
            cairo_save(cr);
            cairo_rectangle(cr, fx, fy, e.width, fh);
            cairo_clip(cr);
            cairo_set_source_surface(cr, t.item->surface, fx, fy - f * fh);
            cairo_paint(cr);
            cairo_restore(cr);
        }
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(sheet, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return ok;
}

}  // namespace velunor::artwork
