// velunor-artwork: draws every bitmap of resources/resources.list into a folder as PNG, and
// optionally the contact sheet with all of them.
//   velunor-artwork <resources.list> <output folder> [<contact sheet.png>]
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/artwork/ContactSheet.h"
#include "resources/artwork/Draw.h"
#include "resources/artwork/Painters.h"
#include "resources/artwork/Problems.h"
#include "resources/artwork/ResourceList.h"

using namespace velunor::artwork;

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s <resources.list> <output folder> [<contact sheet.png>]\n", argv[0]);
        return 2;
    }
    const ResourceListResult list = readResourceList(argv[1]);
    if (!list.error.empty()) {
        std::fprintf(stderr, "velunor-artwork: %s\n", list.error.c_str());
        return 1;
    }
    std::string missingFamily;
    if (!fontsInstalled(missingFamily)) {
        std::fprintf(stderr, "velunor-artwork: font \"%s\" is not installed (Debian: fonts-liberation)\n",
                     missingFamily.c_str());
        return 1;
    }
    const std::string folder = argv[2];
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::vector<DrawnResource> drawn;
    int failures = 0;
    for (const ResourceEntry& e : list.entries) {
        const Painter painter = findPainter(e.id);
        if (!painter) {
            std::fprintf(stderr, "velunor-artwork: nothing draws resource %d\n", e.id);
            ++failures;
            continue;
        }
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, e.width, e.height);
        cairo_t* cr = cairo_create(surface);
        painter(cr, e);
        if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "velunor-artwork: drawing %d failed: %s\n", e.id, cairo_status_to_string(cairo_status(cr)));
            ++failures;
        }
        cairo_destroy(cr);
        const std::string path = folder + "/" + e.file;
        if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "velunor-artwork: cannot write %s\n", path.c_str());
            ++failures;
        }
        drawn.push_back({e, surface});
    }
    failures += problemCount();
    if (argc == 4 && failures == 0 && !writeContactSheet(drawn, argv[3])) {
        std::fprintf(stderr, "velunor-artwork: cannot write %s\n", argv[3]);
        ++failures;
    }
    for (DrawnResource& d : drawn) cairo_surface_destroy(d.surface);
    // Hand back cairo's and fontconfig's caches, so that a sanitizer build sees a clean exit.
    cairo_debug_reset_static_data();
    FcFini();
    return failures == 0 ? 0 : 1;
}
