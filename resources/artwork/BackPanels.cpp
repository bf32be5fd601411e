// The back (settings) panels: every knob's engraved scale and caption, the switch captions, the
// name plate and the closing hint. Labels are placed with the knob's frame law at the frame the
// knob shows for that value, and must leave the value-label rectangles free.
#include <cmath>
#include <string>
#include <vector>

#include "resources/artwork/Draw.h"
#include "resources/artwork/KnobLaw.h"
#include "resources/artwork/Painters.h"
#include "resources/artwork/Parts.h"
#include "resources/artwork/Problems.h"
#include "views/ScaleLaws.h"

namespace velunor::artwork {

namespace {

struct ScaleMark {
    int frame;
    std::string text;  // empty: a dot only
};

struct KnobScale {
    double x, y;  // the knob rectangle's top-left corner
    std::string caption;
    std::vector<ScaleMark> marks;
};

struct Caption {
    double cx, cy;
    std::string text;
};

struct FreeRect {
    double left, top, right, bottom;
};

struct BackLayout {
    int id;
    Meter meter;
    double width;
    std::vector<KnobScale> knobs;
    std::vector<Caption> captions;
    std::vector<FreeRect> valueLabels;  // drawn over the artwork by the panel; keep them clear
    FreeRect version;
    FreeRect plate;                     // the name plate around the version label
};

// Plain knobs: frame = trunc(50 v + 0.5) for the value v of the mark.
int plainFrame(double v) { return int(50.0 * v + 0.5); }

std::vector<ScaleMark> evenly(std::initializer_list<const char*> labels) {
    std::vector<ScaleMark> marks;
    const double n = double(labels.size() - 1);
    int i = 0;
    for (const char* l : labels) marks.push_back({plainFrame(i++ / n), l});
    return marks;
}

// Marks at v = 0.1, 0.2, ... for the time scales (step c = 2, 4, ... of the time tables).
std::vector<ScaleMark> tenths(std::initializer_list<const char*> labels) {
    std::vector<ScaleMark> marks;
    int i = 0;
    for (const char* l : labels) marks.push_back({plainFrame(i++ / 10.0), l});
    return marks;
}

std::vector<ScaleMark> holdSeconds() {
    return tenths({"0.1", "0.15", "0.25", "0.37", "0.65", "1", "1.5", "2.8", "4", "7", "10"});
}

std::vector<ScaleMark> integrationMs() {
    return tenths({"0", "0.5", "1.5", "3.2", "5.5", "10", "14", "25", "40", "70", "100"});
}

std::vector<ScaleMark> overs(bool rms) {
    // The stepped OVERs knobs show these frames for 1 .. 10 overs.
    const int frames[10] = {2, 6, 11, 17, 22, 28, 33, 39, rms ? 44 : 43, rms ? 47 : 48};
    std::vector<ScaleMark> marks;
    for (int i = 0; i < 10; ++i) marks.push_back({frames[i], std::to_string(i + 1)});
    return marks;
}

std::vector<ScaleMark> ledRef(const char* first) {
    return {{5, first}, {19, "-3dBFS"}, {31, "-1dBFS"}, {45, "0dBFS"}};
}

bool intersects(const TextBox& t, const FreeRect& r) {
    return t.left < r.right && t.right > r.left && t.top < r.bottom && t.bottom > r.top;
}

class Engraver {
public:
    Engraver(cairo_t* cr, const BackLayout& layout) : cr_(cr), layout_(layout), skin_(skinFor(layout.meter)) {}

