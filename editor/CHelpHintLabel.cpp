#include "editor/CHelpHintLabel.h"

namespace {

// Texts that only depend on the tag, and on whether the value is above one half.
struct HintEntry {
    int32 firstTag;
    int32 lastTag;
    const char* lowText;   // value <= 0.5
    const char* highText;  // value > 0.5
};

constexpr HintEntry kHints[] = {
    {0, 0, "Activates the Trim and FILTERS", "Activates the Trim and FILTERS"},
    {1, 1, "Click PROCESS to activate the Trim", "Click PROCESS to activate the Trim"},
    {68, 68, "Click PROCESS to activate the Trim", "Click PROCESS to activate the Trim"},
    {6, 6, "Shows Strips", "Hides Strips"},
    {7, 7, "Opens FILTERS editor", "Closes FILTERS editor"},
    {8, 14, "Click PROCESS to activate FILTERS", "Click PROCESS to activate FILTERS"},
    {70, 71, "Click PROCESS to activate FILTERS", "Click PROCESS to activate FILTERS"},
    {15, 15, "Opens LABEL editor", "Closes LABEL editor"},
    {72, 72, "Click and drag to adjust RMS reference level", "Click and drag to adjust RMS reference level"},
    {83, 83, "Click and drag to adjust VU reference level", "Click and drag to adjust VU reference level"},
    {93, 93, "Click and drag to adjust PPM reference level", "Click and drag to adjust PPM reference level"},
    {121, 121, "Click to open the manual", "Click to open the manual"},
};

constexpr int32 kMeterSelectorTag = 3;
constexpr int32 kLeftZone = 0;
constexpr int32 kRightZone = 1;

// The meter an arrow selects: left is the previous one, right the next, in the order VU, RMS, PPM.
constexpr const char* kPreviousMeter[] = {"Changes current meter to PPMK", "Changes current meter to VUK",
                                          "Changes current meter to RMSK"};
constexpr const char* kNextMeter[] = {"Changes current meter to RMSK", "Changes current meter to PPMK",
                                      "Changes current meter to VUK"};

}  // namespace

CHelpHintLabel::CHelpHintLabel(const CRect& size) : CTextLabel(size, "") {}

const char* CHelpHintLabel::hintText(int32 tag, float value, const int32* zone) {
    if (tag == kMeterSelectorTag) {
        if (!zone || (*zone != kLeftZone && *zone != kRightZone)) return "";
        const int meter = static_cast<int>(value * 2.0f + 0.5f);
        if (!(value >= 0.0f) || meter < 0 || meter > 2) return nullptr;
        return *zone == kLeftZone ? kPreviousMeter[meter] : kNextMeter[meter];
    }
    for (const HintEntry& entry : kHints) {
        if (tag >= entry.firstTag && tag <= entry.lastTag) return value > 0.5f ? entry.highText : entry.lowText;
    }
    return "";
}

void CHelpHintLabel::setHintText(int32 tag, float value, const int32* zone) {
    if (const char* text = hintText(tag, value, zone)) setText(text);
    else setDirty();
}
