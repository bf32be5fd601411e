#pragma once
// One painter per bitmap: it draws the whole film strip into a cleared (transparent) surface of the
// listed size. The painters are grouped by where the bitmaps appear.

#include <cairo.h>

#include "resources/artwork/ResourceList.h"

namespace velunor::artwork {

using Painter = void (*)(cairo_t* cr, const ResourceEntry& entry);

// The painter of a resource number; null for a number nobody draws.
Painter findPainter(int id);

// Meter faces and the over LED (MeterFaces.cpp).
void paintVuFace(cairo_t* cr, const ResourceEntry& e);
void paintOverLed(cairo_t* cr, const ResourceEntry& e);

// Front panels and their controls (FrontPanels.cpp, FrontControls.cpp).
void paintVuFront(cairo_t* cr, const ResourceEntry& e);
void paintRmsFront(cairo_t* cr, const ResourceEntry& e);
void paintPpmFront(cairo_t* cr, const ResourceEntry& e);
void paintManualButton(cairo_t* cr, const ResourceEntry& e);
void paintTrimHandle(cairo_t* cr, const ResourceEntry& e);
void paintProcessButton(cairo_t* cr, const ResourceEntry& e);
void paintStripsButton(cairo_t* cr, const ResourceEntry& e);
void paintCalibrationFront(cairo_t* cr, const ResourceEntry& e);
void paintCalibrationBack(cairo_t* cr, const ResourceEntry& e);
void paintCalibrationCaption(cairo_t* cr, const ResourceEntry& e);
void paintReferenceLevel(cairo_t* cr, const ResourceEntry& e);
void paintMeterSelector(cairo_t* cr, const ResourceEntry& e);
void paintVuLrMs(cairo_t* cr, const ResourceEntry& e);
void paintRmsLrMs(cairo_t* cr, const ResourceEntry& e);
void paintPpmLrMs(cairo_t* cr, const ResourceEntry& e);
void paintVuHold(cairo_t* cr, const ResourceEntry& e);
void paintRmsHold(cairo_t* cr, const ResourceEntry& e);
void paintPpmHold(cairo_t* cr, const ResourceEntry& e);
void paintVuLeftCaption(cairo_t* cr, const ResourceEntry& e);
void paintVuRightCaption(cairo_t* cr, const ResourceEntry& e);
void paintRmsLeftCaption(cairo_t* cr, const ResourceEntry& e);
void paintRmsRightCaption(cairo_t* cr, const ResourceEntry& e);
void paintPpmLeftCaption(cairo_t* cr, const ResourceEntry& e);
void paintPpmRightCaption(cairo_t* cr, const ResourceEntry& e);

// Back panels, the knob and the back-panel switches (BackPanels.cpp, BackControls.cpp).
void paintKnob(cairo_t* cr, const ResourceEntry& e);
void paintVuBack(cairo_t* cr, const ResourceEntry& e);
void paintRmsBack(cairo_t* cr, const ResourceEntry& e);
void paintPpmBack(cairo_t* cr, const ResourceEntry& e);
void paintVuType(cairo_t* cr, const ResourceEntry& e);
void paintVuMidAtten(cairo_t* cr, const ResourceEntry& e);
void paintRmsMidAtten(cairo_t* cr, const ResourceEntry& e);
void paintPpmMidAtten(cairo_t* cr, const ResourceEntry& e);
void paintVuMeasure(cairo_t* cr, const ResourceEntry& e);
void paintRmsMeasure(cairo_t* cr, const ResourceEntry& e);
void paintPpmMeasure(cairo_t* cr, const ResourceEntry& e);
void paintRmsLedRefScale(cairo_t* cr, const ResourceEntry& e);

// Strips and their controls (Strips.cpp).
void paintVuFiltersStrip(cairo_t* cr, const ResourceEntry& e);
void paintRmsFiltersStrip(cairo_t* cr, const ResourceEntry& e);
void paintPpmFiltersStrip(cairo_t* cr, const ResourceEntry& e);
void paintVuLabelStrip(cairo_t* cr, const ResourceEntry& e);
void paintRmsLabelStrip(cairo_t* cr, const ResourceEntry& e);
void paintPpmLabelStrip(cairo_t* cr, const ResourceEntry& e);
void paintVuClosedStrip(cairo_t* cr, const ResourceEntry& e);
void paintRmsClosedStrip(cairo_t* cr, const ResourceEntry& e);
void paintPpmClosedStrip(cairo_t* cr, const ResourceEntry& e);
void paintSlopeSwitch(cairo_t* cr, const ResourceEntry& e);
void paintFiltersIn(cairo_t* cr, const ResourceEntry& e);
void paintFiltersInClosed(cairo_t* cr, const ResourceEntry& e);
void paintFilterInOut(cairo_t* cr, const ResourceEntry& e);
void paintFrequencyHandle(cairo_t* cr, const ResourceEntry& e);
void paintLagTime(cairo_t* cr, const ResourceEntry& e);
void paintPen(cairo_t* cr, const ResourceEntry& e);
void paintLabelCaption(cairo_t* cr, const ResourceEntry& e);
void paintFiltersCaption(cairo_t* cr, const ResourceEntry& e);

}  // namespace velunor::artwork
