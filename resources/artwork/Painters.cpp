#include "resources/artwork/Painters.h"

#include <algorithm>
#include <iterator>

namespace velunor::artwork {

namespace {

struct PainterFor {
    int id;
    Painter painter;
};

constexpr PainterFor kPainters[] = {
    {989, paintManualButton},       {10000, paintVuFront},          {10001, paintTrimHandle},
    {10002, paintProcessButton},    {10003, paintKnob},             {10005, paintVuLrMs},
    {10006, paintVuHold},           {10008, paintPen},              {10010, paintCalibrationFront},
    {10013, paintReferenceLevel},   {10014, paintCalibrationBack},  {10015, paintMeterSelector},
    {10016, paintCalibrationCaption}, {10020, paintFiltersIn},      {10021, paintFilterInOut},
    {10024, paintFrequencyHandle},  {10025, paintStripsButton},     {10100, paintLabelCaption},
    {10102, paintFiltersCaption},   {10103, paintFiltersInClosed},  {31000, paintVuFiltersStrip},
    {31001, paintSlopeSwitch},      {31100, paintRmsFiltersStrip},  {31200, paintPpmFiltersStrip},
    {34000, paintVuLabelStrip},     {34001, paintLagTime},          {34100, paintRmsLabelStrip},
    {34200, paintPpmLabelStrip},    {40000, paintVuBack},           {40001, paintVuType},
    {40002, paintVuMidAtten},       {40003, paintVuMeasure},        {40007, paintVuFace},
    {40008, paintOverLed},          {40011, paintVuLeftCaption},    {40012, paintVuRightCaption},
    {40100, paintVuClosedStrip},    {41000, paintRmsBack},          {41001, paintRmsFront},
    {41003, paintRmsLedRefScale},   {41005, paintRmsLrMs},          {41006, paintRmsHold},
    {41007, paintRmsMeasure},       {41008, paintRmsMidAtten},      {41011, paintRmsLeftCaption},
    {41012, paintRmsRightCaption},  {41100, paintRmsClosedStrip},   {42000, paintPpmBack},
    {42001, paintPpmFront},         {42003, paintPpmMidAtten},      {42005, paintPpmLrMs},
    {42006, paintPpmHold},          {42007, paintPpmMeasure},       {42011, paintPpmLeftCaption},
    {42012, paintPpmRightCaption},  {42100, paintPpmClosedStrip},
};

}  // namespace

Painter findPainter(int id) {
    const auto* it = std::find_if(std::begin(kPainters), std::end(kPainters),
                                  [id](const PainterFor& p) { return p.id == id; });
    return it == std::end(kPainters) ? nullptr : it->painter;
}

}  // namespace velunor::artwork
