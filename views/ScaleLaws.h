#pragma once
// The three needle laws and the geometry of the needle faces. The face artwork is drawn from these
// same functions that the needle views use, so a scale mark and the needle that reads it can never
// disagree. Pure functions and constants only: no GUI, no platform.
//
// Angles are measured counter-clockwise from the positive x axis, in degrees unless the name says
// radians; screen y grows downwards. Levels are linear: 1.0 is 0 VU, the PPM 4 mark or 0 dB of the
// RMS scale.

#include <cmath>

namespace velunor::scale {

inline constexpr double kPi = 3.14159265358979323846;

constexpr double degreesToRadians(double degrees) noexcept { return degrees * (kPi / 180.0); }

struct Point {
    double x = 0.0;
    double y = 0.0;
};

struct Rect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    constexpr double width() const noexcept { return right - left; }
    constexpr double height() const noexcept { return bottom - top; }
};

// ---------------------------------------------------------------------------------------------
// Scale laws

// VU: no clamp; the front panel keeps the level within [-0.05, 1.5]. Levels at or below 0 stay
// linear, which parks the needle just left of the scale start.
inline double vuAngleDegrees(double level) noexcept {
    double m = level / 1.44;
    if (level > 0.0) m = std::pow(m, 1.2);
    return 136.5 - 91.0 * m;
}

inline constexpr double kPpmMinDegrees = 30.0;
inline constexpr double kPpmMaxDegrees = 150.0;

// PPM: 3.75 degrees per dB; 1.0 reads 24.08 dB above 1/16, which is the 4 mark at the top.
// A level without a logarithm (zero, negative, not a number) rests like silence.
inline double ppmAngleDegrees(double level) noexcept {
    if (!(level > 0.0)) return kPpmMaxDegrees;
    const double db = 20.0 * std::log10(16.0 * level);
    const double theta = 180.0 - db * (180.0 / 48.0);
    if (theta < kPpmMinDegrees) return kPpmMinDegrees;
    if (theta > kPpmMaxDegrees) return kPpmMaxDegrees;
    return theta;
}

// The PPM mark n (1..7): 4 dB apart from 2 to 7 with 4 the reference, and 6 dB between 1 and 2.
constexpr double ppmMarkDecibelsAboveReference(int mark) noexcept {
    return mark <= 1 ? -14.0 : 4.0 * (mark - 4);
}

inline constexpr double kRmsMinDegrees = 34.0;
inline constexpr double kRmsMaxDegrees = 145.0;

// The RMS scale in dB before the angle: linear down to -40 dB, compressed tenfold below, with a
// blend that joins the two parts continuously. The caller's level is not changed.
inline double rmsScaleDecibels(double level) noexcept {
    double db = 20.0 * std::log10(level);
    if (db < -40.0) {
        const double w = 35.0 * level;
        db = (1.0 - w) * ((db + 40.0) * 0.1 - 40.0) + w * db;
    }
    return db;
}

// RMS: 138.08 degrees at -40 dB, 38.96 degrees at +6 dB. A level without a logarithm (zero,
// negative, not a number) rests like silence instead of producing a NaN angle.
inline double rmsAngleDegrees(double level) noexcept {
    if (!(level > 0.0)) return kRmsMaxDegrees;
    const double db = rmsScaleDecibels(level);
    const double theta = 38.96 + (1.0 - (db + 40.0) / 46.0) * 99.12;
    if (theta < kRmsMinDegrees) return kRmsMinDegrees;
    if (theta > kRmsMaxDegrees) return kRmsMaxDegrees;
    return theta;
}

inline double vuAngleRadians(double level) noexcept { return degreesToRadians(vuAngleDegrees(level)); }
inline double ppmAngleRadians(double level) noexcept { return degreesToRadians(ppmAngleDegrees(level)); }
inline double rmsAngleRadians(double level) noexcept { return degreesToRadians(rmsAngleDegrees(level)); }

// Linear level of a VU reading in VU (0 VU = 1.0) and of a dB value on the RMS scale.
inline double levelFromDecibels(double db) noexcept { return std::pow(10.0, db / 20.0); }

// The linear PPM level of mark n.
inline double ppmMarkLevel(int mark) noexcept { return levelFromDecibels(ppmMarkDecibelsAboveReference(mark)); }

// ---------------------------------------------------------------------------------------------
// Face geometry. Every number is an offset from the view's origin (its top-left corner in the
// front panel); the pivot may lie outside the view.

struct FaceGeometry {
    double width;
    double height;          // the whole view, bezel strip included
    double faceHeight;      // the part above the bezel strip
    Point pivot;
    double needleInnerRadius;
    double needleOuterRadius;
    double holdInnerRadius;
    double holdOuterRadius;
    Rect led;
    Rect strip;             // repainted over the needles; empty when the face has none
};

inline constexpr FaceGeometry kVuFace{
    250.0, 122.0, 116.0, {128.0, 155.0}, 3.0, 134.0, 121.0, 134.0,
    {181.0, 90.0, 201.0, 110.0}, {0.0, 116.0, 250.0, 122.0}};

inline constexpr FaceGeometry kPpmFace{
    250.0, 116.0, 116.0, {126.0, 149.8}, 3.0, 121.0, 108.0, 121.0,
    {210.0, 14.0, 230.0, 34.0}, {}};

inline constexpr FaceGeometry kRmsFace{
    250.0, 116.0, 116.0, {126.0, 149.8}, 3.0, 120.0, 103.0, 120.0,
    {210.0, 14.0, 230.0, 34.0}, {}};

// Where the front panel puts its two views.
inline constexpr Point kLeftViewOrigin{12.0, 18.0};
inline constexpr Point kRightViewOrigin{277.0, 18.0};

// The VU face film strip: five tints of one face plus bezel strip each, warmest first.
inline constexpr int kVuTintCount = 5;

// The point at radius r and angle theta (radians) around a pivot, on the pixel grid the views
// draw on (pixel centres at +0.5).
inline Point pointOnRay(Point pivot, double radius, double thetaRadians) noexcept {
    return {pivot.x + 0.5 + radius * std::cos(thetaRadians), pivot.y + 0.5 - radius * std::sin(thetaRadians)};
}

inline constexpr Point offsetBy(Point p, Point origin) noexcept { return {p.x + origin.x, p.y + origin.y}; }
inline constexpr Rect offsetBy(Rect r, Point origin) noexcept {
    return {r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
}

}  // namespace velunor::scale
