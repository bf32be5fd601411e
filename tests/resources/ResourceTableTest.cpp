// Every bitmap the editor asks for is embedded, is a PNG of the size its controls expect, and
// splits into whole frames. The faces are checked where it matters most: their marks sit where
// the needle law points.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "resources/ResourceLookup.h"
#include "views/ScaleLaws.h"

namespace scale = velunor::scale;

namespace {

struct ExpectedBitmap {
    int id;
    int width;
    int height;
    int frames;
};

// Sizes fixed by the panels that use them, and our own where nothing else fixes one.
constexpr ExpectedBitmap kBitmaps[] = {
    {989, 24, 42, 3},      {10000, 586, 169, 1},  {10001, 32, 19, 1},    {10002, 42, 26, 2},
    {10003, 43, 2091, 51}, {10005, 87, 48, 2},    {10006, 86, 72, 3},    {10008, 47, 33, 1},
    {10010, 86, 33, 3},    {10013, 133, 22, 2},   {10014, 581, 33, 3},   {10015, 150, 72, 3},
    {10016, 586, 33, 3},   {10020, 30, 90, 3},    {10021, 36, 44, 2},    {10024, 18, 32, 1},
    {10025, 12, 26, 2},    {10100, 60, 9, 1},     {10102, 42, 9, 1},     {10103, 24, 33, 3},
    {31000, 586, 53, 1},   {31001, 48, 60, 2},    {31100, 586, 53, 1},   {31200, 586, 53, 1},
    {34000, 586, 39, 1},   {34001, 28, 120, 3},   {34100, 586, 39, 1},   {34200, 586, 39, 1},
    {40000, 586, 261, 1},  {40001, 65, 82, 2},    {40002, 70, 123, 3},   {40003, 54, 194, 2},
    {40007, 250, 610, 5},  {40008, 20, 60, 3},    {40011, 66, 38, 2},    {40012, 66, 38, 2},
    {40100, 586, 13, 1},   {41000, 586, 261, 1},  {41001, 586, 169, 1},  {41003, 54, 114, 2},
    {41005, 87, 48, 2},    {41006, 86, 72, 3},    {41007, 54, 194, 2},   {41008, 70, 123, 3},
    {41011, 66, 38, 2},    {41012, 66, 38, 2},    {41100, 586, 13, 1},   {42000, 585, 261, 1},
    {42001, 586, 169, 1},  {42003, 70, 201, 3},   {42005, 87, 48, 2},    {42006, 86, 72, 3},
    {42007, 54, 194, 2},   {42011, 66, 38, 2},    {42012, 66, 38, 2},    {42100, 586, 13, 1},
};

// A decoded bitmap, 8-bit RGBA rows.
struct Decoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* at(int x, int y) const { return &rgba[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 4]; }
};

Decoded decode(int id) {
    Decoded d;
    const velunor::ResourceBlob blob = velunor::findResource(id);
    if (!blob) return d;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, blob.data, blob.size)) return d;
    image.format = PNG_FORMAT_RGBA;
    d.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, d.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return d;
    }
    d.ok = true;
    d.width = int(image.width);
    d.height = int(image.height);
    return d;
}

double luminance(const std::uint8_t* p) { return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]; }

TEST(Resources, EveryBitmapIsEmbeddedAsAPngOfItsSizeInWholeFrames) {
    ASSERT_EQ(std::size(kBitmaps), 56u);
    for (const ExpectedBitmap& b : kBitmaps) {
        SCOPED_TRACE(b.id);
        const Decoded d = decode(b.id);
        ASSERT_TRUE(d.ok) << "missing or not a PNG";
        EXPECT_EQ(d.width, b.width);
        EXPECT_EQ(d.height, b.height);
        EXPECT_EQ(d.height % b.frames, 0);
    }
}

TEST(Resources, NumbersThatNameNoBitmapFindNothing) {
    for (int id : {0, -1, 1, 988, 10004, 10026, 34002, 42101, 99999}) EXPECT_FALSE(velunor::findResource(id)) << id;
}

TEST(Resources, PpmFaceMarksSitWhereTheNeedlePoints) {
    const Decoded face = decode(42001);
    ASSERT_TRUE(face.ok);
    for (scale::Point origin : {scale::kLeftViewOrigin, scale::kRightViewOrigin}) {
        const scale::Point pivot = scale::offsetBy(scale::kPpmFace.pivot, origin);
        for (int mark = 1; mark <= 7; ++mark) {
            SCOPED_TRACE(mark);
            const double degrees = scale::ppmAngleDegrees(scale::ppmMarkLevel(mark));
            // On the mark: white on the black face; two degrees beside it: black.
            const scale::Point on = scale::pointOnRay(pivot, 94.0, scale::degreesToRadians(degrees));
            const scale::Point beside = scale::pointOnRay(pivot, 94.0, scale::degreesToRadians(degrees + 2.5));
            EXPECT_GT(luminance(face.at(int(on.x), int(on.y))), 180.0);
            EXPECT_LT(luminance(face.at(int(beside.x), int(beside.y))), 60.0);
        }
    }
}

TEST(Resources, VuFaceZeroMarkSitsWhereTheNeedlePointsInEveryTint) {
    const Decoded face = decode(40007);
    ASSERT_TRUE(face.ok);
    const scale::FaceGeometry& g = scale::kVuFace;
    for (int tint = 0; tint < scale::kVuTintCount; ++tint) {
        SCOPED_TRACE(tint);
        const scale::Point pivot = scale::offsetBy(g.pivot, {0.0, tint * g.height});
        const double zero = scale::vuAngleDegrees(1.0);
        const scale::Point on = scale::pointOnRay(pivot, 121.0, scale::degreesToRadians(zero));
        const scale::Point beside = scale::pointOnRay(pivot, 121.0, scale::degreesToRadians(zero + 1.5));
        EXPECT_LT(luminance(face.at(int(on.x), int(on.y))), 90.0);
        EXPECT_GT(luminance(face.at(int(beside.x), int(beside.y))), 150.0);
    }
}

}  // namespace
