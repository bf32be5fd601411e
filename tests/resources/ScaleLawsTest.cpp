// The needle laws against the reference angles of the meter faces, and the point convention the
// views and the artwork share.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "views/ScaleLaws.h"

namespace scale = velunor::scale;

namespace {

struct AngleCase {
    double level;
    double degrees;
};

constexpr double kTolerance = 0.01;

TEST(ScaleLaws, VuAnglesFollowTheLawWithoutClamp) {
    const AngleCase cases[] = {{-0.05, 139.66}, {0.0, 136.5}, {1.0, 77.75}, {1.44, 45.5}, {1.5, 40.93},
                               // outside the front panel's range nothing clamps
                               {-1.44, 227.5}, {2.88, 136.5 - 91.0 * std::pow(2.0, 1.2)}};
    for (const AngleCase& c : cases) EXPECT_NEAR(scale::vuAngleDegrees(c.level), c.degrees, kTolerance) << c.level;
}

TEST(ScaleLaws, PpmAnglesClampToThirtyAndHundredFifty) {
    const AngleCase cases[] = {{1.0, 89.69},     {1.0 / 16.0, 150.0}, {0.000001, 150.0},
                               {0.15, 150.0},    // 7.6 dB above 1/16: still below the 8 dB floor
                               {6.31, 30.0},     {100.0, 30.0},
                               {std::pow(10.0, 8.0 / 20.0), 89.69 - 30.0}};  // mark 6: 8 dB above the reference
    for (const AngleCase& c : cases) EXPECT_NEAR(scale::ppmAngleDegrees(c.level), c.degrees, kTolerance) << c.level;
}

TEST(ScaleLaws, PpmMarksAreFourDecibelsApartExceptOneToTwo) {
    // 3.75 degrees per dB: 15 degrees between neighbouring marks from 2 to 7, 22.5 between 1 and 2.
    for (int mark = 2; mark < 7; ++mark)
        EXPECT_NEAR(scale::ppmAngleDegrees(scale::ppmMarkLevel(mark)) - scale::ppmAngleDegrees(scale::ppmMarkLevel(mark + 1)),
                    15.0, 1e-9)
            << mark;
    EXPECT_NEAR(scale::ppmAngleDegrees(scale::ppmMarkLevel(1)) - scale::ppmAngleDegrees(scale::ppmMarkLevel(2)), 22.5, 1e-9);
    EXPECT_NEAR(scale::ppmAngleDegrees(scale::ppmMarkLevel(4)), 89.69, kTolerance);
}

TEST(ScaleLaws, RmsAnglesIncludeTheCompressedPartAndClamp) {
    const AngleCase cases[] = {{0.01, 138.08}, {1.0, 51.89},     {0.1, 94.98},  {0.000001, 145.0},
                               {std::pow(10.0, 6.0 / 20.0), 38.96}, {32.0, 34.0}, {0.001, 143.75}};
    for (const AngleCase& c : cases) EXPECT_NEAR(scale::rmsAngleDegrees(c.level), c.degrees, kTolerance) << c.level;
    // Just below -40 dB the compressed part takes over without a jump.
    const double below = scale::rmsAngleDegrees(0.0099);
    EXPECT_GT(below, scale::rmsAngleDegrees(0.01));
    EXPECT_LT(below, 138.2);
}

TEST(ScaleLaws, LevelsWithoutALogarithmRestLikeSilence) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double level : {0.0, -0.5, nan}) {
        EXPECT_EQ(scale::ppmAngleDegrees(level), 150.0) << level;
        EXPECT_EQ(scale::rmsAngleDegrees(level), 145.0) << level;
    }
}

TEST(ScaleLaws, RadiansAgreeWithDegrees) {
    EXPECT_NEAR(scale::vuAngleRadians(1.0), 77.75 * scale::kPi / 180.0, 1e-4);
    EXPECT_NEAR(scale::ppmAngleRadians(1.0), 89.69 * scale::kPi / 180.0, 1e-4);
    EXPECT_NEAR(scale::rmsAngleRadians(1.0), 51.89 * scale::kPi / 180.0, 1e-4);
}

TEST(ScaleLaws, PointsLieOnThePixelGridAroundThePivotWithYDown) {
    const scale::Point pivot = scale::offsetBy(scale::kVuFace.pivot, scale::kLeftViewOrigin);
    const scale::Point top = scale::pointOnRay(pivot, 134.0, scale::degreesToRadians(90.0));
    EXPECT_NEAR(top.x, 12.0 + 128.0 + 0.5, 1e-9);
    EXPECT_NEAR(top.y, 18.0 + 155.0 + 0.5 - 134.0, 1e-9);
    const scale::Point right = scale::pointOnRay(pivot, 10.0, 0.0);
    EXPECT_NEAR(right.x, pivot.x + 10.5, 1e-9);
    EXPECT_NEAR(right.y, pivot.y + 0.5, 1e-9);
}

}  // namespace