    void knob(const KnobScale& k) {
        const double cx = k.x + kKnobCentreX, cy = k.y + kKnobCentreY;
        double top = cy - 27.0;
        for (const ScaleMark& m : k.marks) {
            const double a = scale::degreesToRadians(knobFrameDegrees(m.frame));
            const double dx = std::cos(a), dy = -std::sin(a);
            // Tick from the skirt outwards.
            cairo_move_to(cr_, cx + dx * 18.5, cy + dy * 18.5);
            cairo_line_to(cr_, cx + dx * 21.0, cy + dy * 21.0);
            setColour(cr_, skin_.print);
            cairo_set_line_width(cr_, 1.0);
            cairo_stroke(cr_);
            if (m.text.empty()) continue;
            selectFont(cr_, Font::Narrow, 8.0);
            const TextBox ink = measure(cr_, m.text);
            const double w = ink.right - ink.left, h = 6.0;  // cap height of the digits
            // The box's nearest edge sits just outside the tick, on the knob's ray; at the two
            // ends of the sweep the label stands level beside the tick's end instead, which keeps
            // the value label under the knob free.
            double lx, ly;
            if (dy > 0.6) {
                lx = cx + dx * 21.0 + (dx < 0 ? -1.0 : 1.0) * (1.5 + w / 2.0);
                ly = cy + dy * 21.0 + 1.0;
            } else {
                const double reach = 22.5 + std::abs(dx) * w / 2.0 + std::abs(dy) * h / 2.0;
                lx = cx + dx * reach;
                ly = cy + dy * reach;
            }
            const TextBox box = drawTextCentred(cr_, m.text, lx, ly, skin_.print);
            top = std::min(top, box.top);
            check(box, m.text);
        }
        selectFont(cr_, Font::SansBold, 8.0);
        const TextBox box = drawPrint(cr_, k.caption, cx, top - 6.5, skin_.print);
        check(box, k.caption);
    }

    void caption(const Caption& c) {
        selectFont(cr_, Font::SansBold, 8.0);
        check(drawPrint(cr_, c.text, c.cx, c.cy, skin_.print), c.text);
    }

private:
    void check(const TextBox& box, const std::string& text) {
        for (const FreeRect& r : layout_.valueLabels)
            if (intersects(box, r)) reportProblem(layout_.id, "\"" + text + "\" covers a value label");
        if (intersects(box, layout_.version)) reportProblem(layout_.id, "\"" + text + "\" covers the version label");
    }

    cairo_t* cr_;
    const BackLayout& layout_;
    const Skin& skin_;
};

void drawBackPanel(cairo_t* cr, const BackLayout& layout) {
    const Skin& skin = skinFor(layout.meter);
    const double w = layout.width, h = 261.0;
    drawPanel(cr, 0, 0, w, h, skin);

    // The calibration selector's band at the top and the caption's band lower down.
    fillVertical(cr, 0, 0, w, 13, mix(skin.bar, rgb(0, 0, 0), 0.2), skin.bar);
    drawWell(cr, 0, 179, w, 13, 0, mix(skin.bar, rgb(0, 0, 0), 0.3));

    Engraver engraver(cr, layout);
    for (const KnobScale& k : layout.knobs) engraver.knob(k);
    for (const Caption& c : layout.captions) engraver.caption(c);

    // Name plate around the version label.
    const FreeRect& p = layout.plate;
    roundedRect(cr, p.left, p.top, p.right - p.left, p.bottom - p.top, 4);
    setColour(cr, rgb(0, 0, 0, 60));
    cairo_fill(cr);
    roundedRect(cr, p.left + 0.5, p.top + 0.5, p.right - p.left - 1, p.bottom - p.top - 1, 4);
    setColour(cr, rgb(255, 255, 255, 26));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    const double plateX = (layout.version.left + layout.version.right) / 2.0;
    selectFont(cr, Font::SansBold, 15);
    drawPrint(cr, "QVX Velunor", plateX, 63, skin.print);
    selectFont(cr, Font::SansBold, 7.5);
    drawPrint(cr, std::string(skin.name) + " CALIBRATION", plateX, 78, skin.accent);

    // Lower field: the maker's mark and how to get back to the meter.
    selectFont(cr, Font::SansBold, 22);
    drawTextCentred(cr, "QVX Velunor", w / 2.0, 220, withAlpha(skin.print, 0.16));
    selectFont(cr, Font::Sans, 8);
    drawTextCentred(cr, "Click any free area of this panel to return to the meter", w / 2.0, 244,
                    mix(skin.print, skin.panelBottom, 0.35));
    drawScrew(cr, 9, 252, 4, 30);
    drawScrew(cr, w - 9, 252, 4, 120);
    drawScrew(cr, 9, 206, 4, 75);
    drawScrew(cr, w - 9, 206, 4, 160);
}

}  // namespace

void paintVuBack(cairo_t* cr, const ResourceEntry& e) {
    const BackLayout layout{
        e.id, Meter::Vu, double(e.width),
        {
            {24, 36, "REFERENCE", evenly({"-24", "-20", "-16", "-12", "-8", "-4", "0"})},
            {105, 35, "INTEGRATION", {{5, "75"}, {15, "150"}, {25, "300"}, {35, "600"}, {45, "1k2"}}},
            {64, 111, "HOLD", holdSeconds()},
            {195, 35, "BACKLIT", {{15, "WARM"}, {20, ""}, {25, ""}, {30, ""}, {35, "COLD"}}},
            {434, 35, "LED REF", ledRef("+8VU")},
            {475, 111, "OVERs", overs(false)},
        },
        {{172.5, 134, "VU TYPE"}, {250, 134, "MID ATTEN"}, {559, 19, "MEASURE"}},
        {{14, 79, 76, 93}, {100, 78, 152, 92}, {59, 153, 111, 167}},
        {290, 86, 400, 100},
        {284, 48, 406, 104}};
    drawBackPanel(cr, layout);
}

void paintRmsBack(cairo_t* cr, const ResourceEntry& e) {
    const BackLayout layout{
        e.id, Meter::Rms, double(e.width),
        {
            {54, 35, "REFERENCE", evenly({"-20", "-15", "-10", "-5", "0", "+5", "+10"})},
            {147, 35, "INTEGRATION RMS", holdSeconds()},
            {24, 113, "INTEGRATION PEAK", integrationMs()},
            {118, 113, "HOLD", holdSeconds()},
            {213, 113, "FALL-BACK", holdSeconds()},
            {434, 35, "LED REF", evenly({"-6", "-5", "-4", "-3", "-2", "-1", "0"})},
            {498, 113, "OVERs", overs(true)},
        },
        {{258, 57, "MID ATTEN"}, {507, 35, "LED SCALE"}, {559, 19, "MEASURE"}},
        {{44, 77, 106, 91}, {143, 76, 195, 90}, {18, 154, 70, 168}, {114, 154, 166, 168}, {208, 154, 260, 168}},
        {293, 86, 403, 100},
        {298, 48, 404, 104}};
    drawBackPanel(cr, layout);
}

void paintPpmBack(cairo_t* cr, const ResourceEntry& e) {
    const BackLayout layout{
        e.id, Meter::Ppm, double(e.width),
        {
            {24, 36, "REFERENCE", evenly({"-24", "-20", "-16", "-12", "-8", "-4", "0"})},
            {137, 35, "INTEGRATION", integrationMs()},
            {80, 111, "HOLD", holdSeconds()},
            {192, 111, "FALL-BACK", holdSeconds()},
            {418, 35, "LED REF", ledRef("+8.15dBu")},
            {475, 111, "OVERs", overs(false)},
        },
        {{235, 44, "MID ATTEN"}, {559, 19, "MEASURE"}},
        {{14, 79, 76, 93}, {133, 78, 184, 92}, {75, 154, 127, 168}, {188, 154, 240, 168}},
        {281, 86, 391, 100},
        {276, 48, 388, 104}};
    drawBackPanel(cr, layout);
}

void paintKnob(cairo_t* cr, const ResourceEntry& e) {
    const double fh = e.frameHeight();
    for (int f = 0; f < e.frames; ++f) {
        const double cx = kKnobCentreX, cy = f * fh + kKnobCentreY, r = kKnobSkirtRadius;
        const double a = scale::degreesToRadians(knobFrameDegrees(f));
        // Shadow on the panel.
        cairo_pattern_t* sh = cairo_pattern_create_radial(cx, cy + 1.5, r - 2, cx, cy + 1.5, r + 3);
        cairo_pattern_add_color_stop_rgba(sh, 0.0, 0, 0, 0, 0.55);
        cairo_pattern_add_color_stop_rgba(sh, 1.0, 0, 0, 0, 0.0);
        cairo_arc(cr, cx, cy + 1.5, r + 3, 0, 2 * kPi);
        cairo_set_source(cr, sh);
        cairo_fill(cr);
        cairo_pattern_destroy(sh);
        // Skirt with knurled edge; the knurls turn with the knob.
        cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
        cairo_pattern_t* skirt = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
        cairo_pattern_add_color_stop_rgb(skirt, 0.0, 0.30, 0.30, 0.31);
        cairo_pattern_add_color_stop_rgb(skirt, 1.0, 0.08, 0.08, 0.09);
        cairo_set_source(cr, skirt);
        cairo_fill(cr);
        cairo_pattern_destroy(skirt);
        cairo_set_line_width(cr, 0.8);
        for (int i = 0; i < 36; ++i) {
            const double k = a + i * (2 * kPi / 36);
            cairo_move_to(cr, cx + std::cos(k) * (r - 2.2), cy - std::sin(k) * (r - 2.2));
            cairo_line_to(cr, cx + std::cos(k) * (r - 0.3), cy - std::sin(k) * (r - 0.3));
        }
        setColour(cr, rgb(0, 0, 0, 150));
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * kPi);
        setColour(cr, rgb(255, 255, 255, 30));
        cairo_stroke(cr);
        // Cap: brushed aluminium lit from above.
        const double cap = 11.5;
        cairo_arc(cr, cx, cy, cap + 0.8, 0, 2 * kPi);
        setColour(cr, rgb(0, 0, 0, 170));
        cairo_fill(cr);
        cairo_pattern_t* metal = cairo_pattern_create_linear(cx - cap, cy - cap, cx + cap * 0.6, cy + cap);
        cairo_pattern_add_color_stop_rgb(metal, 0.0, 0.86, 0.86, 0.85);
        cairo_pattern_add_color_stop_rgb(metal, 0.5, 0.62, 0.62, 0.62);
        cairo_pattern_add_color_stop_rgb(metal, 1.0, 0.40, 0.40, 0.41);
        cairo_arc(cr, cx, cy, cap, 0, 2 * kPi);
        cairo_set_source(cr, metal);
        cairo_fill(cr);
        cairo_pattern_destroy(metal);
        cairo_pattern_t* sheen = cairo_pattern_create_radial(cx - 3, cy - 4, 0.5, cx - 3, cy - 4, cap);
        cairo_pattern_add_color_stop_rgba(sheen, 0.0, 1, 1, 1, 0.45);
        cairo_pattern_add_color_stop_rgba(sheen, 1.0, 1, 1, 1, 0.0);
        cairo_arc(cr, cx, cy, cap, 0, 2 * kPi);
        cairo_set_source(cr, sheen);
        cairo_fill(cr);
        cairo_pattern_destroy(sheen);
        // Pointer: a dark groove on the cap continued by a white line across the skirt.
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, cx + std::cos(a) * 4.0, cy - std::sin(a) * 4.0);
        cairo_line_to(cr, cx + std::cos(a) * (cap - 1.0), cy - std::sin(a) * (cap - 1.0));
        setColour(cr, rgb(30, 30, 30));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        cairo_move_to(cr, cx + std::cos(a) * (cap + 1.5), cy - std::sin(a) * (cap + 1.5));
        cairo_line_to(cr, cx + std::cos(a) * (r - 0.8), cy - std::sin(a) * (r - 0.8));
        setColour(cr, rgb(250, 250, 246));
        cairo_set_line_width(cr, 2.0);
        cairo_stroke(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    }
}

}  // namespace velunor::artwork
